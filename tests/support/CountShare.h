#pragma once
// How many errors a statistical test counts before it judges. The sanitizer build makes every
// run ten to twenty times slower and is there for memory and undefined behaviour, not for the
// statistics, which the release build's run of the same tests holds at full strength: under
// the sanitizers such a test counts a quarter as many. Those are other draws than the ones the
// release build judges, so there its intervals' miss rate is shared out as well: a chance
// failure of a draw no one has looked at stays rare.

#include <algorithm>
#include <cstdint>

namespace linelab::test {

#ifdef LINELAB_SANITIZED
inline constexpr uint64_t kCountShare = 4;
#else
inline constexpr uint64_t kCountShare = 1;
#endif

constexpr uint64_t Counted(uint64_t wanted) {
    return std::max<uint64_t>(wanted / kCountShare, 1);
}

// The confidence of an interval a test judges by: as asked natively, its miss rate shared out
// under the sanitizers.
constexpr double Confidence(double wanted) {
    return 1 - (1 - wanted) / static_cast<double>(kCountShare);
}

// The rate a statistical test sets its noise for. The bits it must run grow as the rate's
// inverse: under the sanitizers a test aimed below 1e-4 aims there instead, and the release
// build holds the rarer rate.
constexpr double Aimed(double wanted) {
    return kCountShare > 1 ? std::max(wanted, 1e-4) : wanted;
}

}  // namespace linelab::test
