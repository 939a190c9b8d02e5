// The libFuzzer entry for the lesson reader: any bytes as a lesson file, opened into a
// prepared window, with the reader's rules checked; the first broken one aborts, so the
// fuzzer keeps the input as a crash.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/LessonFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const linelab::fuzz::LessonCheck check = linelab::fuzz::CheckLessonInput({data, size});
    if (!check.fault.empty()) {
        std::fprintf(stderr, "broken: %s\n", check.fault.c_str());
        std::abort();
    }
    return 0;
}
