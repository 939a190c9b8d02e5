#include "app/qt/HelpTexts.h"

#include "ui/HelpTexts.h"

namespace linelab {

QString AboutText() {
    return QString::fromStdString(AboutHelpText(LINELAB_VERSION));
}

QString InstructionsText() {
    return QString::fromStdString(InstructionsHelpText());
}

}  // namespace linelab
