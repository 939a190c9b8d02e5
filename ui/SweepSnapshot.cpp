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
    // The next tick's design rounds the pulse-width box, which is also the transmit setting
    // the stages read: the sweep's engines see the rounded width, as that tick would.
    snapshot.config.iPulseWidth = static_cast<int16_t>(snapshot.filters.side[0].iPulseWidth);
    snapshot.dThresholds = form.State().dThresholds;
    snapshot.vscThreshold = form.Slider(SliderId::vscThreshold).value;
    return snapshot;
}

}  // namespace linelab
