// The expected transmit spectrum against the panel's own running mean over many engine runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/LineSpectrum.h"
#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "tests/CaseName.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

struct Averaged {
    SpectrumAverage measured{};
    SpectrumAverage theory{};
    double rate = 1;
};

// 3,000 runs of the transmit spectrum panel for the given settings, and the theory for them.
Averaged AverageRuns(LineCoding code, Format format, DataSource data = DataSource::Random,
                     FilterType filter = FilterType::SteepCutoff) {
    Engine engine;
    RecordPorts owner(engine);
    owner.config = StartupConfig();
    owner.filters.side[0].type = filter;
    owner.config.data = data;
    owner.config.code = Both(std::optional(code));
    owner.config.format = Both(std::optional(format));
    owner.config.shown.Set(PanelId::TxSpectrum, true);
    Averaged out;
    out.rate = SymbolRate(code, format);
    engine.SetSymbolRate(out.rate);
    owner.slider = engine.LoadDefaultThresholds(format);
    for (int run = 0; run < 3000; ++run)
        owner.Tick();
    out.measured = owner.views.dTxSpectrumAvg;
    const auto theory = ExpectedTransmitSpectrum(TransmitSettingsOf(owner.config),
                                                 engine.State().responses.dTxResponse, out.rate);
    if (theory) out.theory = *theory;
    EXPECT_TRUE(theory.has_value());
    return out;
}

// Rms difference in dB over the main lobe (up to the symbol rate, point 128 * rate), leaving
// out the nulls, where a dB difference says nothing.
double RmsDbOverMainLobe(const Averaged& a) {
    const int end = static_cast<int>(128 * a.rate);
    const double peak = *std::max_element(a.theory.begin(), a.theory.begin() + end);
    double sum = 0;
    int count = 0;
    for (int i = 0; i < end; ++i) {
        if (a.theory[i] < 1e-3 * peak) continue;
        const double d = 10 * std::log10(a.measured[i] / a.theory[i]);
        sum += d * d;
        ++count;
    }
    EXPECT_GT(count, end / 2);
    return std::sqrt(sum / count);
}

struct Case {
    LineCoding code;
    Format format;
    DataSource data;
};

TEST(LineSpectrum, FollowsTheAveragedTransmitSpectrum) {
    const Case cases[] = {
        {LineCoding::None, Format::PolarNrz, DataSource::Random},
        {LineCoding::None, Format::Ami, DataSource::Random},
        {LineCoding::Manchester, Format::PolarNrz, DataSource::Random},
        {LineCoding::FourB5BNrzi, Format::Mlt3, DataSource::Zeros75},
        {LineCoding::DiffManchester, Format::Pam4, DataSource::Prbs7},
    };
    for (const Case& c : cases) {
        EXPECT_LT(RmsDbOverMainLobe(AverageRuns(c.code, c.format, c.data)), 0.5)
            << test::IdName(c.code) << " / " << test::IdName(c.format);
    }
}

// Unipolar NRZ sends half of its power in the DC line: the total over the panel's
// points must match, which it cannot if the line is lost or spread.
TEST(LineSpectrum, TotalPowerWithADcLine) {
    const Averaged a =
        AverageRuns(LineCoding::None, Format::UnipolarNrz, DataSource::Random, FilterType::None);
    const double measured = std::accumulate(a.measured.begin(), a.measured.begin() + 512, 0.0);
    const double theory = std::accumulate(a.theory.begin(), a.theory.begin() + 512, 0.0);
    EXPECT_NEAR(theory / measured, 1.0, 0.01);
    EXPECT_GT(a.theory[0], 0.2 * theory);
}

TEST(LineSpectrum, NoTheoryWithoutAStateMachine) {
    Signal h{};
    EXPECT_FALSE(ExpectedTransmitSpectrum(
        {DataSource::Random, PreCoding::None, LineCoding::None, Format::Hdb3, 16}, h, 1.0));
    EXPECT_FALSE(ExpectedTransmitSpectrum(
        {DataSource::ExponentialRuns, PreCoding::None, LineCoding::None, Format::PolarNrz, 16}, h,
        1.0));
    EXPECT_FALSE(ExpectedTransmitSpectrum(
        {std::nullopt, PreCoding::None, LineCoding::None, Format::PolarNrz, 16}, h, 1.0));
}

}  // namespace
}  // namespace linelab::test
