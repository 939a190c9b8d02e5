#include "ui/SweepSnapshot.h"

#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {

SweepSettings SweepSnapshot(Form1& form) {
    SweepSettings snapshot;
    ReadLinkConfig(form, snapshot.config);
    ReadFilterSettings(form.Controls(), snapshot.filters);
    snapshot.dThresholds = form.State().dThresholds;
    snapshot.vscThreshold = form.Slider(SliderId::vscThreshold).value;
    return snapshot;
}

}  // namespace linelab
