#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "analysis/ExactBer.h"
#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Demodulator.h"
#include "receiver/LineDecoder.h"
#include "receiver/PreDecoder.h"
#include "tests/CaseName.h"
#include "tests/support/CountShare.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

double Db(double dB) {
    return std::pow(10.0, dB / 10);
}

double Q(double x) {
    return GaussianTail(x);
}

// Textbook anchors: polar signalling reaches 1e-5 at 9.59 dB and 1e-6 at 10.53 dB.
TEST(IdealBer, PolarMeetsItsTextbookPoints) {
    EXPECT_NEAR(IdealBerAtDb(Format::PolarNrz, LineCoding::None, PreCoding::None, 9.5879), 1e-5,
                2e-8);
    EXPECT_NEAR(IdealBerAtDb(Format::PolarNrz, LineCoding::None, PreCoding::None, 10.5298), 1e-6,
                2e-9);
    EXPECT_NEAR(GaussianTail(0), 0.5, 1e-15);
}

// Closed forms derived by hand, per symbol: on-off keying needs twice the energy of
// antipodal; AMI's zeros cross either gap, its marks only the inner one; 4-PAM in natural
// binary flips one bit at the outer gaps and two at the middle one; Manchester needs both
// halves right.
TEST(IdealBer, ClosedFormsWhereTheyExist) {
    for (double dB : {0.0, 4.0, 8.0, 12.0}) {
        const double x = Db(dB);
        const double a = std::sqrt(x);
        auto near = [](double got, double want) { EXPECT_NEAR(got / want, 1.0, 1e-9); };
        near(IdealBer(Format::PolarNrz, LineCoding::None, PreCoding::None, x), Q(std::sqrt(2 * x)));
        near(IdealBer(Format::UnipolarNrz, LineCoding::None, PreCoding::None, x), Q(a));
        near(IdealBer(Format::Ami, LineCoding::None, PreCoding::None, x),
             0.5 * 2 * Q(a) + 0.5 * (Q(a) - Q(3 * a)));
        const double b = std::sqrt(0.8 * x);  // half the 4-PAM gap over sigma
        const double outer = (Q(b) - Q(3 * b)) + (Q(3 * b) - Q(5 * b)) + 2 * Q(5 * b);
        const double inner = Q(b) + 2 * (Q(b) - Q(3 * b)) + Q(3 * b);
        near(IdealBer(Format::Pam4, LineCoding::None, PreCoding::None, x), (outer + inner) / 2 / 2);
        const double half = Q(a);
        near(IdealBer(Format::PolarNrz, LineCoding::Manchester, PreCoding::None, x),
             1 - (1 - half) * (1 - half));
        near(ManchesterOptimumBer(Format::PolarNrz, x), Q(std::sqrt(2 * x)));
    }
    EXPECT_TRUE(std::isnan(ManchesterOptimumBer(Format::Ami, 1.0)));
    EXPECT_EQ(IdealBer(std::nullopt, std::nullopt, std::nullopt, Db(6)),
              IdealBerAtDb(Format::PolarNrz, LineCoding::None, PreCoding::None, 6));
    const double silent = IdealBer(Format::PolarNrz, LineCoding::Manchester, PreCoding::None, -1.0);
    EXPECT_TRUE(silent >= 0.5 && silent <= 1.0) << silent;
}

// The mean level energy the fixed noise density refers to, against what the real mapper
// sends over random runs.
double SentEnergy(Format format, LineCoding code, int runs) {
    RunState s;
    double sum = 0;
    for (int run = 0; run < runs; ++run) {
        GenerateData(DataSource::Random, s.rng, s.iData);
        PreCode(PreCoding::None, s);
        LineCode(code, format == Format::Pam4, s);
        MapLevels(format, 16, s.iCodedData, s.iModData);
        for (int16_t level : s.iModData)
            sum += level * level;
    }
    return sum / (runs * kSymbols);
}

// Replays the real transmit and receive stages with decisions drawn around each sent level
// (ideal filters: the sample is the level plus Gaussian noise) and compares the mean run
// rate with the exact one, within five standard errors of the runs' own spread.
void Replay(LinkSetup setup, double dB, int runs) {
    const double energy = MeanLevelEnergy(setup.format, setup.code);
    const double esN0 = Db(dB) / SymbolsPerDataBit(setup.code, setup.format);
    std::mt19937_64 gen(static_cast<uint64_t>(setup.format) * 97 +
                        static_cast<uint64_t>(setup.code));
    std::normal_distribution<double> noise(0.0, std::sqrt(energy / (2 * esN0)));
    Thresholds t{0.5, 0.5, 0.5, 0.5};
    if (setup.format == Format::PolarNrz || setup.format == Format::PolarNrzi) t = {0, 0, 0, 0};
    if (Info(setup.format).kind == FormatClass::ThreeLevel) t = {0.5, -0.5, 0.5, 0.5};
    if (setup.format == Format::Pam4) t = {2, 0, -2, 2};
    RunState s;
    Symbols decided{};
    Bits c{}, p{}, r{};
    double sum = 0, squares = 0;
    for (int run = 0; run < runs; ++run) {
        GenerateData(DataSource::Random, s.rng, s.iData);
        PreCode(setup.preCoding, s);
        LineCode(setup.code, setup.format == Format::Pam4, s);
        MapLevels(setup.format, 16, s.iCodedData, s.iModData);
        for (int k = 0; k < kSymbols; ++k)
            decided[k] = DecideLevel(setup.format, s.iModData[k] + noise(gen), t);
        LevelsToCodeBits(setup.format, decided, c);
        LineDecode(setup.code, c, p);
        PreDecode(setup.preCoding, p, s.iScrambleSeq, r);
        const double rate = RunErrorRate(r, s.iData, s.iCodeBaud);
        sum += rate;
        squares += rate * rate;
    }
    const double mean = sum / runs;
    const double spread = std::sqrt((squares / runs - mean * mean) / (runs - 1));
    const double exact = ExactBer(setup, Db(dB));
    EXPECT_NEAR(mean, exact, 5 * spread + 1e-12)
        << test::IdName(setup.format) << " / " << test::IdName(setup.code) << " / "
        << test::IdName(setup.preCoding);
}

// Every mapping and line code, with and without differential pre-coding and scrambling,
// except where one exact pass takes seconds (HDB3 with the differential and 4B5B codes, which
// keep many states in flight, and the 4B5B codes pre-coded): those are in bench/theory_check.
// One case per mapping and line code, so that a parallel run spreads the exact passes.
class ExactBerReplay : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ExactBerReplay, AgreesWithTheRealStagesOnRandomDecisions) {
    const Format format = static_cast<Format>(std::get<0>(GetParam()));
    const LineCoding code = static_cast<LineCoding>(std::get<1>(GetParam()));
    EXPECT_NEAR(MeanLevelEnergy(format, code), SentEnergy(format, code, 4000),
                0.01 * MeanLevelEnergy(format, code));
    const bool manyStates = code == LineCoding::FourB5B || code == LineCoding::FourB5BNrzi;
    if (format == Format::Hdb3 && (manyStates || code == LineCoding::Differential)) return;
    for (PreCoding pre : {PreCoding::None, PreCoding::Differential, PreCoding::Scramble}) {
        if (manyStates && pre == PreCoding::Differential) continue;
        Replay({format, code, pre}, 4, static_cast<int>(test::Counted(3000)));
    }
}

INSTANTIATE_TEST_SUITE_P(ExactBer, ExactBerReplay,
                         ::testing::Combine(::testing::Range(0, 8), ::testing::Range(0, 6)));

// The first-order rate from the costs of single wrong decisions against the exact rate
// where second-order terms are small (13 dB), and the costs the decoders' rules give by
// hand: one bit for a plain decision, two where a bit is read from a transition,
// Manchester's half-bit decision kills a data bit of two slots.
double FirstOrderBer(const LinkSetup& setup, double ebN0) {
    const double esN0 = ebN0 / SymbolsPerDataBit(setup.code, setup.format);
    const double sigma = std::sqrt(MeanLevelEnergy(setup.format, setup.code) / (2 * esN0));
    const DecisionCosts& costs = WrongDecisionCosts(setup);
    const auto levels = DecisionLevels(setup.format);
    double ber = 0;
    for (std::size_t a = 0; a < levels.size(); ++a) {
        for (std::size_t b = 0; b < levels.size(); ++b) {
            if (a == b) continue;
            // Between the midway thresholds around b.
            const double lo = b == 0 ? -INFINITY : 0.5 * (levels[b - 1] + levels[b]);
            const double hi = b + 1 == levels.size() ? INFINITY : 0.5 * (levels[b] + levels[b + 1]);
            const double p = b > a ? Q((lo - levels[a]) / sigma) - Q((hi - levels[a]) / sigma)
                                   : Q((levels[a] - hi) / sigma) - Q((levels[a] - lo) / sigma);
            ber += costs.share[levels[a] + 3] * p * costs.cost[levels[a] + 3][levels[b] + 3];
        }
    }
    return ber;
}

TEST(WrongDecisionCosts, AddUpToTheExactRateAtHighEbN0) {
    using F = Format;
    using C = LineCoding;
    using P = PreCoding;
    const auto cost = [](LinkSetup s, int a, int b) {
        return WrongDecisionCosts(s).cost[a + 3][b + 3];
    };
    EXPECT_NEAR(cost({F::PolarNrz, C::None, P::None}, 1, -1), 1.0, 1e-9);
    EXPECT_NEAR(cost({F::PolarNrzi, C::None, P::None}, 1, -1), 2.0, 0.03);
    EXPECT_NEAR(cost({F::PolarNrz, C::Manchester, P::None}, -1, 1), 2.0, 0.03);
    EXPECT_NEAR(cost({F::UnipolarNrz, C::None, P::Differential}, 0, 1), 2.0, 0.03);
    for (const LinkSetup& s :
         {LinkSetup{F::UnipolarNrz, C::None, P::None}, LinkSetup{F::Ami, C::None, P::None},
          LinkSetup{F::Mlt3, C::None, P::None}, LinkSetup{F::Hdb3, C::None, P::None},
          LinkSetup{F::Pam4, C::None, P::Differential},
          LinkSetup{F::PolarNrz, C::DiffManchester, P::None},
          LinkSetup{F::PolarNrzi, C::FourB5BNrzi, P::None}}) {
        EXPECT_NEAR(FirstOrderBer(s, Db(13)) / ExactBer(s, Db(13)), 1.0, 0.03)
            << test::IdName(s.format) << " / " << test::IdName(s.code);
    }
}

// Inverted and decided midway in the order the levels arrive, every level is decided as its
// mirror image: the two-level mappings without a code get every bit the other way (1 - rate),
// while AMI and MLT3, which read their bits from marks and steps, keep their rate.
TEST(ExactBer, InvertedLinksDecideEachLevelAsItsMirrorImage) {
    struct Case {
        Format format;
        bool complement;
    };
    for (const Case c : {Case{Format::PolarNrz, true}, Case{Format::UnipolarNrz, true},
                         Case{Format::Ami, false}, Case{Format::Mlt3, false}}) {
        for (double dB : {4.0, 10.0}) {
            const double plain = ExactBer({c.format, LineCoding::None, PreCoding::None}, Db(dB));
            const double inverted =
                ExactBer({c.format, LineCoding::None, PreCoding::None, true}, Db(dB));
            EXPECT_NEAR(inverted, c.complement ? 1 - plain : plain, 1e-12 + 1e-9 * plain)
                << test::IdName(c.format) << " at " << dB << " dB";
        }
    }
}

// A wrong decision costs one bit of a plain mapping, two where a bit is read from a
// transition (NRZI, differential pre-coding), and more in a 4B5B group; averaged over every
// slot, of which those outside the compared bits (an eighth of a plain run) cost nothing.
TEST(BitsPerWrongDecision, CountsTheBitsACodeSpoilsPerWrongDecision) {
    struct Case {
        LinkSetup setup;
        double low, high;
    };
    const Case cases[] = {
        {{Format::PolarNrz, LineCoding::None, PreCoding::None}, 0.85, 1.0},
        {{Format::PolarNrzi, LineCoding::None, PreCoding::None}, 1.7, 2.0},
        {{Format::PolarNrz, LineCoding::None, PreCoding::Differential}, 1.7, 2.0},
        {{Format::PolarNrz, LineCoding::FourB5B, PreCoding::None}, 1.2, 4.0},
        {{Format::PolarNrz, LineCoding::FourB5BNrzi, PreCoding::None}, 2.0, 8.0},
    };
    for (const Case& c : cases) {
        const double bits = BitsPerWrongDecision(c.setup);
        EXPECT_GE(bits, c.low) << test::IdName(c.setup.format) << " / "
                               << test::IdName(c.setup.code);
        EXPECT_LE(bits, c.high) << test::IdName(c.setup.format) << " / "
                                << test::IdName(c.setup.code);
    }
}

}  // namespace
}  // namespace linelab
