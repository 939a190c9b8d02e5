// The levels' exact second moments against the real transmit stages: exactly where the data
// are fixed, by statistics over random runs elsewhere, and the lag sums against the matrix.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/CaseName.h"
#include "transmit/LevelCorrelation.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// One run of the real stages from its first draw on.
void SendRun(const LevelSettings& s, RunState& state) {
    GenerateData(s.data, state.rng, state.iData);
    PreCode(s.preCode, state);
    LineCode(s.code, s.format == Format::Pam4, state);
    MapLevels(s.format, 16, state.iCodedData, state.iModData);
}

// The lag sums are the matrix's diagonals summed, to rounding.
TEST(LevelCorrelation, LagSumsAreTheMatrixDiagonals) {
    const LevelSettings cases[] = {
        {DataSource::Random, PreCoding::None, LineCoding::None, Format::Hdb3},
        {DataSource::Zeros75, PreCoding::Differential, LineCoding::Manchester, Format::Hdb3},
        {DataSource::Prbs7, PreCoding::None, LineCoding::FourB5BNrzi, Format::Mlt3},
        {DataSource::Ones75, PreCoding::Scramble, LineCoding::DiffManchester, Format::Pam4},
        {DataSource::Random, PreCoding::None, LineCoding::Differential, Format::Ami},
    };
    for (const LevelSettings& s : cases) {
        const auto r = LevelCorrelation(s);
        const auto lags = LevelLagSums(s);
        ASSERT_TRUE(r && lags);
        for (int d = 0; d < kSymbols; ++d) {
            double sum = 0;
            for (int n = 0; n + d < kSymbols; ++n)
                sum += (*r)[n][n + d];
            EXPECT_NEAR((*lags)[d], sum, 1e-9 * std::abs((*lags)[0]))
                << test::IdName(*s.format) << " lag " << d;
        }
    }
}

// All zeros are HDB3's substitutions and nothing else (B00V, then alternating): the chain
// must give the mapper's own levels, products exactly.
TEST(LevelCorrelation, FixedDataGiveTheMappersLevelsExactly) {
    for (const LevelSettings& s :
         {LevelSettings{DataSource::AllZeros, PreCoding::None, LineCoding::None, Format::Hdb3},
          LevelSettings{DataSource::AllOnes, PreCoding::None, LineCoding::FourB5BNrzi,
                        Format::Hdb3},
          LevelSettings{DataSource::AllOnes, PreCoding::Differential, LineCoding::Manchester,
                        Format::Mlt3}}) {
        RunState state;
        SendRun(s, state);
        const auto r = LevelCorrelation(s);
        ASSERT_TRUE(r);
        for (int n = 0; n < kSymbols; ++n) {
            for (int m = 0; m < kSymbols; ++m)
                ASSERT_EQ((*r)[n][m], state.iModData[n] * state.iModData[m])
                    << test::IdName(*s.format) << " " << n << ", " << m;
        }
    }
}

// Random data: each slot's mean square against 40,000 runs of the stages, within five
// standard errors. HDB3's last three slots send no balancing pulse (its four zeros would end
// outside the run), which shows there and only there.
TEST(LevelCorrelation, EachSlotsMeanSquareFollowsTheStages) {
    for (const LevelSettings& s :
         {LevelSettings{DataSource::Random, PreCoding::None, LineCoding::None, Format::Hdb3},
          LevelSettings{DataSource::Zeros75, PreCoding::None, LineCoding::FourB5B, Format::Ami}}) {
        constexpr int kRuns = 40000;
        RunState state;
        std::array<double, kSymbols> sum{}, squares{};
        for (int run = 0; run < kRuns; ++run) {
            SendRun(s, state);
            for (int n = 0; n < kSymbols; ++n) {
                const double a2 = state.iModData[n] * state.iModData[n];
                sum[n] += a2;
                squares[n] += a2 * a2;
            }
        }
        const auto r = LevelCorrelation(s);
        ASSERT_TRUE(r);
        for (int n = 0; n < kSymbols; ++n) {
            const double mean = sum[n] / kRuns;
            const double error = std::sqrt((squares[n] / kRuns - mean * mean) / (kRuns - 1));
            EXPECT_NEAR((*r)[n][n], mean, 5 * error + 1e-12) << test::IdName(*s.format) << " " << n;
        }
    }
}

}  // namespace
}  // namespace linelab
