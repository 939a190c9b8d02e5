#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <version>

#include "common/DoubleChars.h"
#include "common/JThread.h"
#include "common/Uniform.h"

namespace linelab {
namespace {

#if defined(__cpp_lib_to_chars)
// The browser build uses the portable conversions; natively they are held against the
// standard library's over random bit patterns and the awkward values.
std::vector<double> Values() {
    std::vector<double> values{0.0,
                               -0.0,
                               1.0,
                               100.0,
                               1e5,
                               1e-5,
                               0.1,
                               123456789.0,
                               5e-324,
                               1.7976931348623157e308,
                               2.2250738585072014e-308,
                               9007199254740993.0,
                               0.3,
                               1e21,
                               1e22,
                               1e23,
                               -2.5e-7};
    Uniform uniform(7);
    while (values.size() < 4000) {
        const double x = std::bit_cast<double>(uniform.NextBits());
        if (std::isfinite(x)) values.push_back(x);
        values.push_back(std::ldexp(static_cast<double>(uniform.NextBits() >> 11), -40));
    }
    return values;
}

std::string Text(std::to_chars_result (*write)(char*, char*, double, std::chars_format, bool),
                 double x, std::chars_format format, bool plain) {
    char buffer[400];
    const auto r = write(buffer, buffer + sizeof buffer, x, format, plain);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : "error";
}

std::to_chars_result Standard(char* first, char* last, double x, std::chars_format format,
                              bool plain) {
    return plain ? std::to_chars(first, last, x) : std::to_chars(first, last, x, format);
}

TEST(DoubleChars, PortableWritesAsTheStandardLibrary) {
    for (const double x : Values())
        for (const auto format : {std::chars_format::fixed, std::chars_format::scientific})
            for (const bool plain : {true, false})
                ASSERT_EQ(Text(portable::ToChars, x, format, plain),
                          Text(Standard, x, format, plain))
                    << x << (plain ? " plain" : " formatted");
}

TEST(DoubleChars, PortableReadsAsTheStandardLibrary) {
    std::vector<std::string> texts{
        "1e400",     "-1e400", "1e-400", "0e999", "inf",    "-Infinity",
        "nan(abc)x", "12.5e",  "12.5e+", " 1",    "+1",     "0x10",
        ".5",        "5.",     ".",      "-",     "1.5e3x", "2.4703282292062328e-324"};
    for (const double x : Values())
        texts.push_back(Text(Standard, x, std::chars_format::scientific, true));
    for (const std::string& t : texts) {
        for (const auto format : {std::chars_format::general, std::chars_format::fixed,
                                  std::chars_format::scientific}) {
            double mine = -7, theirs = -7;
            const auto a = portable::FromChars(t.data(), t.data() + t.size(), mine, format);
            const auto b = std::from_chars(t.data(), t.data() + t.size(), theirs, format);
            ASSERT_EQ(a.ec, b.ec) << t;
            ASSERT_EQ(a.ptr - t.data(), b.ptr - t.data()) << t;
            ASSERT_EQ(std::bit_cast<uint64_t>(mine), std::bit_cast<uint64_t>(theirs)) << t;
        }
    }
}

TEST(DoubleChars, ATooSmallBufferIsReported) {
    char buffer[4];
    EXPECT_EQ(portable::ToChars(buffer, buffer + 4, 123456.0, std::chars_format::fixed, false).ec,
              std::errc::value_too_large);
}

#endif

TEST(JThread, JoinsWhenDestroyedAndSharesItsStopFlag) {
#if defined(__EMSCRIPTEN__)
    GTEST_SKIP() << "the browser build has no threads; its sweeps run in Web Workers";
#endif
    StopSource source;
    std::atomic<int> seen = 0;
    {
        JThread worker([&, token = source.get_token()] {
            while (!token.stop_requested())
                std::this_thread::yield();
            seen = 1;
        });
        EXPECT_TRUE(source.request_stop());
        EXPECT_FALSE(source.request_stop());  // only the first request counts
    }
    EXPECT_EQ(seen, 1);  // the worker finished before its thread object went
}

}  // namespace
}  // namespace linelab
