#include "app/qt/ToolTips.h"

#include "ui/ToolTips.h"

namespace linelab {

QString ToolTipOf(ControlRef control) {
    const std::string_view tip = ToolTipText(control);
    return QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size()));
}

}  // namespace linelab
