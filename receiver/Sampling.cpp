#include "receiver/Sampling.h"

#include <algorithm>
#include <cstdint>

namespace linelab {
namespace {

inline constexpr int64_t kLastIndex = 4064;  // real part of complex sample 2032

// The complex samples slot k reads at offset v, as SampleSlot picks its real indices
// (all even, so each is the real part of one complex sample), with the same clamps.
std::vector<SampleTerm> SampledInstants(int k, int v) {
    const int64_t slot = int64_t{32} * k;
    if (v % 2 == 0) {
        int64_t i = slot + v;
        if (i < 2) i = slot;
        if (i > kLastIndex) i = kLastIndex;
        return {{static_cast<int>(i / 2), 1.0}};
    }
    int64_t i = slot + v - 1;
    if (i < 2) i = slot;
    if (i + 2 > kLastIndex) i = kLastIndex - 2;
    return {{static_cast<int>(i / 2), 0.5}, {static_cast<int>(i / 2 + 1), 0.5}};
}

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

SamplePattern SlotSamplePattern(int k, int v, const Echo& echo, bool invert) {
    constexpr int kSamplesPerSlot = kPoints / 128;
    std::vector<SampleTerm> terms = SampledInstants(k, v);
    const std::size_t direct = terms.size();
    if (echo.gain > 0) {
        for (std::size_t t = 0; t < direct; ++t)
            if (terms[t].rel + echo.delay <= kPoints - 1)
                terms.push_back({terms[t].rel + echo.delay, echo.gain * terms[t].weight});
    }
    SamplePattern pattern;
    for (SampleTerm t : terms) {
        t.rel -= kSamplesPerSlot * k;
        if (invert) t.weight = -t.weight;
        auto same = std::find_if(pattern.begin(), pattern.end(),
                                 [&](const SampleTerm& p) { return p.rel == t.rel; });
        if (same != pattern.end()) {
            same->weight += t.weight;
        } else {
            pattern.push_back(t);
        }
    }
    std::sort(pattern.begin(), pattern.end(),
              [](const SampleTerm& a, const SampleTerm& b) { return a.rel < b.rel; });
    return pattern;
}

}  // namespace linelab
