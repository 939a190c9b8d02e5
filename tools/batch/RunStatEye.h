#pragma once
// linelab-batch --stateye and --bathtub: the settings as the assignments left them, their
// statistical eye (every sampling instant by 256 thresholds) or bathtubs, printed as CSV
// (sweep/StatEyeCsv.h). The noise is the noise box's level, referred to the configuration's
// mean energy; the thresholds and the sampling instant are those the decisions use.

#include <ostream>

#include "ui/Form1.h"

namespace linelab {

enum class StatEyeOutput { Grid, Bathtub };

// Writes the CSV to out and any message to messages. Returns 0 when written, 2 (nothing
// computed) when the settings have no statistical eye (an unknown list entry, or a receive
// mapping other than the transmit one), 3 when the design pass met a setting it cannot handle
// (the message printed as "message: TEXT", as a sweep reports it), 1 when the output could
// not be written.
int RunStatEye(Form1& form, StatEyeOutput output, std::ostream& out, std::ostream& messages);

}  // namespace linelab
