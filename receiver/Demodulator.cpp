#include "receiver/Demodulator.h"

#include "receiver/Sampling.h"

namespace linelab {
namespace {

int16_t Bit(bool b) {
    return b ? 1 : 0;
}

// The differential rows: the first slot takes its level directly (no knowledge of the
// previous run), then a 1 wherever the level changes.
void FromTransitions(const Symbols& d, Bits& c, int16_t first) {
    c[0] = first;
    for (int k = 1; k < kSymbols; ++k)
        c[k] = Bit(d[k] != d[k - 1]);
}

// MLT3 moves one step through 0, +1, 0, -1 for every 1: a 1 is a step between 0 and a mark.
bool IsMlt3Step(int16_t before, int16_t now) {
    return (before == 0 && (now == 1 || now == -1)) || (now == 0 && (before == 1 || before == -1));
}

void FromMlt3(const Symbols& d, Bits& c) {
    c[0] = Bit(d[0] == 1);
    for (int k = 1; k < kSymbols; ++k)
        c[k] = Bit(IsMlt3Step(d[k - 1], d[k]));
}

// A mark with the polarity of the last mark is a violation: a substituted zero, and when a
// balancing pulse came three slots earlier that one is cleared too.
void FromHdb3(const Symbols& d, Bits& c) {
    int16_t m = d[0] == 1 ? 1 : 0;
    c[0] = m;
    for (int k = 1; k < kSymbols; ++k) {
        if ((m == 1 || m == -1) && d[k] == m) {
            c[k] = 0;
            if (k > 2) c[k - 3] = 0;
        } else if (d[k] != 0) {
            c[k] = 1;
            m = d[k];
        } else {
            c[k] = 0;
        }
    }
}

// Natural binary, the first bit of the pair the more significant.
void FromPam4(const Symbols& d, Bits& c) {
    for (int k = 0; k < kSymbols; ++k) {
        c[2 * k] = Bit(d[k] == 3 || d[k] == 1);
        c[2 * k + 1] = Bit(d[k] == 3 || d[k] == -1);
    }
}

}  // namespace

int16_t DecideLevel(Format format, double s, const Thresholds& t) {
    switch (format) {
        case Format::UnipolarNrz:
        case Format::UnipolarNrzi:
            return s > t[0] ? 1 : 0;
        case Format::PolarNrz:
        case Format::PolarNrzi:
            return s > t[0] ? 1 : -1;
        case Format::Ami:
        case Format::Hdb3:
        case Format::Mlt3:
            return s > t[0] ? 1 : (s >= t[1] ? 0 : -1);
        case Format::Pam4:
            return s > t[0] ? 3 : (s > t[1] ? 1 : (s > t[2] ? -1 : -3));
    }
    return 0;
}

void DecideSymbols(std::optional<Format> format, const Signal& timeData, int v, const Thresholds& t,
                   Symbols& levels) {
    if (!format) return;
    for (int k = 0; k < kSymbols; ++k)
        levels[k] = DecideLevel(*format, SampleSlot(timeData, k, v), t);
}

bool LevelsToCodeBits(std::optional<Format> format, const Symbols& d, Bits& c) {
    if (!format) return false;
    switch (*format) {
        case Format::UnipolarNrz:
            for (int k = 0; k < kSymbols; ++k)
                c[k] = d[k];
            break;
        case Format::PolarNrz:
            for (int k = 0; k < kSymbols; ++k)
                c[k] = Bit(d[k] > 0);
            break;
        case Format::UnipolarNrzi:
            FromTransitions(d, c, d[0]);
            break;
        case Format::PolarNrzi:
            FromTransitions(d, c, Bit(d[0] > 0));
            break;
        case Format::Ami:
            c[0] = Bit(d[0] > 0);
            for (int k = 1; k < kSymbols; ++k)
                c[k] = Bit(d[k] != 0);
            break;
        case Format::Mlt3:
            FromMlt3(d, c);
            break;
        case Format::Hdb3:
            FromHdb3(d, c);
            break;
        case Format::Pam4:
            FromPam4(d, c);
            break;
    }
    return true;
}

}  // namespace linelab
