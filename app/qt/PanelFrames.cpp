#include "app/qt/PanelFrames.h"

#include <string>

#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"

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

void UpdatePanelFrames(const Form1& form, const ControlWidgets& w) {
    for (int side = 0; side < 3; ++side) {
        const auto eyeId = Element(PictureId::picTxEye, side);
        const auto spectrumId = Element(PictureId::picTxSpectrum, side);
        PicturePanel* eye = w.Picture(eyeId);
        eye->SetTitle(QString::fromStdString(PanelFrameOf(form, eyeId).title));
        const PanelAxes eyeAxes = PanelAxesOf(form, eyeId);
        eye->SetSymbolAxis(eyeAxes.symbolsAcross, w.Picture(PictureId::picTxEye));
        eye->SetValueAxis(ValueAxisOf(eyeAxes.values));
        PicturePanel* spectrum = w.Picture(spectrumId);
        spectrum->SetTitle(QString::fromStdString(PanelFrameOf(form, spectrumId).title));
        const PanelAxes spectrumAxes = PanelAxesOf(form, spectrumId);
        spectrum->SetFrequencyAxis(spectrumAxes.frequencyNumbers);
        spectrum->SetValueAxis(ValueAxisOf(spectrumAxes.values));
    }
    for (int i = 0; i <= static_cast<int>(PictureId::picRxData); ++i) {
        const auto strip = static_cast<PictureId>(i);
        PicturePanel* panel = w.Picture(strip);
        panel->SetSideLabel(StripName(strip));
        const double across = PanelAxesOf(form, strip).symbolsAcross;
        if (across > 0) {
            panel->SetSymbolAxis(across, nullptr);
        } else {
            panel->SetNoAxis();
        }
    }
    // Each panel's check box has the panel's own position among the check boxes.
    for (int i = 0; i < CountOf<PictureId>(); ++i) {
        w.pictures[static_cast<std::size_t>(i)]->SetOffHint(
            QString::fromStdString(PanelFrameOf(form, static_cast<PictureId>(i)).offHint));
    }
}

}  // namespace linelab
