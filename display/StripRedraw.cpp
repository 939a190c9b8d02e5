#include "display/StripRedraw.h"

#include <array>
#include <span>

#include "common/TextNumber.h"
#include "display/Plots.h"

namespace linelab {
namespace {

struct StripCall {
    StripPanel panel;
    bool checked;
    int16_t iDutyCycle;
    int16_t iBaud;
    std::span<const int16_t> data;
    std::span<const int16_t> compareData;
    int16_t iMin;
    int16_t iMax;
};

// A four-level symbol carries two code bits, so it takes two code-bit slots on the strip.
StripCall LevelStrip(StripPanel panel, bool checked, const RunState& s,
                     std::span<const int16_t> data, bool pam4) {
    if (pam4) {
        const int16_t half = CInt(s.iCodeBaud / 2.0);
        return {panel, checked, s.iTxDutyCycle, half, data, s.iModData, -3, 3};
    }
    return {panel, checked, s.iTxDutyCycle, s.iCodeBaud, data, s.iModData, -1, 1};
}

StripCall BitStrip(StripPanel panel, bool checked, int16_t iBaud, std::span<const int16_t> data,
                   std::span<const int16_t> compareData) {
    return {panel, checked, 16, iBaud, data, compareData, 0, 1};
}

}  // namespace

void RedrawStrips(const RunState& s, const StripSwitches& on, bool txPam4, bool rxPam4, int zoom,
                  const StripCanvases& canvasOf) {
    const int16_t code = s.iCodeBaud;
    const std::array<StripCall, 8> strips{
        BitStrip(StripPanel::Data, on.chkData, 12, s.iData, s.iData),
        BitStrip(StripPanel::PreData, on.chkPreData, 12, s.iPreData, s.iPreData),
        BitStrip(StripPanel::CodedData, on.chkCodedData, code, s.iCodedData, s.iCodedData),
        LevelStrip(StripPanel::ModData, on.chkModData, s, s.iModData, txPam4),
        LevelStrip(StripPanel::DemodData, on.chkDemodData, s, s.iDemodData, rxPam4),
        BitStrip(StripPanel::DecodedData, on.chkDecodedData, code, s.iDecodedData, s.iCodedData),
        BitStrip(StripPanel::PostData, on.chkPostData, 12, s.iPostData, s.iPreData),
        BitStrip(StripPanel::RxData, on.chkRxData, 12, s.iRxData, s.iData),
    };
    for (const StripCall& c : strips) {
        if (!c.checked) continue;
        plotData(c.iDutyCycle, canvasOf(c.panel), c.iBaud, c.data, c.compareData, kBlue, c.iMin,
                 c.iMax, zoom);
    }
}

}  // namespace linelab
