#include "ui/SweepSnapshot.h"

#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {

SweepSettings SweepSnapshot(Form1& form) {
    SweepSettings snapshot;
    ReadLinkConfig(form, snapshot.config);
    FilterTexts texts;
    ReadFilterSettings(form.Controls(), texts);
    snapshot.filters = FilterConfigOf(texts);
    snapshot.dThresholds = form.State().dThresholds;
    snapshot.thresholdSlider = form.Slider(SliderId::vscThreshold).value;
    return snapshot;
}

}  // namespace linelab
