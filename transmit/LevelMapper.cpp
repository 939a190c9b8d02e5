#include <algorithm>
#include <cmath>
#include <span>

#include "common/TextNumber.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// The stage's two arrays: code bits in, levels out.
struct LevelArrays {
    std::span<const int16_t, kBits> in;
    std::span<int16_t, kSymbols> out;
};

void Unipolar(LevelArrays s) {
    for (int i = 0; i < kSymbols; ++i)
        s.out[i] = s.in[i];
}

// The level starts at 0 in every run and toggles on every one.
void UnipolarNrzi(LevelArrays s) {
    int16_t level = 0;
    for (int i = 0; i < kSymbols; ++i) {
        if (s.in[i] == 1) level = static_cast<int16_t>(1 - level);
        s.out[i] = level;
    }
}

void ZerosToMinusOne(LevelArrays s) {
    for (auto& level : s.out) {
        if (level == 0) level = -1;
    }
}

// The first mark of every run is positive.
void Ami(LevelArrays s) {
    int16_t polarity = 1;
    for (int i = 0; i < kSymbols; ++i) {
        if (s.in[i] == 1) {
            s.out[i] = polarity;
            polarity = static_cast<int16_t>(-polarity);
        } else {
            s.out[i] = 0;
        }
    }
}

// Each one steps through 0, +1, 0, -1; the first mark gives +1.
void Mlt3(LevelArrays s) {
    constexpr std::array<int16_t, 4> kCycle = {0, 1, 0, -1};
    std::size_t k = 0;
    for (int i = 0; i < kSymbols; ++i) {
        if (s.in[i] == 1) k = (k + 1) % 4;
        s.out[i] = kCycle[k];
    }
}

// Alternate mark inversion with every fourth zero in a row replaced: after an odd number of
// marks by a violation (000V), after an even number by a balancing pulse and a violation
// (B00V), so that the violations alternate in polarity and the line stays balanced.
void Hdb3(LevelArrays s) {
    int zeros = 0;
    int16_t polarity = 1;  // the polarity the next mark will have
    int marks = 0;         // marks since the last substitution
    for (int i = 0; i < kSymbols; ++i) {
        if (s.in[i] == 1) {
            s.out[i] = polarity;
            polarity = static_cast<int16_t>(-polarity);
            zeros = 0;
            ++marks;
            continue;
        }
        s.out[i] = 0;
        if (++zeros < 4) continue;
        // Four zeros in a row were all met in this run, so i - 3 is never before 0.
        if (marks % 2 == 1) {
            s.out[i] = static_cast<int16_t>(-polarity);
        } else {
            s.out[i - 3] = polarity;
            s.out[i] = polarity;
            polarity = static_cast<int16_t>(-polarity);
        }
        zeros = 0;
        marks = 0;
    }
}

// Natural binary, first bit of the pair most significant: 00 -3, 01 -1, 10 +1, 11 +3.
void Pam4(LevelArrays s) {
    for (int i = 0; i < kSymbols; ++i) {
        const int pair = 2 * s.in[2 * i] + s.in[2 * i + 1];
        s.out[i] = static_cast<int16_t>(2 * pair - 3);
    }
}

void Map(Format format, LevelArrays s) {
    switch (format) {
        case Format::UnipolarNrz:
            Unipolar(s);
            break;
        case Format::UnipolarNrzi:
            UnipolarNrzi(s);
            break;
        case Format::PolarNrz:
            Unipolar(s);
            ZerosToMinusOne(s);
            break;
        case Format::PolarNrzi:
            UnipolarNrzi(s);
            ZerosToMinusOne(s);
            break;
        case Format::Ami:
            Ami(s);
            break;
        case Format::Mlt3:
            Mlt3(s);
            break;
        case Format::Hdb3:
            Hdb3(s);
            break;
        case Format::Pam4:
            Pam4(s);
            break;
    }
}

}  // namespace

// Typed text is clamped to 1..16 sixteenths; a huge or negative number, or no number at all,
// lands on one end before any conversion to an integer.
int16_t PulseWidth(double percent) {
    const double sixteenths = Int(percent / 100.0 * 16.0 + 0.5);
    return static_cast<int16_t>(std::clamp(sixteenths, 1.0, 16.0));
}

LevelMap MapLevels(std::optional<Format> format, int16_t iPulseWidth,
                   std::span<const int16_t, kBits> iCodedData,
                   std::span<int16_t, kSymbols> iModData) {
    LevelMap result;
    result.iTxDutyCycle = iPulseWidth;
    if (!format) return result;
    Map(*format, LevelArrays{iCodedData, iModData});
    result.dScale = Info(*format).amplitude * 16.0 / result.iTxDutyCycle;
    return result;
}

const std::array<double, 4>& DefaultThresholds(Format format) {
    return Info(format).thresholds;
}

int ThresholdSliderFor(double t0) {
    return CInt(100.0 - Int(100.0 * t0 / std::sqrt(2.0)));
}

}  // namespace linelab
