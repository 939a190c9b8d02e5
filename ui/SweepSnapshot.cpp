#include "ui/SweepSnapshot.h"

#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {

SweepSettings SweepSnapshot(Form1& form) {
    SweepSettings snapshot;
    FormHost host(form);
    host.ReadConfig(snapshot.config);
    host.ReadFilterTexts(snapshot.filters);
    snapshot.dThresholds = form.State().dThresholds;
    snapshot.vscThreshold = form.Slider(SliderId::vscThreshold).value;
    return snapshot;
}

}  // namespace linelab
