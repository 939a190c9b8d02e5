#pragma once
// The texts of the two help windows.

#include <QString>

namespace linelab {

QString AboutText();
QString InstructionsText();

}  // namespace linelab
