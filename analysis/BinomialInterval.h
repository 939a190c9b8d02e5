#pragma once
// Confidence intervals for an error rate measured as k errors in n compared bits.

#include <cstdint>

namespace linelab {

struct BinomialInterval {
    double dLow = 0;
    double dHigh = 1;
};

// The exact (Clopper-Pearson) two-sided interval at the given confidence: the rates whose
// binomial tail probabilities of seeing k or more (low end), k or fewer (high end) errors
// are each (1 - confidence) / 2. It never undercovers, which is what a teacher quoting
// "at least this good" needs. 0 errors give a low end of 0; n errors a high end of 1;
// n = 0 gives [0, 1]. errors beyond bits are taken as bits; a confidence outside (0, 1)
// is taken as 0.95.
BinomialInterval ClopperPearson(uint64_t errors, uint64_t bits, double confidence = 0.95);

// The same for errors that come in clusters of `clusterBits` wrong bits each (a line decoder
// turning one wrong decision into several wrong bits): the exact interval of k / c events in
// n / c trials, as wide as the clusters make the count's spread. A cluster of 1 or less (or
// not a number) is the plain interval above.
BinomialInterval ClopperPearsonClustered(uint64_t errors, uint64_t bits, double clusterBits,
                                         double confidence = 0.95);

}  // namespace linelab
