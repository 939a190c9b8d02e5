#include "common/Tables.h"

namespace linelab {

double SymbolRate(std::string_view transmitCode, std::string_view transmitFormat) {
    const auto code = FindLineCode(transmitCode);
    double rate = code ? Info(*code).baseRate : 1.0;
    if (transmitFormat == Info(Format::Pam4).name) rate /= 2;
    return rate;
}

int16_t CodeBaud(std::string_view codeText) {
    const auto code = FindLineCode(codeText);
    return code ? Info(*code).iCodeBaud : 12;
}

}  // namespace linelab
