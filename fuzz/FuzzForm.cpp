// The libFuzzer entry: a fresh form for every input, the input replayed as user actions,
// and on the first broken rule the replayable action sequence printed before aborting, so
// the fuzzer keeps the input as a crash.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/FormFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    linelab::fuzz::FormFuzzHarness harness;
    const std::string fault = harness.Run({data, size});
    if (!fault.empty()) {
        std::fputs(harness.Reproducer(fault).c_str(), stderr);
        std::abort();
    }
    return 0;
}
