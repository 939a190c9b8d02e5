#include "analysis/BinomialInterval.h"

#include <algorithm>
#include <boost/math/special_functions/beta.hpp>

namespace linelab {
namespace {

// Domain and overflow faults come back as NaN instead of exceptions; the callers below
// never pass arguments outside the domain, and a NaN is caught rather than thrown.
using QuietPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;

double InverseBeta(double a, double b, double p, double fallback) {
    const double x = boost::math::ibeta_inv(a, b, p, QuietPolicy());
    return (x >= 0 && x <= 1) ? x : fallback;
}

}  // namespace

BinomialInterval ClopperPearson(uint64_t errors, uint64_t bits, double confidence) {
    return ClopperPearsonClustered(errors, bits, 1.0, confidence);
}

BinomialInterval ClopperPearsonClustered(uint64_t errors, uint64_t bits, double clusterBits,
                                         double confidence) {
    if (bits == 0) return {};
    if (!(confidence > 0 && confidence < 1)) confidence = 0.95;
    if (!(clusterBits > 1)) clusterBits = 1;
    // A cluster never holds more bits than were compared.
    clusterBits = std::min(clusterBits, static_cast<double>(bits));
    if (errors > bits) errors = bits;
    const double tail = (1 - confidence) / 2;
    const double k = static_cast<double>(errors) / clusterBits;
    const double n = static_cast<double>(bits) / clusterBits;
    BinomialInterval interval;
    // The k-th order statistic of n uniforms is Beta(k, n - k + 1): its tail quantiles are
    // the rates at which k errors become just unlikely enough.
    if (errors > 0) interval.dLow = InverseBeta(k, n - k + 1, tail, 0.0);
    if (errors < bits) interval.dHigh = InverseBeta(k + 1, n - k, 1 - tail, 1.0);
    return interval;
}

}  // namespace linelab
