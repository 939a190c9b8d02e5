#pragma once
// Filter settings for the tests: the start-up record (both sides "SteepCutoff" at 4 kHz and
// full width, the channel open) with the sides' types replaced.

#include <optional>

#include "dsp/FilterConfig.h"

namespace linelab::test {

inline FilterConfig Filters(std::optional<FilterType> tx, std::optional<FilterType> rx) {
    FilterConfig f;
    f.side[0].type = tx;
    f.side[1].type = rx;
    return f;
}

}  // namespace linelab::test
