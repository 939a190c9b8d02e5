#pragma once
// A control of the window as the dump writes it: "visible" and, as the control has them,
// "text" and "items" (lists), "value" (check boxes, sliders), "min" and "max" (sliders),
// "caption" (check boxes, labels, the pause button); the timer as "enabled" and "interval".

#include "tools/batch/JsonWriter.h"
#include "ui/Form1.h"

namespace linelab {

void WriteControl(JsonWriter& json, const Form1& form, ControlRef control);

// One object holding every control of the window under its name.
void WriteAllControls(JsonWriter& json, const Form1& form);

}  // namespace linelab
