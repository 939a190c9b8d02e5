#include "app/qt/SettingsJob.h"

#include <utility>

#include "ui/SweepSnapshot.h"

namespace linelab {

bool SameStatistics(const SweepSettings& a, const SweepSettings& b) {
    const LinkConfig& x = a.config;
    const LinkConfig& y = b.config;
    return x.data == y.data && x.preCode == y.preCode && x.code == y.code && x.format == y.format &&
           x.iPulseWidth == y.iPulseWidth && x.noiseLevel == y.noiseLevel &&
           x.noiseScaling == y.noiseScaling && x.thresholdChoice == y.thresholdChoice &&
           x.echo.gain == y.echo.gain && x.echo.delay == y.echo.delay && x.invert == y.invert &&
           x.samplingOffset == y.samplingOffset && a.filters == b.filters && a.dThresholds == b.dThresholds &&
           a.thresholdSlider == b.thresholdSlider;
}

void SettingsJob::Ask(Form1& form, Work work) {
    if (busy_) return;
    SweepSettings settings = SweepSnapshot(form);
    if (asked_ && SameStatistics(*asked_, settings)) return;
    Join();  // finished: its result is in
    asked_ = settings;
    busy_ = true;
    ++jobs_;
    worker_ =
        std::thread([work = std::move(work), settings = std::move(settings)] { work(settings); });
}

}  // namespace linelab
