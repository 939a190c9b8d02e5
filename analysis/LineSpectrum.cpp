#include "analysis/LineSpectrum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <vector>

#include "receiver/SpectrumAverage.h"

namespace linelab {
namespace {

// How the transmit spectrum comes about. Each run places one impulse of weight
// w_n = 16 * a_n * dScale every 16 samples (a_n the level of symbol n, n = 0..127), so its
// 2048-point transform is X(k) = sum_n w_n e^(+j 2 pi n k / 128), repeating every 128 bins,
// and the panel sees Y(k) = H(k) X(k) with H the transmit response (which already holds the
// rectangular pulse). The panel's points add the squares of two elements of Y, so what it
// tends to is built from E[Re Y(k)^2] and E[Im Y(k)^2], and with Yr = Hr Xr - Hi Xi,
// Yi = Hr Xi + Hi Xr these need only
//   E[Xr^2] = sum_nm R(n,m) cos_n cos_m,  E[Xi^2] = sum_nm R(n,m) sin_n sin_m,
//   E[Xr Xi] = sum_nm R(n,m) cos_n sin_m,
// with R(n,m) = E[w_n w_m]. This is |pulse x filter|^2 times the spectrum of the levels'
// autocorrelation, taken over the run's 128 symbols exactly as the transform does, with the
// mean kept in R so that a discrete line (unipolar's DC) lands in its own bin.
//
// R comes from the stages themselves written as one Markov chain: its state is all the
// stages remember (the data source's phase, the pre-coder's last bit, the code word being
// sent and how far into it, the line level of a differential code, the mapper's state), and
// every run starts from the state the stages start from. Then E[a_n] and E[a_n a_m] follow
// from the state distribution at symbol n and the expected level d symbols after each state,
// exactly and without drawing a single bit. Every run starting afresh makes R depend on n
// and not only on m - n (AMI's first mark is always positive): the chain keeps that too.

// The data code groups of 4B5B, indexed by the nibble, first bit most significant (the line
// coder's table).
constexpr std::array<uint8_t, 16> k4B5B = {0b11110, 0b01001, 0b10100, 0b10101, 0b01010, 0b01011,
                                           0b01110, 0b01111, 0b10010, 0b10011, 0b10110, 0b10111,
                                           0b11010, 0b11011, 0b11100, 0b11101};
constexpr std::array<int, 7> kPrbs7 = {1, 1, 1, 0, 0, 1, 0};
constexpr std::array<int, 4> kMlt3Cycle = {0, 1, 0, -1};

struct CodeState {
    uint8_t dataPhase = 0;  // PRBS position
    uint8_t pre = 0;        // the pre-coder's last output
    uint8_t word = 0;       // the code bits of the block being sent, first bit most significant
    uint8_t length = 0;     // bits in the block
    uint8_t sent = 0;       // bits of it already sent
    uint8_t level = 0;      // a differential code's line level (Diff. Manchester: last bit)
    uint8_t mapper = 0;     // NRZI level, AMI polarity (1 negative) or MLT3 position

    uint64_t Key() const {
        return uint64_t{dataPhase} | uint64_t{pre} << 8 | uint64_t{word} << 16 |
               uint64_t{length} << 24 | uint64_t{sent} << 32 | uint64_t{level} << 40 |
               uint64_t{mapper} << 48;
    }
};

struct Branch {
    double p;
    CodeState next;
    int value;  // a code bit, or a level
};

class Chain {
  public:
    Chain(const LineSpectrumSettings& s) : s_(s) {}

    // One data bit with its probability, the source moved on.
    std::vector<Branch> DataBit(CodeState x) const {
        switch (*s_.data) {
            case DataSource::Prbs7: {
                CodeState y = x;
                y.dataPhase = static_cast<uint8_t>((x.dataPhase + 1) % 7);
                return {{1.0, y, kPrbs7[x.dataPhase]}};
            }
            case DataSource::AllZeros:
                return {{1.0, x, 0}};
            case DataSource::AllOnes:
                return {{1.0, x, 1}};
            default:
                break;
        }
        // A bit is 1 when the draw exceeds the source's threshold.
        const double one = *s_.data == DataSource::Zeros75  ? 0.25
                           : *s_.data == DataSource::Ones75 ? 0.75
                                                            : 0.5;
        return {{1.0 - one, x, 0}, {one, x, 1}};
    }

    // One pre-coded bit.
    std::vector<Branch> PreBit(CodeState x) const {
        std::vector<Branch> out;
        for (const Branch& d : DataBit(x)) {
            CodeState y = d.next;
            switch (*s_.preCode) {
                case PreCoding::None:
                    out.push_back({d.p, y, d.value});
                    break;
                case PreCoding::Differential:
                    y.pre = static_cast<uint8_t>(d.value != 0 ? 1 - x.pre : x.pre);
                    out.push_back({d.p, y, y.pre});
                    break;
                case PreCoding::Scramble:  // each bit flipped by a fresh fair draw
                    out.push_back({d.p / 2, y, d.value});
                    out.push_back({d.p / 2, y, 1 - d.value});
                    break;
            }
        }
        return out;
    }

    // The next code bit: a new block is formed when the last one is used up.
    std::vector<Branch> CodeBit(CodeState x) const {
        std::vector<Branch> blocks;
        if (x.sent < x.length) {
            blocks.push_back({1.0, x, 0});
        } else if (*s_.code == LineCoding::FourB5B || *s_.code == LineCoding::FourB5BNrzi) {
            std::vector<Branch> partial = {{1.0, x, 0}};
            for (int b = 0; b < 4; ++b) {
                std::vector<Branch> longer;
                for (const Branch& h : partial) {
                    for (const Branch& bit : PreBit(h.next))
                        longer.push_back({h.p * bit.p, bit.next, 2 * h.value + bit.value});
                }
                partial = std::move(longer);
            }
            for (Branch& h : partial) {
                h.next.word = k4B5B[static_cast<std::size_t>(h.value)];
                h.next.length = 5;
                h.next.sent = 0;
                blocks.push_back(h);
            }
        } else {
            for (Branch bit : PreBit(x)) {
                CodeState& y = bit.next;
                y.sent = 0;
                const int b = bit.value;
                switch (*s_.code) {
                    case LineCoding::None:
                    case LineCoding::Differential:
                        y.word = static_cast<uint8_t>(b);
                        y.length = 1;
                        break;
                    case LineCoding::Manchester:  // a one high-then-low
                        y.word = static_cast<uint8_t>(b != 0 ? 0b10 : 0b01);
                        y.length = 2;
                        break;
                    default: {  // Diff. Manchester: a zero changes level at its start too
                        const int first = b != 0 ? x.level : 1 - x.level;
                        y.word = static_cast<uint8_t>(2 * first + (1 - first));
                        y.length = 2;
                        break;
                    }
                }
                blocks.push_back(bit);
            }
        }
        std::vector<Branch> out;
        for (Branch& h : blocks) {
            CodeState& y = h.next;
            int bit = (y.word >> (y.length - 1 - y.sent)) & 1;
            ++y.sent;
            if (*s_.code == LineCoding::Differential || *s_.code == LineCoding::FourB5BNrzi) {
                bit = bit != 0 ? 1 - y.level : y.level;
                y.level = static_cast<uint8_t>(bit);
            } else if (*s_.code == LineCoding::DiffManchester) {
                y.level = static_cast<uint8_t>(bit);
            }
            out.push_back({h.p, y, bit});
        }
        return out;
    }

    // The next symbol's level.
    std::vector<Branch> Symbol(CodeState x) const {
        std::vector<Branch> out;
        if (*s_.format == Format::Pam4) {  // two code bits, first most significant
            for (const Branch& hi : CodeBit(x)) {
                for (const Branch& lo : CodeBit(hi.next))
                    out.push_back({hi.p * lo.p, lo.next, 2 * (2 * hi.value + lo.value) - 3});
            }
            return out;
        }
        for (Branch b : CodeBit(x)) {
            CodeState& y = b.next;
            const int c = b.value;
            switch (*s_.format) {
                case Format::UnipolarNrz:
                    b.value = c;
                    break;
                case Format::PolarNrz:
                    b.value = 2 * c - 1;
                    break;
                case Format::UnipolarNrzi:
                case Format::PolarNrzi:
                    y.mapper = static_cast<uint8_t>(y.mapper ^ c);
                    b.value = *s_.format == Format::PolarNrzi ? 2 * y.mapper - 1 : y.mapper;
                    break;
                case Format::Ami:  // the first mark positive
                    b.value = c != 0 ? 1 - 2 * y.mapper : 0;
                    if (c != 0) y.mapper = static_cast<uint8_t>(1 - y.mapper);
                    break;
                default:  // MLT3: each one steps through 0, +1, 0, -1
                    y.mapper = static_cast<uint8_t>((y.mapper + c) % 4);
                    b.value = kMlt3Cycle[y.mapper];
                    break;
            }
            out.push_back(b);
        }
        return out;
    }

    // Where the stages start: Diff. Manchester's level at 1, everything else at 0. PRBS
    // starts at any of its 7 positions alike.
    std::vector<std::pair<double, CodeState>> Start() const {
        CodeState x;
        if (*s_.code == LineCoding::DiffManchester) x.level = 1;
        if (*s_.data != DataSource::Prbs7) return {{1.0, x}};
        std::vector<std::pair<double, CodeState>> out;
        for (uint8_t p = 0; p < 7; ++p) {
            x.dataPhase = p;
            out.emplace_back(1.0 / 7, x);
        }
        return out;
    }

  private:
    const LineSpectrumSettings& s_;
};

struct Edge {
    double p;
    int to;
    double level;
};

using Matrix = std::array<std::array<double, kSymbols>, kSymbols>;

// R(n, m) = E[a_n a_m] over one run's symbols.
Matrix LevelCorrelation(const Chain& chain) {
    std::unordered_map<uint64_t, int> index;
    std::vector<CodeState> states;
    const auto id = [&](const CodeState& x) {
        const auto [it, added] = index.emplace(x.Key(), static_cast<int>(states.size()));
        if (added) states.push_back(x);
        return it->second;
    };
    std::vector<double> start;
    for (const auto& [p, x] : chain.Start()) {
        const int i = id(x);
        start.resize(states.size(), 0.0);
        start[static_cast<std::size_t>(i)] += p;
    }
    std::vector<std::vector<Edge>> edges;
    for (std::size_t i = 0; i < states.size(); ++i) {  // states grows as they are found
        std::vector<Edge> out;
        for (const Branch& b : chain.Symbol(states[i]))
            out.push_back({b.p, id(b.next), static_cast<double>(b.value)});
        edges.push_back(std::move(out));
    }
    const std::size_t n = states.size();
    start.resize(n, 0.0);

    // ahead[d][x]: the expected level d + 1 symbols after leaving state x.
    std::vector<std::vector<double>> ahead(kSymbols, std::vector<double>(n, 0.0));
    for (std::size_t x = 0; x < n; ++x) {
        for (const Edge& e : edges[x])
            ahead[0][x] += e.p * e.level;
    }
    for (int d = 1; d < kSymbols; ++d) {
        for (std::size_t x = 0; x < n; ++x) {
            for (const Edge& e : edges[x])
                ahead[d][x] += e.p * ahead[d - 1][static_cast<std::size_t>(e.to)];
        }
    }
    Matrix r{};
    std::vector<double> dist = start;
    for (int i = 0; i < kSymbols; ++i) {
        // weighted[y]: the probability of reaching y at symbol i + 1 times the level sent on
        // the way, so that R(i, i + 1 + d) = sum_y weighted[y] ahead[d][y].
        std::vector<double> weighted(n, 0.0), next(n, 0.0);
        double square = 0;
        for (std::size_t x = 0; x < n; ++x) {
            if (dist[x] == 0) continue;
            for (const Edge& e : edges[x]) {
                const double q = dist[x] * e.p;
                square += q * e.level * e.level;
                weighted[static_cast<std::size_t>(e.to)] += q * e.level;
                next[static_cast<std::size_t>(e.to)] += q;
            }
        }
        r[i][i] = square;
        for (int m = i + 1; m < kSymbols; ++m) {
            double sum = 0;
            const auto& a = ahead[static_cast<std::size_t>(m - i - 1)];
            for (std::size_t y = 0; y < n; ++y)
                sum += weighted[y] * a[y];
            r[i][m] = r[m][i] = sum;
        }
        dist = std::move(next);
    }
    return r;
}

}  // namespace

LineSpectrumSettings TransmitSettingsOf(const LinkConfig& c) {
    return {c.data, c.preCode[0], c.code[0], c.format[0], c.iPulseWidth};
}

std::optional<SpectrumAverage> ExpectedTransmitSpectrum(const LineSpectrumSettings& s,
                                                        const Signal& h, double dBaudRate) {
    if (!s.data || !s.preCode || !s.code || !s.format) return std::nullopt;
    if (*s.data == DataSource::ExponentialRuns || *s.format == Format::Hdb3) return std::nullopt;
    const Chain chain(s);
    const Matrix r = LevelCorrelation(chain);
    // The impulse weight per unit of level, as the pulse train forms it.
    const double width = std::clamp<int>(s.iPulseWidth, 1, 16);
    const double c = 16.0 * Info(*s.format).amplitude * 16.0 / width;

    // E[Xr^2], E[Xi^2], E[Xr Xi] for each of the 128 distinct bins.
    std::array<std::array<double, 3>, kSymbols> moments{};
    std::array<double, kSymbols> cosines{}, sines{};
    for (int k = 0; k < kSymbols; ++k) {
        for (int i = 0; i < kSymbols; ++i) {
            const double theta = 2 * std::numbers::pi * ((k * i) % kSymbols) / kSymbols;
            cosines[i] = std::cos(theta);
            sines[i] = std::sin(theta);
        }
        double cc = 0, ss = 0, cs = 0;
        for (int i = 0; i < kSymbols; ++i) {
            double rc = 0, rs = 0;
            for (int m = 0; m < kSymbols; ++m) {
                rc += r[i][m] * cosines[m];
                rs += r[i][m] * sines[m];
            }
            cc += cosines[i] * rc;
            ss += sines[i] * rs;
            cs += cosines[i] * rs;
        }
        moments[k] = {c * c * cc, c * c * ss, c * c * cs};
    }
    // The panel squares and adds elements; amplitudes whose squares are the expected
    // element powers let it map them to its points exactly as it maps a run.
    Signal amplitude{};
    for (int k = 0; k < kPoints; ++k) {
        const auto& [xx, yy, xy] = moments[k % kSymbols];
        const double hr = h[2 * k], hi = h[2 * k + 1];
        const double re = hr * hr * xx + hi * hi * yy - 2 * hr * hi * xy;
        const double im = hr * hr * yy + hi * hi * xx + 2 * hr * hi * xy;
        amplitude[2 * k] = std::sqrt(std::max(re, 0.0));
        amplitude[2 * k + 1] = std::sqrt(std::max(im, 0.0));
    }
    SpectrumAverage expected{};
    int32_t count = 0;
    AccumulateSpectrum(amplitude, expected, count, dBaudRate);
    return expected;
}

}  // namespace linelab
