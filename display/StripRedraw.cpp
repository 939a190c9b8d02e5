#include "display/StripRedraw.h"

#include <algorithm>
#include <cmath>

#include "common/TextNumber.h"
#include "display/Plots.h"

namespace linelab {

void StripRecord::NewRun(double span) {
    for (StripShot& shot : strips)
        shot.drawn = false;
    runSpan = span;
}

double RunSpan(int16_t codeBaud, bool pam4) {
    // A four-level symbol takes two code-bit slots.
    const int symbolBaud = pam4 ? CInt(codeBaud / 2.0) : codeBaud;
    return symbolBaud > 0 ? static_cast<double>(kSymbols) / symbolBaud : 0.0;
}

double ScrollStart(int position, int maximum, int zoom, double runSpan) {
    if (maximum <= 0 || !(runSpan > 0)) return 0.0;
    const double fraction = std::clamp(static_cast<double>(position) / maximum, 0.0, 1.0);
    const double room = std::max(0.0, runSpan - std::max(zoom, 1));
    return fraction * room;
}

void RecordStrip(StripShot& shot, int16_t iDutyCycle, int16_t iBaud, std::span<const int16_t> data,
                 std::span<const int16_t> compareData, int32_t colour, int16_t iMin, int16_t iMax) {
    const std::size_t length = std::min({data.size(), compareData.size(), shot.data.size()});
    std::copy_n(data.begin(), length, shot.data.begin());
    std::copy_n(compareData.begin(), length, shot.compareData.begin());
    shot = {true, iDutyCycle, iBaud, colour, iMin, iMax, length, shot.data, shot.compareData};
}

void DrawShot(const StripShot& shot, Canvas& canvas, int zoom, double start) {
    // The first element whose slot begins at or after the left edge; elements past the end
    // of the run are simply not drawn.
    const double first = std::floor(std::max(0.0, start) * std::max<int>(shot.iBaud, 0));
    const std::size_t skip = static_cast<std::size_t>(std::min<double>(first, shot.length));
    const std::span<const int16_t> data(shot.data.data() + skip, shot.length - skip);
    const std::span<const int16_t> compare(shot.compareData.data() + skip, shot.length - skip);
    plotData(shot.iDutyCycle, canvas, shot.iBaud, data, compare, shot.colour, shot.iMin, shot.iMax,
             zoom);
}

void RedrawStrips(const StripRecord& record, const StripSwitches& on, int zoom, double start,
                  const StripCanvases& canvasOf) {
    for (std::size_t i = 0; i < on.on.size(); ++i) {
        const StripShot& shot = record.strips[i];
        if (on.on[i] && shot.drawn)
            DrawShot(shot, canvasOf(static_cast<StripPanel>(i)), zoom, start);
    }
}

}  // namespace linelab
