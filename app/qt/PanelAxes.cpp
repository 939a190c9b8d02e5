#include "app/qt/PanelAxes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace linelab::axes {

double NiceStep(double span, int count) {
    if (!(span > 0) || count < 1) return 0;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double unit = raw / power;
    return (unit < 1.5 ? 1 : unit < 3.5 ? 2 : unit < 7.5 ? 5 : 10) * power;
}

std::string ValueText(double v, double step) {
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 4);
    if (std::abs(v) < step * 1e-6) v = 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::vector<Tick> ValueTicks(double top, double bottom, double length, int count) {
    std::vector<Tick> ticks;
    const double step = NiceStep(std::abs(top - bottom), count);
    if (!(step > 0) || !(length > 0)) return ticks;
    const double lo = std::min(top, bottom);
    const double hi = std::max(top, bottom);
    // Counted in steps, not summed, so that no rounding adds or drops the last tick.
    const double first = std::ceil(lo / step);
    for (int k = 0; (first + k) * step <= hi + step * 1e-9; ++k) {
        const double v = (first + k) * step;
        ticks.push_back({(top - v) / (top - bottom) * length, ValueText(v, step)});
    }
    return ticks;
}

std::vector<Tick> FrequencyTicks(double width, bool numbers) {
    std::vector<Tick> ticks;
    if (!(width > 0)) return ticks;
    for (int i = 0; i <= 8; ++i) {
        const bool numbered = numbers && i % 2 == 0 && i < 8;
        ticks.push_back(
            {std::min(i * width / 8, width - 1), numbered ? std::to_string(i / 2) : std::string()});
    }
    return ticks;
}

std::vector<Tick> SymbolTicks(double width, double period, double room) {
    std::vector<Tick> ticks;
    if (!(period >= 4) || !(width > 0)) return ticks;
    int every = 1;
    for (int step : {2, 5, 10, 20, 50}) {
        if (every * period >= room) break;
        every = step;
    }
    for (int k = 0; k * period < width; ++k)
        ticks.push_back({k * period, k % every == 0 ? std::to_string(k) : std::string()});
    return ticks;
}

}  // namespace linelab::axes
