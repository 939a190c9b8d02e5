#include "receiver/Sampling.h"

#include <cstdint>

namespace linelab {
namespace {

inline constexpr int64_t kLastIndex = 4064;  // real part of complex sample 2032

}  // namespace

double SampleSlot(const Signal& d, int k, int v) {
    // 64-bit indices: the slider value is an int from the owner, and 32k + v must not
    // overflow whatever it holds.
    const int64_t slot = int64_t{32} * k;
    if (v % 2 == 0) {
        int64_t i = slot + v;
        if (i < 2) i = slot;
        if (i > kLastIndex) i = kLastIndex;
        return d[static_cast<std::size_t>(i)];
    }
    int64_t i = slot + v - 1;
    if (i < 2) i = slot;
    if (i + 2 > kLastIndex) i = kLastIndex - 2;
    return (d[static_cast<std::size_t>(i + 2)] + d[static_cast<std::size_t>(i)]) * 0.5;
}

}  // namespace linelab
