#include "analysis/ExactBer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "analysis/SignalToNoise.h"
#include "common/RunState.h"
#include "receiver/BitErrorRate.h"
#include "receiver/LineDecoder.h"

namespace linelab {
namespace {

// The derivation in brief. Let the run's data bits be D, the levels sent L(D), the levels
// decided L'. With ideal filters the sample of slot k is L_k + n_k, the n_k independent with
// deviation sigma, so P(L' | D) = prod_k P(L'_k | L_k), each factor a difference of two
// Gaussian tails between the thresholds around L'_k. The data bits received, R(L'), follow by
// rules that look back only a bounded way or through a small state (the last decided level,
// the last mark's polarity, the Diff. Manchester reference level, a 4B5B group in progress,
// up to three HDB3 code bits that a violation may still clear), and the transmitter's rules
// are likewise a small state machine (pre-coder, line coder, mapper, HDB3's pending zeros).
// Hence
//     E[wrong compared bits] = sum_j P(R_j != D_j)
// is a sum over the joint state's distribution, which one pass over the run carries forward:
// each data bit branches the state in two (a 4B5B nibble in sixteen), each symbol sent in as
// many ways as there are levels to decide, and equal states are merged. Every branch carries
// its exact probability, so the result is exact up to rounding. The rules below mirror
// transmit/ and receiver/ step by step; a test replays the real stages on random decisions
// against this result.

constexpr int kNone = -1;

struct State {
    uint64_t fifo = 0;  // data bits sent and not yet compared, oldest in bit 0
    // transmitter
    int16_t fifoCount = 0;
    int16_t preLast = kNone;   // last pre-coded bit (differential pre-coding)
    int16_t codeLast = kNone;  // last coded bit (the Differential line code)
    int16_t lineLevel = 1;     // DiffManchester level (starts at 1) or NRZI level of 4B5B
    int16_t mapState = 0;      // NRZI level, AMI/HDB3 next polarity, MLT3 phase
    int16_t zeros = 0;         // HDB3 zeros waiting
    int16_t marksOdd = 0;      // HDB3 marks since the last substitution, mod 2
    int16_t pamFirst = kNone;  // 4-PAM first bit of a pair
    int16_t nibble = 0;        // 4B5B pre-coded bits collected
    int16_t nibbleCount = 0;
    int16_t txSlot = 0;  // symbols emitted (HDB3 counts its waiting zeros apart)
    // symbols emitted and not yet decided
    int16_t queueCount = 0;
    std::array<int16_t, 8> queue{};
    // receiver
    int16_t slot = 0;       // symbols decided
    int16_t prevLevel = 0;  // last decided level
    int16_t lastMark = 0;   // HDB3 decoder's last mark
    int16_t heldCount = 0;  // HDB3 code bits a violation may still clear
    std::array<int16_t, 3> held{};
    int16_t codeIndex = 0;  // code bits into the line decoder
    int16_t prevCode = 0;   // previous code bit (as decided, before NRZI removal)
    int16_t reference = 1;  // Diff. Manchester decoder's level
    int16_t half = kNone;   // first half of a Manchester pair
    int16_t group = 0;      // 4B5B group in progress
    int16_t groupCount = 0;
    int16_t dataIndex = 0;     // data bits out of the pre-decoder
    int16_t prevData = kNone;  // previous line-decoded bit (differential pre-decoding)
    int16_t unused = 0;        // keeps the record free of padding

    bool operator==(const State&) const = default;
};

struct StateHash {
    std::size_t operator()(const State& s) const {
        std::array<uint64_t, sizeof(State) / 8> words;
        std::memcpy(words.data(), &s, sizeof(State));
        uint64_t h = 0;
        for (uint64_t w : words) {
            h = (h ^ w) * 0x9e3779b97f4a7c15ULL;
            h ^= h >> 29;
        }
        h *= 0xff51afd7ed558ccdULL;
        return static_cast<std::size_t>(h ^ (h >> 33));
    }
};
static_assert(std::has_unique_object_representations_v<State>,
              "the hash reads the bytes, so the state must have no padding");

using Distribution = std::unordered_map<State, double, StateHash>;

int16_t Bit(bool b) {
    return b ? 1 : 0;
}

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// P(decided = levels[j] | sent level) with thresholds midway and noise deviation sigma.
struct DecisionTable {
    std::vector<int16_t> levels;
    std::array<std::vector<double>, 7> given;  // by sent level + 3
    double smallest = 1;                       // the least likely crossing of one gap
};

// Inverted, a level arrives where its mirror image would: it is decided as that one is.
DecisionTable Decisions(Format format, double sigma, bool inverted) {
    const auto levels = DecisionLevels(format);
    DecisionTable t{std::vector<int16_t>(levels.begin(), levels.end()), {}};
    const std::size_t n = t.levels.size();
    for (std::size_t index = 0; index < n; ++index) {
        const int16_t sent = t.levels[inverted ? n - 1 - index : index];
        std::vector<double> p(n);
        for (std::size_t j = 0; j < n; ++j) {
            const double lo = j == 0 ? -INFINITY : 0.5 * (t.levels[j - 1] + t.levels[j]);
            const double hi = j + 1 == n ? INFINITY : 0.5 * (t.levels[j] + t.levels[j + 1]);
            if (sigma <= 0) {
                p[j] = t.levels[j] == sent ? 1.0 : 0.0;
            } else {
                // The upper tail first where it is the small one, so tiny rates keep digits.
                p[j] = Phi((hi - sent) / sigma) - Phi((lo - sent) / sigma);
                if (lo > sent) p[j] = Phi((sent - lo) / sigma) - Phi((sent - hi) / sigma);
            }
        }
        for (std::size_t j = 0; j < n; ++j) {
            if (t.levels[j] != sent && p[j] > 0) t.smallest = std::min(t.smallest, p[j]);
        }
        t.given[static_cast<std::size_t>(t.levels[index] + 3)] = p;
    }
    return t;
}

class Machine {
  public:
    Machine(const LinkSetup& setup, int lastCompared)
        : setup_(setup),
          last_(lastCompared),
          keepLevel_(setup.format == Format::UnipolarNrzi || setup.format == Format::PolarNrzi ||
                     setup.format == Format::Mlt3),
          keepCode_(setup.code == LineCoding::Differential ||
                    setup.code == LineCoding::FourB5BNrzi),
          errorFlags_(setup.preCoding == PreCoding::Differential &&
                      (setup.code == LineCoding::None || setup.code == LineCoding::Differential)) {}

    // --- transmitter: one data bit in, symbols into the queue -------------------------
    void SendData(State& s, int16_t d) const {
        s.fifo |= static_cast<uint64_t>(d) << s.fifoCount;
        ++s.fifoCount;
        int16_t pre = d;
        if (setup_.preCoding == PreCoding::Differential && !errorFlags_) {
            pre =
                s.preLast == kNone ? d : (d != 0 ? static_cast<int16_t>(1 - s.preLast) : s.preLast);
            s.preLast = pre;
        }
        // Scrambling XORs data and pre-coded bit alike with the same fresh random sequence,
        // so with random data it behaves as no pre-coding: the pre-coded bits are again
        // random, and a bit is wrong exactly when the line-decoded bit differs from them.
        switch (setup_.code) {
            case LineCoding::None:
                Map(s, pre);
                break;
            case LineCoding::Differential: {
                const int16_t c =
                    s.codeLast == kNone
                        ? pre
                        : (pre != 0 ? static_cast<int16_t>(1 - s.codeLast) : s.codeLast);
                s.codeLast = c;
                Map(s, c);
                break;
            }
            case LineCoding::Manchester:
                Map(s, pre);
                Map(s, Bit(pre == 0));
                break;
            case LineCoding::DiffManchester: {
                const int16_t level = s.lineLevel;
                if (pre == 1) {
                    Map(s, level);
                    Map(s, Bit(level == 0));
                    s.lineLevel = Bit(level == 0);
                } else {
                    Map(s, Bit(level == 0));
                    Map(s, level);
                }
                break;
            }
            case LineCoding::FourB5B:
            case LineCoding::FourB5BNrzi:
                s.nibble = static_cast<int16_t>(2 * s.nibble + pre);
                if (++s.nibbleCount < 4) break;
                for (int b = 4; b >= 0; --b) {
                    int16_t c =
                        static_cast<int16_t>((kWords[static_cast<std::size_t>(s.nibble)] >> b) & 1);
                    if (setup_.code == LineCoding::FourB5BNrzi) c = NrziStep(s, c);
                    Map(s, c);
                }
                s.nibble = 0;
                s.nibbleCount = 0;
                break;
        }
    }

    // --- receiver: the oldest queued symbol decided as `level` ----------------------------
    void Receive(State& s, int16_t level, double p, double& errors) const {
        const int k = s.slot;
        const int16_t prev = s.prevLevel;
        // Kept only where a later decision reads it: states that differ in nothing else
        // merge, which is most of the speed of the three-level codes.
        s.prevLevel = keepLevel_ ? level : 0;
        ++s.slot;
        switch (setup_.format) {
            case Format::UnipolarNrz:
                Decode(s, level, p, errors);
                break;
            case Format::PolarNrz:
                Decode(s, Bit(level > 0), p, errors);
                break;
            case Format::UnipolarNrzi:
                Decode(s, k == 0 ? level : Bit(level != prev), p, errors);
                break;
            case Format::PolarNrzi:
                Decode(s, k == 0 ? Bit(level > 0) : Bit(level != prev), p, errors);
                break;
            case Format::Ami:
                Decode(s, k == 0 ? Bit(level > 0) : Bit(level != 0), p, errors);
                break;
            case Format::Mlt3: {
                const bool step = (prev == 0 && level != 0) || (level == 0 && prev != 0);
                Decode(s, k == 0 ? Bit(level == 1) : Bit(step), p, errors);
                break;
            }
            case Format::Hdb3:
                ReceiveHdb3(s, k, level, p, errors);
                break;
            case Format::Pam4:
                Decode(s, Bit(level == 3 || level == 1), p, errors);
                Decode(s, Bit(level == 3 || level == -1), p, errors);
                break;
        }
    }

    // Transmit energy of a symbol, and whether a state has nothing left to contribute.
    bool Finished(const State& s, bool energyPass) const {
        return energyPass ? s.slot >= kSymbols : s.dataIndex > last_;
    }

  private:
    static constexpr std::array<int16_t, 16> kWords = {
        0b11110, 0b01001, 0b10100, 0b10101, 0b01010, 0b01011, 0b01110, 0b01111,
        0b10010, 0b10011, 0b10110, 0b10111, 0b11010, 0b11011, 0b11100, 0b11101};

    // 4B5B + NRZI: the level (lineLevel, reset to 0 for this code) toggles on every one.
    static int16_t NrziStep(State& s, int16_t c) {
        if (c == 1) s.lineLevel = static_cast<int16_t>(1 - s.lineLevel);
        return s.lineLevel;
    }

    static void Push(State& s, int16_t level) {
        s.queue[static_cast<std::size_t>(s.queueCount++)] = level;
    }

    void Map(State& s, int16_t c) const {
        switch (setup_.format) {
            case Format::UnipolarNrz:
                Push(s, c);
                break;
            case Format::PolarNrz:
                Push(s, c == 1 ? 1 : -1);
                break;
            case Format::UnipolarNrzi:
            case Format::PolarNrzi: {
                if (c == 1) s.mapState = static_cast<int16_t>(1 - s.mapState);
                const bool polar = setup_.format == Format::PolarNrzi;
                Push(s, polar ? (s.mapState == 1 ? 1 : -1) : s.mapState);
                break;
            }
            case Format::Ami:
                if (c == 1) {
                    Push(s, s.mapState);
                    s.mapState = static_cast<int16_t>(-s.mapState);
                } else {
                    Push(s, 0);
                }
                break;
            case Format::Mlt3: {
                static constexpr std::array<int16_t, 4> kCycle = {0, 1, 0, -1};
                if (c == 1) s.mapState = static_cast<int16_t>((s.mapState + 1) % 4);
                Push(s, kCycle[static_cast<std::size_t>(s.mapState)]);
                break;
            }
            case Format::Hdb3:
                MapHdb3(s, c);
                break;
            case Format::Pam4:
                if (s.pamFirst == kNone) {
                    s.pamFirst = c;
                } else {
                    Push(s, static_cast<int16_t>(2 * (2 * s.pamFirst + c) - 3));
                    s.pamFirst = kNone;
                }
                break;
        }
    }

    // Zeros wait until a mark or the fourth zero says what they are. A substitution is made
    // only when all four zeros fall inside the run, as the mapper makes it.
    static void MapHdb3(State& s, int16_t c) {
        if (c == 1) {
            for (int i = 0; i < s.zeros; ++i)
                Push(s, 0);
            Push(s, s.mapState);
            s.mapState = static_cast<int16_t>(-s.mapState);
            s.txSlot = static_cast<int16_t>(s.txSlot + s.zeros + 1);
            s.zeros = 0;
            s.marksOdd ^= 1;
            return;
        }
        if (++s.zeros < 4) return;
        if (s.txSlot + 3 >= kSymbols) {
            for (int i = 0; i < 4; ++i)
                Push(s, 0);
        } else if (s.marksOdd == 1) {
            Push(s, 0);
            Push(s, 0);
            Push(s, 0);
            Push(s, static_cast<int16_t>(-s.mapState));
        } else {
            Push(s, s.mapState);
            Push(s, 0);
            Push(s, 0);
            Push(s, s.mapState);
            s.mapState = static_cast<int16_t>(-s.mapState);
        }
        s.txSlot = static_cast<int16_t>(s.txSlot + 4);
        s.zeros = 0;
        s.marksOdd = 0;
    }

    // A mark of the last mark's polarity is a violation: a zero, and the code bit three
    // slots back is cleared. Code bits are held three slots so that the clearing can reach
    // them, then passed on.
    void ReceiveHdb3(State& s, int k, int16_t level, double p, double& errors) const {
        int16_t c = 0;
        if (k == 0) {
            s.lastMark = level == 1 ? 1 : 0;
            c = s.lastMark;
        } else if (s.lastMark != 0 && level == s.lastMark) {
            c = 0;
            if (k > 2) s.held[0] = 0;  // slot k - 3: the three held bits are k-3..k-1
        } else if (level != 0) {
            c = 1;
            s.lastMark = level;
        }
        if (s.heldCount == 3) {
            Decode(s, s.held[0], p, errors);
            s.held = {s.held[1], s.held[2], 0};
            s.heldCount = 2;
        }
        s.held[static_cast<std::size_t>(s.heldCount++)] = c;
    }

    // --- line decoder and pre-decoder -------------------------------------------------
    void Decode(State& s, int16_t c, double p, double& errors) const {
        const int i = s.codeIndex++;
        const int16_t prevCode = s.prevCode;
        s.prevCode = keepCode_ ? c : 0;
        switch (setup_.code) {
            case LineCoding::None:
                Compare(s, c, p, errors);
                break;
            case LineCoding::Differential:
                Compare(s, i == 0 ? c : Bit(c != prevCode), p, errors);
                break;
            case LineCoding::Manchester:
                if (s.half == kNone) {
                    s.half = c;
                } else {
                    const int16_t a = s.half;
                    s.half = kNone;
                    Compare(s,
                            (a == 1 && c == 0)   ? 1
                            : (a == 0 && c == 1) ? 0
                                                 : kInvalidMark,
                            p, errors);
                }
                break;
            case LineCoding::DiffManchester:
                if (s.half == kNone) {
                    s.half = c;
                } else {
                    const int16_t first = s.half;
                    const int16_t b = s.reference;
                    s.half = kNone;
                    if (first == b && c == 1 - b) {
                        s.reference = static_cast<int16_t>(1 - b);
                        Compare(s, 1, p, errors);
                    } else if (first == 1 - b && c == b) {
                        Compare(s, 0, p, errors);
                    } else {
                        Compare(s, kInvalidMark, p, errors);
                    }
                }
                break;
            case LineCoding::FourB5B:
            case LineCoding::FourB5BNrzi: {
                // The NRZI removal compares each decided code bit with the one before it.
                const int16_t bit =
                    setup_.code == LineCoding::FourB5BNrzi && i > 0 ? Bit(c != prevCode) : c;
                s.group = static_cast<int16_t>(2 * s.group + bit);
                if (++s.groupCount < 5) break;
                const int nibble = FourB5BInverse()[static_cast<std::size_t>(s.group)];
                s.group = 0;
                s.groupCount = 0;
                for (int b = 3; b >= 0; --b)
                    Compare(s, nibble < 0 ? kInvalidMark : Bit((nibble >> b) & 1), p, errors);
                break;
            }
        }
    }

    void Compare(State& s, int16_t lineBit, double p, double& errors) const {
        const int j = s.dataIndex++;
        const int16_t d = static_cast<int16_t>(s.fifo & 1U);
        s.fifo >>= 1;
        --s.fifoCount;
        bool wrong = false;
        if (errorFlags_) {
            // Random data stay random through the differential pre-coder, so the machine sends
            // the pre-coded bits themselves (d here) and keeps only whether the last one was
            // decoded wrong: a data bit read from two line bits (r_j = l_j ^ l_j-1, against
            // d_j = p_j ^ p_j-1) is wrong when exactly one of them is. That is half the state
            // of remembering both the pre-coder's and the pre-decoder's last bit.
            const int16_t flag = Bit(lineBit != d);
            wrong = flag != (s.prevData == kNone ? 0 : s.prevData);
            s.prevData = flag;
        } else {
            int16_t r = lineBit;
            if (setup_.preCoding == PreCoding::Differential) {
                r = s.prevData == kNone ? lineBit : Bit(lineBit != s.prevData);
                s.prevData = lineBit;
            }
            wrong = r != d;
        }
        if (j >= kFirstCompared && j <= last_ && wrong) errors += p;
    }

    static constexpr int kFirstCompared = 8;
    LinkSetup setup_;
    int last_;
    bool keepLevel_;  // a decision reads the last decided level (NRZI, MLT3)
    bool keepCode_;   // the line decoder reads the last code bit (the differential codes)
    // Differential pre-coding over a code that never marks a bit invalid (an invalid mark
    // decodes against the last line bit itself, which the flags do not keep).
    bool errorFlags_;
};

struct Outcome {
    double errors = 0;             // expected wrong compared bits per run
    double energy = 0;             // expected sum of squared levels over the run's slots
    std::array<double, 7> sent{};  // expected slots of each level (+3) over the run
};

State Start(const LinkSetup& setup) {
    State s;
    if (setup.code == LineCoding::FourB5BNrzi) s.lineLevel = 0;
    if (setup.format == Format::Ami || setup.format == Format::Hdb3) s.mapState = 1;
    return s;
}

void Add(Distribution& d, const State& s, double p) {
    d[s] += p;
}

// Decides the oldest queued symbol, branching on every outcome: each state reached goes to
// `done` when nothing is left queued, to `more` otherwise.
void DecideOne(const Machine& machine, const DecisionTable* table, double floor, State s, double p,
               Distribution& more, Distribution& done, Outcome& out) {
    const int16_t level = s.queue[0];
    std::copy(s.queue.begin() + 1, s.queue.end(), s.queue.begin());
    s.queue.back() = 0;
    --s.queueCount;
    if (s.slot < kSymbols) {
        out.energy += p * level * level;
        out.sent[static_cast<std::size_t>(level + 3)] += p;
    }
    Distribution& to = s.queueCount == 0 ? done : more;
    if (table == nullptr) {
        machine.Receive(s, level, p, out.errors);
        Add(to, s, p);
        return;
    }
    const std::vector<double>& given = table->given[static_cast<std::size_t>(level + 3)];
    for (std::size_t j = 0; j < given.size(); ++j) {
        const double q = p * given[j];
        if (!(q > floor)) continue;
        State t = s;
        machine.Receive(t, table->levels[j], q, out.errors);
        Add(to, t, q);
    }
}

// One pass over a run. Without a decision table every symbol is decided right, which is all
// the mean energy needs.
//
// Its cost is the number of branches. HDB3 was the slow one: its encoder holds up to three
// zeros back and then emits four symbols at once, each decided three ways, so deciding them
// in one go made 81 leaves of every state. They are decided one symbol at a time instead,
// all states together, and equal states merge after each symbol: a decision passes the
// oldest held code bit on to be compared, so states that differ only in it become one. The
// receiver also forgets what no later decision reads (the last level where only NRZI and
// MLT3 read it, the last code bit where only the differential codes do), and differential
// pre-coding is carried as error flags (Compare). Together a point of HDB3 went from about
// 0.9 s to well under a second (bench: BM_ExactTheoryHdb3); callers still keep each point
// once computed.
Outcome Run(const LinkSetup& setup, const DecisionTable* table) {
    const int last = LastComparedBit(Info(setup.code).iCodeBaud);
    const Machine machine(setup, last);
    const bool energyPass = table == nullptr;
    const bool nibbles = setup.code == LineCoding::FourB5B || setup.code == LineCoding::FourB5BNrzi;
    const int bits = nibbles ? 4 : 1;
    const int patterns = 1 << bits;
    Outcome out;
    // Branches less likely than a millionth of a millionth of one crossing are dropped: they
    // carry two or more crossings more than the states kept, so what they would add to the
    // rate is below 1e-10 of it.
    const double floor = energyPass ? 0.0 : 1e-12 * table->smallest;
    Distribution now{{Start(setup), 1.0}};
    while (!now.empty()) {
        Distribution next, queued, more;
        next.reserve(now.size() * 2);
        for (const auto& [state, p] : now) {
            for (int pattern = 0; pattern < patterns; ++pattern) {
                State t = state;
                for (int b = bits - 1; b >= 0; --b)
                    machine.SendData(t, Bit(((pattern >> b) & 1) != 0));
                if (t.queueCount == 0) {
                    Add(next, t, p / patterns);
                } else {
                    DecideOne(machine, table, floor, t, p / patterns, queued, next, out);
                }
            }
        }
        while (!queued.empty()) {
            more.clear();
            for (const auto& [state, p] : queued)
                DecideOne(machine, table, floor, state, p, more, next, out);
            queued.swap(more);
        }
        now.swap(next);
        std::erase_if(now,
                      [&](const auto& entry) { return machine.Finished(entry.first, energyPass); });
    }
    return out;
}

// A transmit state with the levels it has sent into a window of slots so far.
struct Windowed {
    State state;
    std::array<int16_t, kMaxLevelWindow> window{};
    bool operator==(const Windowed&) const = default;
};
static_assert(std::has_unique_object_representations_v<Windowed>,
              "the hash reads the bytes, so the record must have no padding");

struct WindowedHash {
    std::size_t operator()(const Windowed& w) const {
        std::size_t h = StateHash{}(w.state);
        for (int16_t level : w.window)
            h = (h ^ static_cast<uint16_t>(level + 3)) * 0x9e3779b97f4a7c15ULL;
        return h ^ (h >> 31);
    }
};

// Moves the symbols the machine has queued into the window (slot counts them; the receiver
// half is not used) and forgets the data bits, which nothing compares here.
void Emit(Windowed& w, int first, int count) {
    State& s = w.state;
    for (int i = 0; i < s.queueCount; ++i, ++s.slot) {
        const int at = s.slot - first;
        if (at >= 0 && at < count)
            w.window[static_cast<std::size_t>(at)] = s.queue[static_cast<std::size_t>(i)];
    }
    s.queue = {};
    s.queueCount = 0;
    s.fifo = 0;
    s.fifoCount = 0;
}

double Compared(const LinkSetup& setup) {
    return LastComparedBit(Info(setup.code).iCodeBaud) - 8 + 1;
}

}  // namespace

double MeanLevelEnergy(Format format, LineCoding code) {
    // One pass per pairing, kept: the sweeps ask for it at every point.
    static std::mutex mutex;
    static std::map<std::pair<Format, LineCoding>, double> known;
    const std::scoped_lock lock(mutex);
    const auto key = std::make_pair(format, code);
    if (auto it = known.find(key); it != known.end()) return it->second;
    const double energy = Run(LinkSetup{format, code, PreCoding::None}, nullptr).energy / kSymbols;
    known[key] = energy;
    return energy;
}

double ExactBer(const LinkSetup& setup, double ebN0) {
    // Es/N0 per slot from Eb/N0 as the readout counts it; in level units the noise then has
    // variance N0 / (2 Ep) = E[L^2] / (2 Es/N0), Ep being a unit level's pulse energy.
    const double esN0 = std::max(ebN0, 1e-12) / SymbolsPerDataBit(setup.code, setup.format);
    const double sigma = std::sqrt(MeanLevelEnergy(setup.format, setup.code) / (2 * esN0));
    const DecisionTable table = Decisions(setup.format, sigma, setup.inverted);
    return Run(setup, &table).errors / Compared(setup);
}

const DecisionCosts& WrongDecisionCosts(const LinkSetup& setup) {
    static std::mutex mutex;
    static std::map<std::tuple<Format, LineCoding, PreCoding>, DecisionCosts> known;
    const std::scoped_lock lock(mutex);
    const auto key = std::make_tuple(setup.format, setup.code, setup.preCoding);
    if (auto it = known.find(key); it != known.end()) return it->second;
    const auto levels = DecisionLevels(setup.format);
    DecisionCosts costs;
    // The shares from a pass over every slot (the passes with decisions stop at the last
    // compared bit).
    const Outcome sent = Run(setup, nullptr);
    for (std::size_t i = 0; i < costs.share.size(); ++i)
        costs.share[i] = sent.sent[i] / kSymbols;
    // One pass per kind of wrong decision, with only that one possible and so unlikely (eps)
    // that the pass's floor drops every branch with two of them: what is left is exactly
    // the first-order term, eps times the derivative of the expected wrong bits per run.
    constexpr double kEps = 1e-100;
    const double slotsPerCompared = kSymbols / Compared(setup);
    for (int16_t from : levels) {
        const auto a = static_cast<std::size_t>(from + 3);
        if (!(sent.sent[a] > 0)) continue;
        for (int16_t to : levels) {
            if (to == from) continue;
            DecisionTable table{std::vector<int16_t>(levels.begin(), levels.end()), {}, kEps};
            for (int16_t level : levels) {
                std::vector<double> p(levels.size());
                for (std::size_t j = 0; j < levels.size(); ++j) {
                    const bool right = levels[j] == level;
                    p[j] = level != from ? (right ? 1.0 : 0.0)
                                         : (right             ? 1 - kEps
                                            : levels[j] == to ? kEps
                                                              : 0.0);
                }
                table.given[static_cast<std::size_t>(level + 3)] = p;
            }
            costs.cost[a][static_cast<std::size_t>(to + 3)] =
                Run(setup, &table).errors / kEps / sent.sent[a] * slotsPerCompared;
        }
    }
    return known.emplace(key, costs).first->second;
}

double BitsPerWrongDecision(const LinkSetup& setup) {
    LinkSetup plain = setup;
    plain.inverted = false;
    const DecisionCosts& costs = WrongDecisionCosts(plain);
    const auto levels = DecisionLevels(setup.format);
    double cost = 0;
    double weight = 0;
    for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
        const auto a = static_cast<std::size_t>(levels[i] + 3);
        const auto b = static_cast<std::size_t>(levels[i + 1] + 3);
        cost += costs.share[a] * costs.cost[a][b] + costs.share[b] * costs.cost[b][a];
        weight += costs.share[a] + costs.share[b];
    }
    // cost is in compared bits per slot (see DecisionCosts); a run has Compared bits and
    // kSymbols slots.
    return weight > 0 ? cost / weight * Compared(plain) / kSymbols : 1.0;
}

double ManchesterOptimumBer(Format format, double ebN0) {
    const double x = std::max(ebN0, 0.0);
    const auto tail = [](double v) { return 0.5 * std::erfc(v / std::sqrt(2.0)); };
    if (format == Format::PolarNrz) return tail(std::sqrt(2 * x));
    if (format == Format::UnipolarNrz) return tail(std::sqrt(x));
    return std::nan("");
}

std::vector<LevelPattern> LevelPatterns(const LinkSetup& setup, int first, int count) {
    count = std::clamp(count, 0, kMaxLevelWindow);
    first = std::clamp(first, 0, kSymbols - count);
    const Machine machine(setup, 0);
    const bool nibbles = setup.code == LineCoding::FourB5B || setup.code == LineCoding::FourB5BNrzi;
    const int bits = nibbles ? 4 : 1;
    const int patterns = 1 << bits;
    std::unordered_map<Windowed, double, WindowedHash> now{{Windowed{Start(setup), {}}, 1.0}};
    std::map<std::array<int16_t, kMaxLevelWindow>, double> done;
    // Each step sends one data bit (a nibble for 4B5B) from every live state; a state leaves
    // once its window is full. Equal states with equal windows merge, so the work is the
    // number of distinct patterns, not of data sequences.
    while (!now.empty()) {
        std::unordered_map<Windowed, double, WindowedHash> next;
        next.reserve(now.size() * 2);
        for (const auto& [from, p] : now) {
            for (int pattern = 0; pattern < patterns; ++pattern) {
                Windowed t = from;
                for (int b = bits - 1; b >= 0; --b)
                    machine.SendData(t.state, Bit(((pattern >> b) & 1) != 0));
                Emit(t, first, count);
                if (t.state.slot >= first + count) {
                    done[t.window] += p / patterns;
                } else {
                    next[t] += p / patterns;
                }
            }
        }
        now.swap(next);
    }
    std::vector<LevelPattern> out;
    out.reserve(done.size());
    for (const auto& [levels, p] : done)
        out.push_back({levels, p});
    return out;
}

}  // namespace linelab
