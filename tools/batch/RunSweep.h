#pragma once
// linelab-batch --sweep: the settings as the assignments left them, swept over Eb/N0 on a
// pool of threads, one CSV line per point in order as soon as it and every point before it
// are done.

#include <ostream>

#include "tools/batch/SweepOptions.h"
#include "ui/Form1.h"

namespace linelab {

// Writes the CSV to out and any message to messages. Returns 2 (nothing run) when a point
// would need more noise than the noise box takes, 0 when every point is done,
// 3 when a run met a setting it cannot handle (the message printed as "message: TEXT", as a
// stopped timer is reported), 1 when the output could not be written.
int RunSweep(Form1& form, const SweepOptions& options, std::ostream& out, std::ostream& messages);

}  // namespace linelab
