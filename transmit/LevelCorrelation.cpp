#include "transmit/LevelCorrelation.h"
#include "transmit/CodeTables.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace linelab {
namespace {

// R comes from the stages themselves written as one Markov chain: its state is all the
// stages remember (the data source's phase, the pre-coder's last bit, the code word being
// sent and how far into it, the line level of a differential code, the mapper's state), and
// every run starts from the state the stages start from. Then E[a_n] and E[a_n a_m] follow
// from the state distribution at symbol n and the expected level d symbols after each state,
// exactly and without drawing a single bit. Every run starting afresh makes R depend on n
// and not only on m - n (AMI's first mark is always positive): the chain keeps that too.
//
// HDB3 decides a zero's level only three code bits later (a balancing pulse B at the first
// of four zeros), so its chain carries those three bits ahead: the state holds the code
// bits of this slot and the next three, and each step draws the one four slots on. A
// substitution is made only when all four zeros fall inside the run, so the last three
// slots never send a balancing pulse: those steps have their own edges (the chain's tail).

constexpr std::array<int, 4> kMlt3Cycle = {0, 1, 0, -1};

struct State {
    uint8_t dataPhase = 0;  // PRBS position
    uint8_t pre = 0;        // the pre-coder's last output
    uint8_t word = 0;       // the code bits of the block being sent, first bit most significant
    uint8_t length = 0;     // bits in the block
    uint8_t sent = 0;       // bits of it already sent
    uint8_t level = 0;      // a differential code's line level (Diff. Manchester: last bit)
    uint8_t mapper = 0;     // NRZI level, AMI/HDB3 polarity (1 negative) or MLT3 position
    uint8_t ahead = 0;     // HDB3: the code bits of this slot and the next three, this one in bit 0
    uint8_t zeros = 0;     // HDB3: zeros since the last mark or substitution
    uint8_t marksOdd = 0;  // HDB3: marks since the last substitution, mod 2

    uint64_t Key() const {
        return uint64_t{dataPhase} | uint64_t{pre} << 6 | uint64_t{word} << 8 |
               uint64_t{length} << 16 | uint64_t{sent} << 20 | uint64_t{level} << 24 |
               uint64_t{mapper} << 26 | uint64_t{ahead} << 32 | uint64_t{zeros} << 40 |
               uint64_t{marksOdd} << 48;
    }
};

struct Branch {
    double p;
    State next;
    int value;  // a code bit, or a level
};

class Chain {
  public:
    explicit Chain(const LevelSettings& s) : s_(s) {}

    bool Hdb3() const { return *s_.format == Format::Hdb3; }

    // One data bit with its probability, the source moved on.
    std::vector<Branch> DataBit(State x) const {
        switch (*s_.data) {
            case DataSource::Prbs7: {
                State y = x;
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
    std::vector<Branch> PreBit(State x) const {
        std::vector<Branch> out;
        for (const Branch& d : DataBit(x)) {
            State y = d.next;
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
    std::vector<Branch> CodeBit(State x) const {
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
                State& y = bit.next;
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
            State& y = h.next;
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

    // The next symbol's level; tail: one of the run's last three slots.
    std::vector<Branch> Symbol(State x, bool tail) const {
        std::vector<Branch> out;
        if (Hdb3()) return Hdb3Symbol(x, tail);
        if (*s_.format == Format::Pam4) {  // two code bits, first most significant
            for (const Branch& hi : CodeBit(x)) {
                for (const Branch& lo : CodeBit(hi.next))
                    out.push_back({hi.p * lo.p, lo.next, 2 * (2 * hi.value + lo.value) - 3});
            }
            return out;
        }
        for (Branch b : CodeBit(x)) {
            State& y = b.next;
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
    // starts at any of its 7 positions alike. HDB3 has its first four code bits drawn.
    std::vector<std::pair<double, State>> Start() const {
        State x;
        if (*s_.code == LineCoding::DiffManchester) x.level = 1;
        std::vector<std::pair<double, State>> out;
        if (*s_.data != DataSource::Prbs7) {
            out.emplace_back(1.0, x);
        } else {
            for (uint8_t p = 0; p < 7; ++p) {
                x.dataPhase = p;
                out.emplace_back(1.0 / 7, x);
            }
        }
        if (!Hdb3()) return out;
        for (int bit = 0; bit < 4; ++bit) {
            std::vector<std::pair<double, State>> longer;
            for (const auto& [p, y] : out) {
                for (Branch b : CodeBit(y)) {
                    b.next.ahead = static_cast<uint8_t>(y.ahead | b.value << bit);
                    longer.emplace_back(p * b.p, b.next);
                }
            }
            out = std::move(longer);
        }
        return out;
    }

  private:
    // Alternate mark inversion with every fourth zero in a row replaced: after an odd number
    // of marks by a violation (000V), after an even number by a balancing pulse and a
    // violation (B00V), as the mapper does it.
    std::vector<Branch> Hdb3Symbol(State x, bool tail) const {
        const int polarity = x.mapper == 0 ? 1 : -1;
        int level = 0;
        if ((x.ahead & 1) != 0) {
            level = polarity;
            x.mapper ^= 1;
            x.zeros = 0;
            x.marksOdd ^= 1;
        } else if (x.zeros == 3) {  // the fourth zero: the violation
            level = x.marksOdd != 0 ? -polarity : polarity;
            if (x.marksOdd == 0) x.mapper ^= 1;
            x.zeros = 0;
            x.marksOdd = 0;
        } else if (x.zeros == 0 && (x.ahead & 0xf) == 0 && x.marksOdd == 0 && !tail) {
            level = polarity;  // the balancing pulse of B00V
            x.zeros = 1;
        } else {
            ++x.zeros;
        }
        std::vector<Branch> out;
        for (Branch b : CodeBit(x)) {
            b.next.ahead = static_cast<uint8_t>(x.ahead >> 1 | b.value << 3);
            b.value = level;
            out.push_back(b);
        }
        return out;
    }

    const LevelSettings& s_;
};

struct Edge {
    double p;
    int to;
    double level;
};

// The last slots that send no balancing pulse.
constexpr int kHdb3Tail = 3;

using Vector = std::vector<double>;

// The chain with every state it reaches numbered, and its edges.
struct Model {
    std::size_t n = 0;       // states
    int regular = kSymbols;  // slots from here on take the tail's edges
    Vector start;
    std::array<std::vector<std::vector<Edge>>, 2> edges;  // regular, tail

    const std::vector<std::vector<Edge>>& EdgesAt(int slot) const {
        return edges[slot < regular ? 0 : 1];
    }
};

std::optional<Model> Build(const LevelSettings& settings) {
    if (!settings.data || !settings.preCode || !settings.code || !settings.format)
        return std::nullopt;
    if (*settings.data == DataSource::ExponentialRuns) return std::nullopt;
    const Chain chain(settings);
    Model m;
    m.regular = chain.Hdb3() ? kSymbols - kHdb3Tail : kSymbols;
    std::unordered_map<uint64_t, int> index;
    std::vector<State> states;
    const auto id = [&](const State& x) {
        const auto [it, added] = index.emplace(x.Key(), static_cast<int>(states.size()));
        if (added) states.push_back(x);
        return it->second;
    };
    for (const auto& [p, x] : chain.Start()) {
        const int i = id(x);
        m.start.resize(states.size(), 0.0);
        m.start[static_cast<std::size_t>(i)] += p;
    }
    for (std::size_t i = 0; i < states.size(); ++i) {  // states grows as they are found
        for (int tail = 0; tail < 2; ++tail) {
            std::vector<Edge> out;
            if (tail == 0 || m.regular < kSymbols) {
                for (const Branch& b : chain.Symbol(states[i], tail != 0))
                    out.push_back({b.p, id(b.next), static_cast<double>(b.value)});
            }
            m.edges[static_cast<std::size_t>(tail)].push_back(std::move(out));
        }
    }
    if (m.regular == kSymbols) m.edges[1] = m.edges[0];
    m.n = states.size();
    m.start.resize(m.n, 0.0);
    return m;
}

// ahead[d][x]: the expected level d + 1 symbols after leaving state x, over regular slots.
std::vector<Vector> Ahead(const Model& m) {
    std::vector<Vector> ahead(kSymbols, Vector(m.n, 0.0));
    for (std::size_t x = 0; x < m.n; ++x) {
        for (const Edge& e : m.edges[0][x])
            ahead[0][x] += e.p * e.level;
    }
    for (int d = 1; d < kSymbols; ++d) {
        for (std::size_t x = 0; x < m.n; ++x) {
            for (const Edge& e : m.edges[0][x])
                ahead[d][x] += e.p * ahead[d - 1][static_cast<std::size_t>(e.to)];
        }
    }
    return ahead;
}

// back[t - regular][k][x]: the expected level of tail slot t given state x at slot k.
std::vector<std::vector<Vector>> Back(const Model& m) {
    std::vector<std::vector<Vector>> back;
    for (int t = m.regular; t < kSymbols; ++t) {
        std::vector<Vector> b(static_cast<std::size_t>(t) + 1, Vector(m.n, 0.0));
        for (std::size_t x = 0; x < m.n; ++x) {
            for (const Edge& e : m.EdgesAt(t)[x])
                b[static_cast<std::size_t>(t)][x] += e.p * e.level;
        }
        for (int k = t - 1; k >= 0; --k) {
            for (std::size_t x = 0; x < m.n; ++x) {
                for (const Edge& e : m.EdgesAt(k)[x])
                    b[static_cast<std::size_t>(k)][x] +=
                        e.p * b[static_cast<std::size_t>(k) + 1][static_cast<std::size_t>(e.to)];
            }
        }
        back.push_back(std::move(b));
    }
    return back;
}

// One symbol forward from the distribution at slot i: the distribution at i + 1, and
// weighted[y], the probability of reaching y at i + 1 times the level sent on the way, so
// that E[a_i a_t] = sum_y weighted[y] E[a_t | y at i + 1]; returns E[a_i^2].
double Step(const Model& m, int i, Vector& dist, Vector& weighted) {
    Vector next(m.n, 0.0);
    weighted.assign(m.n, 0.0);
    double square = 0;
    for (std::size_t x = 0; x < m.n; ++x) {
        if (dist[x] == 0) continue;
        for (const Edge& e : m.EdgesAt(i)[x]) {
            const double q = dist[x] * e.p;
            square += q * e.level * e.level;
            weighted[static_cast<std::size_t>(e.to)] += q * e.level;
            next[static_cast<std::size_t>(e.to)] += q;
        }
    }
    dist = std::move(next);
    return square;
}

double Dot(const Vector& a, const Vector& b) {
    double sum = 0;
    for (std::size_t y = 0; y < a.size(); ++y)
        sum += a[y] * b[y];
    return sum;
}

}  // namespace

std::optional<LevelMatrix> LevelCorrelation(const LevelSettings& settings) {
    const std::optional<Model> model = Build(settings);
    if (!model) return std::nullopt;
    const Model& m = *model;
    const std::vector<Vector> ahead = Ahead(m);
    const std::vector<std::vector<Vector>> back = Back(m);
    LevelMatrix r(kSymbols);
    Vector dist = m.start, weighted;
    for (int i = 0; i < kSymbols; ++i) {
        r[i][i] = Step(m, i, dist, weighted);
        for (int t = i + 1; t < kSymbols; ++t) {
            const Vector& a = t < m.regular ? ahead[static_cast<std::size_t>(t - i - 1)]
                                            : back[static_cast<std::size_t>(t - m.regular)]
                                                  [static_cast<std::size_t>(i) + 1];
            r[i][t] = r[t][i] = Dot(weighted, a);
        }
    }
    return r;
}

std::optional<LevelLags> LevelLagSums(const LevelSettings& settings) {
    const std::optional<Model> model = Build(settings);
    if (!model) return std::nullopt;
    const Model& m = *model;
    const std::vector<Vector> ahead = Ahead(m);
    const std::vector<std::vector<Vector>> back = Back(m);
    LevelLags lag{};
    // Pairs within the regular slots at lag d >= 1 start at i = 0 .. regular - 1 - d, so
    // their sum is one product of ahead[d - 1] with the running sum of weighted up to that
    // i: each step closes exactly one lag.
    Vector dist = m.start, weighted, running(m.n, 0.0);
    for (int i = 0; i < kSymbols; ++i) {
        lag[0] += Step(m, i, dist, weighted);
        for (int t = std::max(i + 1, m.regular); t < kSymbols; ++t)
            lag[static_cast<std::size_t>(t - i)] +=
                Dot(weighted,
                    back[static_cast<std::size_t>(t - m.regular)][static_cast<std::size_t>(i) + 1]);
        if (i + 1 >= m.regular) continue;
        for (std::size_t y = 0; y < m.n; ++y)
            running[y] += weighted[y];
        const int d = m.regular - 1 - i;
        lag[static_cast<std::size_t>(d)] += Dot(running, ahead[static_cast<std::size_t>(d - 1)]);
    }
    return lag;
}

}  // namespace linelab
