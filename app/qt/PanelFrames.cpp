#include "app/qt/PanelFrames.h"

#include <string>

#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"

namespace linelab {

QString StripName(PictureId strip) {
    return QString::fromStdString(std::string(StripTitle(strip)));
}

QString SwitchName(CheckId id) {
    return QString::fromStdString(SwitchText(id));
}

namespace {

PicturePanel::ValueAxis ValueAxisOf(const ValueAxisData& data) {
    PicturePanel::ValueAxis axis;
    axis.top = data.top;
    axis.bottom = data.bottom;
    axis.unit = QString::fromStdString(data.unit);
    axis.marks = data.marks;
    return axis;
}

}  // namespace

// Every panel by its kind: an eye or a spectrum its title and axes (an eye's symbol axis
// lined up with the transmit eye's), a strip its name and its time axis; each its off hint.
void UpdatePanelFrames(const Form1& form, const ControlWidgets& w) {
    for (const PanelDescriptor& d : kPanelTable) {
        PicturePanel* panel = w.Picture(d.picture);
        const PanelFrame frame = PanelFrameOf(form, d.picture);
        const PanelAxes axes = PanelAxesOf(form, d.picture);
        switch (d.kind) {
            case PanelKind::Eye:
                panel->SetTitle(QString::fromStdString(frame.title));
                panel->SetSymbolAxis(axes.symbolsAcross, w.Picture(Describe(EyePanel::Tx).picture));
                panel->SetValueAxis(ValueAxisOf(axes.values));
                break;
            case PanelKind::Spectrum:
                panel->SetTitle(QString::fromStdString(frame.title));
                panel->SetFrequencyAxis(axes.frequencyNumbers);
                panel->SetValueAxis(ValueAxisOf(axes.values));
                break;
            case PanelKind::Strip:
                panel->SetSideLabel(QString::fromStdString(frame.sideLabel));
                if (axes.symbolsAcross > 0) {
                    panel->SetSymbolAxis(axes.symbolsAcross, nullptr);
                } else {
                    panel->SetNoAxis();
                }
                break;
        }
        panel->SetOffHint(QString::fromStdString(frame.offHint));
    }
}

}  // namespace linelab
