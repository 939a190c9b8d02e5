#include "common/Tables.h"

namespace linelab {

double SymbolRate(std::optional<LineCoding> code, std::optional<Format> format) {
    double rate = code ? Info(*code).baseRate : 1.0;
    if (format == Format::Pam4) rate /= 2;
    return rate;
}

double SymbolRate(std::string_view transmitCode, std::string_view transmitFormat) {
    return SymbolRate(FindLineCode(transmitCode), FindFormat(transmitFormat));
}

int16_t CodeBaud(std::optional<LineCoding> code) {
    return code ? Info(*code).iCodeBaud : 12;
}

int16_t CodeBaud(std::string_view codeText) {
    return CodeBaud(FindLineCode(codeText));
}

}  // namespace linelab
