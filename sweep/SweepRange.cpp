#include "sweep/SweepRange.h"

#include <charconv>
#include <cmath>

#include "common/DoubleChars.h"

namespace linelab {
namespace {

std::optional<double> Number(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = FromChars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    if (!std::isfinite(value)) return {};
    return value;
}

}  // namespace

std::optional<std::vector<double>> ParseSweepRange(std::string_view text) {
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos) return {};
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) return {};
    const auto from = Number(text.substr(0, first));
    const auto step = Number(text.substr(first + 1, second - first - 1));
    const auto to = Number(text.substr(second + 1));
    if (!from || !step || !to) return {};
    if (*from == *to) return std::vector<double>{*from};
    const double steps = (*to - *from) / *step;
    if (*step == 0 || !(steps > 0) || !std::isfinite(steps)) return {};
    const double count = std::floor(steps + 1e-6) + 1;
    if (count > static_cast<double>(kMaxSweepPoints)) return {};
    std::vector<double> points;
    // Each point from its index, not by repeated addition, so no rounding piles up.
    for (int i = 0; i < static_cast<int>(count); ++i)
        points.push_back(*from + i * *step);
    return points;
}

}  // namespace linelab
