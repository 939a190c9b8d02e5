#pragma once
// The texts that tell how the run is going: the running rate's caption under the panels and
// the status bar's three fields. Worded here once; the window and the page only show them.

#include <string>

namespace linelab {

class Form1;

// lblBER's caption: "BER = " and the mean truncated (not rounded) to four decimals.
std::string BerCaption(double dBER);

struct RunStatusTexts {
    std::string state;  // "Paused", "Slow", "Running" or "Fast"
    std::string rate;   // "12.5 runs/s", always one decimal; 0 while paused
    std::string runs;   // "BER over 42 runs"; empty where the scene hides lblBER
};

// The status bar for the form as it is, whether fast runs are on, and the runs per second
// measured by the front end (the fast runner's own rate while it runs).
RunStatusTexts RunStatusTextsOf(const Form1& form, bool fast, double measuredRate);

}  // namespace linelab
