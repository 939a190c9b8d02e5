#pragma once
// What a sweep starts from: a copy of the form's settings as the next tick would read them.

#include "sweep/SweepSettings.h"

namespace linelab {

class Form1;

// Takes no effect on the form: reads the boxes, the slider and the thresholds only.
SweepSettings SweepSnapshot(Form1& form);

}  // namespace linelab
