// The exact ideal-receiver rate against the real transmit and receive stages, at the length
// a statistical check needs (minutes, so not a unit test; `make bench` builds it, run it by
// hand): the stages run as the engine runs them, with decisions drawn around each sent
// level as a matched pair of Nyquist filters gives them (fixed noise density, thresholds
// midway). Two parts:
//   rates     every mapping, line code and pre-coding at 0, 4, 8 and 12 dB, until 1,000
//             errors (or a run limit at the highest Eb/N0); the 99 % interval from blocks of
//             runs must contain the exact rate.
//   coverage  500 points at 6 dB, each 20 blocks of 40 runs: how often the 95 % block
//             interval and the binomial one contain the exact rate.
// Usage: linelab_theory_check [rates|coverage] (both without an argument). Exit status 1
// when a rate falls outside its interval or a coverage is below 93 %.

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "analysis/BlockInterval.h"
#include "analysis/ExactBer.h"
#include "analysis/SignalToNoise.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Demodulator.h"
#include "receiver/LineDecoder.h"
#include "receiver/PreDecoder.h"
#include "transmit/Transmit.h"
#include "ui/ListTexts.h"

namespace linelab {
namespace {

class Link {
  public:
    Link(LinkSetup setup, double dB, uint64_t seed) : setup_(setup), gen_(seed) {
        const double esN0 = std::pow(10.0, dB / 10) / SymbolsPerDataBit(setup.code, setup.format);
        noise_ = std::normal_distribution<double>(
            0.0, std::sqrt(MeanLevelEnergy(setup.format, setup.code) / (2 * esN0)));
        t_ = {0.5, 0.5, 0.5, 0.5, 0};
        if (setup.format == Format::PolarNrz || setup.format == Format::PolarNrzi) t_ = {};
        if (Info(setup.format).kind == FormatClass::ThreeLevel) t_ = {0.5, -0.5, 0.5, 0.5, 0};
        if (setup.format == Format::Pam4) t_ = {2, 0, -2, 2, 0};
        s_.rng = Uniform(seed);
    }

    // One run: wrong compared bits and compared bits.
    BlockCounts Run() {
        GenerateData(DataSource::Random, s_.rng, s_.iData);
        PreCode(setup_.preCoding, s_);
        LineCode(setup_.code, setup_.format == Format::Pam4, s_);
        MapLevels(setup_.format, 16, s_.iCodedData, s_.iModData);
        for (int k = 0; k < kSymbols; ++k)
            decided_[k] = DecideLevel(setup_.format, s_.iModData[k] + noise_(gen_), t_);
        LevelsToCodeBits(setup_.format, decided_, c_);
        LineDecode(setup_.code, c_, p_);
        PreDecode(setup_.preCoding, p_, s_.iScrambleSeq, r_);
        const int last = LastComparedBit(s_.iCodeBaud);
        BlockCounts counts{0, static_cast<uint64_t>(last - 8 + 1)};
        for (int k = 8; k <= last; ++k)
            counts.errors += r_[k] != s_.iData[k] ? 1 : 0;
        return counts;
    }

  private:
    LinkSetup setup_;
    std::mt19937_64 gen_;
    std::normal_distribution<double> noise_;
    Thresholds t_{};
    RunState s_;
    Symbols decided_{};
    Bits c_{}, p_{}, r_{};
};

std::string Name(const LinkSetup& s) {
    return std::string(Name(s.format)) + " / " + std::string(Name(s.code)) + " / " +
           std::string(kPreCodingNames[static_cast<std::size_t>(s.preCoding)]);
}

bool Rates() {
    bool ok = true;
    for (int f = 0; f < 8; ++f) {
        for (int c = 0; c < 6; ++c) {
            for (PreCoding pre : {PreCoding::None, PreCoding::Differential}) {
                const LinkSetup setup{static_cast<Format>(f), static_cast<LineCoding>(c), pre};
                for (double dB : {0.0, 4.0, 8.0, 12.0}) {
                    Link link(setup, dB, 1000 * f + 10 * c + static_cast<int>(pre) + 7);
                    std::vector<BlockCounts> blocks(50);
                    uint64_t errors = 0, runs = 0;
                    constexpr uint64_t kMaxRuns = 2000000;
                    while (errors < 1000 && runs < kMaxRuns) {
                        const BlockCounts r = link.Run();
                        blocks[runs % blocks.size()].errors += r.errors;
                        blocks[runs % blocks.size()].bits += r.bits;
                        errors += r.errors;
                        ++runs;
                    }
                    const double exact = ExactBer(setup, std::pow(10.0, dB / 10));
                    const RateInterval i = BlockInterval(blocks, 0.99);
                    uint64_t bits = 0;
                    for (const BlockCounts& b : blocks)
                        bits += b.bits;
                    const double measured = static_cast<double>(errors) / static_cast<double>(bits);
                    const bool inside = exact >= i.interval.dLow && exact <= i.interval.dHigh;
                    const bool enough = errors >= 1000;
                    if (enough && !inside) ok = false;
                    std::printf(
                        "%-44s %4.0f dB  exact %.4e  measured %.4e  ratio %.3f  errors %llu%s\n",
                        Name(setup).c_str(), dB, exact, measured, measured / exact,
                        static_cast<unsigned long long>(errors),
                        !enough  ? "  (run limit)"
                        : inside ? ""
                                 : "  OUTSIDE 99 %");
                    std::fflush(stdout);
                }
            }
        }
    }
    return ok;
}

bool Coverage() {
    bool ok = true;
    const std::vector<LinkSetup> setups = {
        {Format::PolarNrz, LineCoding::None, PreCoding::None},
        {Format::PolarNrz, LineCoding::FourB5B, PreCoding::None},
        {Format::PolarNrz, LineCoding::FourB5BNrzi, PreCoding::None},
        {Format::Mlt3, LineCoding::None, PreCoding::None},
        {Format::PolarNrzi, LineCoding::None, PreCoding::None},
        {Format::Hdb3, LineCoding::None, PreCoding::None},
    };
    for (const LinkSetup& setup : setups) {
        const double exact = ExactBer(setup, std::pow(10.0, 0.6));
        Link link(setup, 6, 99);
        int blockHits = 0, exactHits = 0;
        constexpr int kPoints = 500;
        for (int point = 0; point < kPoints; ++point) {
            std::vector<BlockCounts> blocks(20);
            for (BlockCounts& b : blocks) {
                for (int run = 0; run < 40; ++run) {
                    const BlockCounts r = link.Run();
                    b.errors += r.errors;
                    b.bits += r.bits;
                }
            }
            const RateInterval i = BlockInterval(blocks);
            blockHits += exact >= i.interval.dLow && exact <= i.interval.dHigh;
            uint64_t errors = 0, bits = 0;
            for (const BlockCounts& b : blocks) {
                errors += b.errors;
                bits += b.bits;
            }
            const BinomialInterval e = ClopperPearson(errors, bits);
            exactHits += exact >= e.dLow && exact <= e.dHigh;
        }
        const double blockCover = static_cast<double>(blockHits) / kPoints;
        if (blockCover < 0.93) ok = false;
        std::printf("%-44s 6 dB  blocks %.1f %%  binomial %.1f %%\n", Name(setup).c_str(),
                    100 * blockCover, 100.0 * exactHits / kPoints);
        std::fflush(stdout);
    }
    return ok;
}

}  // namespace
}  // namespace linelab

int main(int argc, char** argv) {
    const std::string part = argc > 1 ? argv[1] : "";
    bool ok = true;
    if (part.empty() || part == "coverage") ok = linelab::Coverage() && ok;
    if (part.empty() || part == "rates") ok = linelab::Rates() && ok;
    return ok ? 0 : 1;
}
