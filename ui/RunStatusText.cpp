#include "ui/RunStatusText.h"

#include <cmath>

#include "common/DoubleChars.h"
#include "common/TextNumber.h"
#include "ui/Form1.h"

namespace linelab {

std::string BerCaption(double dBER) {
    return "BER = " + NumberText(Int(dBER * 10000) / 10000);
}

RunStatusTexts RunStatusTextsOf(const Form1& form, bool fast, double measuredRate) {
    const TimerControl& timer = form.Timer();
    RunStatusTexts texts;
    texts.state = "Paused";
    if (timer.enabled) texts.state = timer.interval >= 1000 ? "Slow" : "Running";
    if (timer.enabled && fast) texts.state = "Fast";
    // A paused simulation makes no runs, whatever the last seconds held.
    double rate = timer.enabled && measuredRate > 0 ? measuredRate : 0.0;
    // One decimal, a tie (x.25, x.75) rounded up as the window always showed it.
    const double quarters = rate * 4;
    if (quarters == std::floor(quarters) && std::fmod(quarters, 2.0) == 1.0) rate += 0.01;
    char digits[400];  // any double in fixed notation
    const auto written = ToChars(digits, digits + sizeof digits, rate, std::chars_format::fixed, 1);
    texts.rate = written.ec == std::errc() ? std::string(digits, written.ptr) : "0.0";
    texts.rate += " runs/s";
    // A scene without a BER counts none: the field says nothing there.
    if (form.Visible(ControlRef(LabelId::lblBER)))
        texts.runs = "BER over " + std::to_string(form.State().lBERRuns) + " runs";
    return texts;
}

}  // namespace linelab
