#include "analysis/BlockInterval.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <vector>

namespace linelab {

RateInterval BlockInterval(std::span<const BlockCounts> blocks, double confidence) {
    if (!(confidence > 0 && confidence < 1)) confidence = 0.95;
    std::vector<BlockCounts> used;
    uint64_t errors = 0;
    uint64_t bits = 0;
    for (BlockCounts b : blocks) {
        if (b.bits == 0) continue;
        b.errors = std::min(b.errors, b.bits);
        used.push_back(b);
        errors += b.errors;
        bits += b.bits;
    }
    RateInterval result{ClopperPearson(errors, bits, confidence), IntervalMethod::Exact};
    if (used.size() < kMinBlocks || errors < kMinBlockErrors) return result;
    const double count = static_cast<double>(used.size());
    const double rate = static_cast<double>(errors) / static_cast<double>(bits);
    const double meanBits = static_cast<double>(bits) / count;
    double squares = 0;
    for (const BlockCounts& b : used) {
        const double residual = static_cast<double>(b.errors) - rate * static_cast<double>(b.bits);
        squares += residual * residual;
    }
    const double se = std::sqrt(squares / (count * (count - 1))) / meanBits;
    const boost::math::students_t t(count - 1);
    const double half = boost::math::quantile(t, 1 - (1 - confidence) / 2) * se;
    result.interval.dLow = std::clamp(std::min(rate - half, result.interval.dLow), 0.0, 1.0);
    result.interval.dHigh = std::clamp(std::max(rate + half, result.interval.dHigh), 0.0, 1.0);
    result.method = IntervalMethod::Blocks;
    return result;
}

std::string_view MethodName(IntervalMethod method) {
    return method == IntervalMethod::Blocks ? "blocks" : "exact";
}

}  // namespace linelab
