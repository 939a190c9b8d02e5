// The libFuzzer entry for linelab-batch's command line: the bytes are the arguments, each
// ended by a NUL, parsed and applied with the tool's rules checked; the first broken one
// aborts, so the fuzzer keeps the input as a crash. Seeds: fuzz/seeds-arguments.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/ArgumentFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const linelab::fuzz::ArgumentCheck check = linelab::fuzz::CheckArgumentInput({data, size});
    if (!check.fault.empty()) {
        std::fprintf(stderr, "broken: %s\n", check.fault.c_str());
        std::abort();
    }
    return 0;
}
