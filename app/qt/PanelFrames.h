#pragma once
// What the window paints around its panels: the titles and axes of the eyes and spectra, the
// names of the strips on their check boxes, and the hint in a panel that is switched off.

#include <QString>

#include "app/qt/ControlWidgets.h"
#include "ui/Controls.h"
#include "ui/PanelFrames.h"

namespace linelab {

class Form1;

// The stage a strip shows, in a student's words; also the caption of its check box.
QString StripName(PictureId strip);
// "Show the transmitter eye" and so on: the accessible name of a panel's check box.
QString SwitchName(CheckId id);
inline const QString kOffHint =
    QString::fromLatin1(kOffHintText.data(), static_cast<qsizetype>(kOffHintText.size()));

// Brings titles, axes and hints in line with the model (scale, symbol rate, switches).
void UpdatePanelFrames(const Form1& form, const ControlWidgets& widgets);

}  // namespace linelab
