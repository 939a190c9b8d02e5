#include "dsp/FilterResponse.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "common/TextNumber.h"
#include "dsp/ResponseGrid.h"
#include "dsp/nrFFT.h"

namespace linelab {
namespace {

// What each type does to its side: Matched and an unset type pass nothing on their own (the
// receiver's Matched is built afterwards from the transmit response).
enum class Shape { None, SteepCutoff, SinglePole, RC, RootRC, Nothing };

Shape ShapeOf(std::optional<FilterType> type) {
    if (!type) return Shape::Nothing;
    switch (*type) {
        case FilterType::None:
            return Shape::None;
        case FilterType::SteepCutoff:
            return Shape::SteepCutoff;
        case FilterType::SinglePole:
            return Shape::SinglePole;
        case FilterType::RC:
            return Shape::RC;
        case FilterType::RootRC:
            return Shape::RootRC;
        case FilterType::Matched:
            break;
    }
    return Shape::Nothing;
}

// The bandwidth within 0.1..6 kHz; a record's NaN counts as a text that is no number.
double LimitedBandwidth(double kHz) {
    return std::clamp(std::isnan(kHz) ? 0.0 : kHz, 0.1, 6.0);
}

void ClearBins(Signal& out) {
    std::fill(out.begin(), out.begin() + kSignalFloats, 0.0);
}

// The spectrum of the transmitter's rectangular pulse, centred on sample 0: 2K + 1 samples
// at full height and a half-height sample at each end, with energy proportional to the
// width. Leaves P(k) in the real parts and zero imaginary parts.
void TransmitPulseSpectrum(int sixteenths, Signal& out, Reporter* reporter) {
    const double m = PulseWidthPercent(sixteenths) / 100.0;  // 0.06 .. 1
    const double s = std::sqrt(m);
    const int kFull = static_cast<int>(Int(8 * m - 0.5));  // -1 .. 7
    const int kEdge = static_cast<int>(Int(8 * m + 0.5));  // 0 .. 8
    ClearBins(out);
    for (int k = 0; k <= kFull; ++k)
        out[2 * k] = s / 16;
    for (int k = 1; k <= kFull; ++k)
        out[2 * (kPoints - k)] = s / 16;
    out[2 * kEdge] = s / 32;
    if (kEdge >= 1) out[2 * (kPoints - kEdge)] = s / 32;
    FFT(std::span<double>(out.data(), kSignalFloats), kPoints, false, false, reporter);
    for (int k = 0; k < kPoints; ++k)
        out[2 * k + 1] = 0.0;
}

// The receiver's base pulse is a unit impulse: P(k) = 1.
void ReceivePulseSpectrum(Signal& out) {
    for (int k = 0; k < kPoints; ++k) {
        out[2 * k] = 1.0;
        out[2 * k + 1] = 0.0;
    }
}

// Bins above the cut-off are cleared. The highest bin kept is limited to 1024: the mirror
// overwrites everything above, so this changes nothing for any cut-off the system can reach
// and keeps a typed one inside the buffer.
void SteepCutoff(double fc, Signal& out) {
    const double last = std::clamp(Int(128 * fc - 1), -1.0, double{kHalfBins});
    for (int k = static_cast<int>(last) + 1; k < kPoints; ++k)
        out[2 * k] = 0.0;
}

// P(k) / (1 + j x) with x = k / (128 fc).
void SinglePole(double fc, Signal& out) {
    for (int k = 0; k <= kHalfBins; ++k) {
        const double p = out[2 * k];
        const double x = k / (128 * fc);
        if (std::isinf(x)) {  // a vanishing cut-off: the limit of the pole, nothing passes
            out[2 * k] = 0.0;
            out[2 * k + 1] = 0.0;
            continue;
        }
        out[2 * k] = p / (1 + x * x);
        out[2 * k + 1] = -p * x / (1 + x * x);
    }
}

// Raised-cosine roll-off (or its square root) on the symbol rate alone: flat to bin k1,
// falling to zero at bin k2, with the half-amplitude point at bin 64 (half the symbol rate).
void RaisedCosine(int percent, bool root, Signal& out) {
    const double r = std::clamp(percent, 1, 100) / 100.0;  // 0.01 .. 1
    const int k1 = CInt(64 * (1 - r));                     // 0 .. 63
    const int k2 = CInt(64 * (1 + r) - 1);                 // 64 .. 127
    ClearBins(out);
    for (int k = 0; k <= k1; ++k)
        out[2 * k] = 1.0;
    // 3.1415926 as the roll-off has always used it, not a full-precision pi.
    for (int k = k1; k <= k2; ++k) {
        const double a = 0.5 + 0.5 * std::cos(3.1415926 * (k - 64 * (1 - r)) / (128 * r));
        out[2 * k] = root ? std::sqrt(a) : a;
    }
}

void Conjugate(Signal& s) {
    for (int k = 0; k < kPoints; ++k)
        s[2 * k + 1] = -s[2 * k + 1];
}

}  // namespace

void BuildFilterResponse(const SideFilter& side, FilterSide which, double dBaudRate, Signal& out,
                         Reporter* reporter) {
    const Shape type = ShapeOf(side.type);
    const double fc = LimitedBandwidth(side.bandwidth) / UsableBaudRate(dBaudRate);
    if (type == Shape::None || type == Shape::SteepCutoff || type == Shape::SinglePole) {
        if (which == FilterSide::Transmitter) {
            TransmitPulseSpectrum(side.iPulseWidth, out, reporter);
        } else {
            ReceivePulseSpectrum(out);
        }
    }
    switch (type) {
        case Shape::None:
            break;
        case Shape::SteepCutoff:
            SteepCutoff(fc, out);
            break;
        case Shape::SinglePole:
            SinglePole(fc, out);
            break;
        case Shape::RC:
            RaisedCosine(side.excessBandwidth, false, out);
            break;
        case Shape::RootRC:
            RaisedCosine(side.excessBandwidth, true, out);
            break;
        case Shape::Nothing:
            ClearBins(out);
            break;
    }
    MirrorHalfSpectrum(out);
    if (which == FilterSide::Receiver) Conjugate(out);
}

void MatchTransmitResponse(const Signal& dTxResponse, Signal& dRxResponse) {
    for (int k = 0; k < kPoints; ++k) {
        dRxResponse[2 * k] = dTxResponse[2 * k];
        dRxResponse[2 * k + 1] = -dTxResponse[2 * k + 1];
    }
}

}  // namespace linelab
