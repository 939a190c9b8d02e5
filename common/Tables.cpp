#include "common/Tables.h"

namespace linelab {

double SymbolRate(std::optional<LineCoding> code, std::optional<Format> format) {
    double rate = code ? Info(*code).baseRate : 1.0;
    if (format == Format::Pam4) rate /= 2;
    return rate;
}

std::span<const int16_t> DecisionLevels(Format format) {
    static constexpr int16_t kUnipolar[] = {0, 1}, kPolar[] = {-1, 1}, kThree[] = {-1, 0, 1},
                             kFour[] = {-3, -1, 1, 3};
    switch (format) {
        case Format::UnipolarNrz:
        case Format::UnipolarNrzi:
            return kUnipolar;
        case Format::PolarNrz:
        case Format::PolarNrzi:
            return kPolar;
        case Format::Ami:
        case Format::Mlt3:
        case Format::Hdb3:
            return kThree;
        case Format::Pam4:
            return kFour;
    }
    return kPolar;
}

int16_t CodeBaud(std::optional<LineCoding> code) {
    return code ? Info(*code).iCodeBaud : 12;
}

}  // namespace linelab
