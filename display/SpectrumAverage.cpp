#include "display/SpectrumAverage.h"

#include <algorithm>

#include "common/TextNumber.h"
#include "display/Plots.h"

namespace linelab {
namespace {

constexpr int kStoredPoints = 1024;  // elements a memory copy takes
constexpr double kLastElement = kSignalFloats - 1;

}  // namespace

void UpdateMemoryTrace(MemoryBox box, const SpectrumAverage& average, SpectrumAverage& memory,
                       bool& bStored) {
    if (box.visible && !box.checked) bStored = false;
    if (box.visible && !bStored && box.checked) {
        std::copy_n(average.begin(), kStoredPoints, memory.begin());
        bStored = true;
    } else if (!box.visible) {
        bStored = false;
    }
}

// At rate 1.0 (and its halves) the two elements of point i are the real and imaginary part
// of one bin; at other rates they may belong to neighbouring bins, which still gives the
// power near that frequency.
void AccumulateSpectrum(const Signal& dFreqData, SpectrumAverage& average, int32_t& count,
                        double dBaudRate) {
    const double rate = UsableBaudRate(dBaudRate);
    // A negative count cannot come from counting; it restarts the mean like 0 does.
    const int32_t n = NextCount(std::max(count, int32_t{0}));
    count = n;
    const double previousWeight = static_cast<double>(n) - 1;
    const auto add = [&](int i, int a, int b) {
        // Squares as products: the library's pow may differ from them in the last bit, and
        // an optimised build turns pow(x, 2) into the product anyway, so every build agrees.
        const double p = dFreqData[a] * dFreqData[a] + dFreqData[b] * dFreqData[b];
        average[i] = (previousWeight * average[i] + p) / n;
    };
    // At the rates 2.0, 1.0 and 0.5, 2i / rate is a whole number (the division by a power of
    // two is exact), so the pair is found without rounding, with the same elements.
    const int step = rate == 1.0 ? 2 : rate == 2.0 ? 1 : rate == 0.5 ? 4 : 0;
    if (step != 0) {
        for (int i = 0; i < kPlotPoints; ++i)
            add(i, step * i, step * i + 1);  // at most 4 * 511 + 1, inside the run
        return;
    }
    for (int i = 0; i < kPlotPoints; ++i) {
        // Held inside the run's 4096 values for any positive rate.
        const double a = std::min(RoundHalfEven(2 * i / rate), kLastElement);
        const double b = std::min(RoundHalfEven(2 * i / rate + 1), kLastElement);
        add(i, static_cast<int>(a), static_cast<int>(b));
    }
}

}  // namespace linelab
