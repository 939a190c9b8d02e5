#include "dsp/ChannelResponse.h"

#include <algorithm>
#include <cmath>

#include "common/TextNumber.h"
#include "dsp/ResponseGrid.h"

namespace linelab {
namespace {

double NumberOrZero(double x) {
    return std::isnan(x) ? 0.0 : x;
}

}  // namespace

// The pass band runs from bin Int(128 hp) to bin Int(128 lp - 1), edges in multiples of the
// symbol rate. Typed edges may put either end anywhere, even at infinity, so both are
// limited to bins 0..1024 before the mirror: below bin 0 nothing more can pass, and bins
// above 1024 are overwritten by the mirror anyway, so the limits change nothing for edges
// inside the buffer. An upper end below the lower one is an empty band. A NaN edge counts as
// 0, as a text that is no number reads.
void BuildChannelResponse(std::optional<double> lowPass, std::optional<double> highPass,
                          double dBaudRate, Signal& out) {
    const double baud = UsableBaudRate(dBaudRate);
    const double lp = lowPass ? NumberOrZero(*lowPass) / baud : 8.0;
    const double hp = highPass ? NumberOrZero(*highPass) / baud : 0.0;
    const double first = std::clamp(Int(128 * hp), 0.0, double{kHalfBins + 1});
    const double last = std::clamp(Int(128 * lp - 1), -1.0, double{kHalfBins});

    std::fill(out.begin(), out.begin() + kSignalFloats, 0.0);
    for (int k = static_cast<int>(first); k <= static_cast<int>(last); ++k)
        out[2 * k] = 1.0;
    MirrorHalfSpectrum(out);
}

void BuildTotalResponse(const Signal& channel, const Signal& transmit, const Signal& receive,
                        Signal& total) {
    for (int k = 0; k < kPoints; ++k) {
        const double cRe = channel[2 * k], cIm = channel[2 * k + 1];
        const double tRe = transmit[2 * k], tIm = transmit[2 * k + 1];
        const double rRe = receive[2 * k], rIm = receive[2 * k + 1];
        const double re = cRe * tRe - cIm * tIm;
        const double im = cIm * tRe + cRe * tIm;
        total[2 * k] = re * rRe - im * rIm;
        total[2 * k + 1] = re * rIm + im * rRe;
    }
}

}  // namespace linelab
