#include <complex>

#include "transmit/Transmit.h"

namespace linelab {

bool TransmitLevels(const LinkConfig& c, RunState& s) {
    GenerateData(c.data, s.rng, s.iData);
    PreCode(c.preCode[0], s);
    LineCode(c.code[0], c.format[0] == Format::Pam4, s);
    const LevelMap levels = MapLevels(c.format[0], c.iPulseWidth, s.iCodedData, s.iModData);
    s.iTxDutyCycle = levels.iTxDutyCycle;
    s.dScale = levels.dScale;
    return c.data && c.preCode[0] && c.code[0] && c.format[0];
}

TransmitFold TransmitPowerFold(const Responses& r) {
    constexpr int kAliases = kPoints / kSymbols;
    TransmitFold fold{};
    for (int q = 0; q < kSymbols; ++q) {
        double tx = 0;
        for (int a = 0; a < kAliases; ++a) {
            const auto k = static_cast<std::size_t>(q + kSymbols * a);
            tx += std::norm(std::complex<double>{r.dTxResponse[2 * k], r.dTxResponse[2 * k + 1]});
        }
        fold[static_cast<std::size_t>(q)] = tx / (double{kPoints} * kSymbols);
    }
    return fold;
}

double TransmitEnergyPerSlot(std::span<const double, 2 * kSymbols> spectrum,
                             const TransmitFold& fold) {
    double energy = 0;
    for (std::size_t q = 0; q < kSymbols; ++q)
        energy += std::norm(std::complex<double>{spectrum[2 * q], spectrum[2 * q + 1]}) * fold[q];
    return energy;
}

}  // namespace linelab
