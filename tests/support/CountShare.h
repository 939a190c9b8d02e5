#pragma once
// How many errors a statistical test counts before it judges. The sanitizer build makes every
// run ten to twenty times slower and is there for memory and undefined behaviour, not for the
// statistics, which the release build's run of the same tests holds at full strength: under
// the sanitizers such a test counts a quarter as many (its interval widens to match).

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

}  // namespace linelab::test
