#pragma once
// The name a screen reader announces for each control, for every view: the caption a user
// sees beside it where it has one ("Noise W/kHz" for cmbNoise, "Simulation" for the scene
// box), its own caption for a captioned check box, else the short phrase that leads its
// tooltip ("Sampling instant"). Never the control's internal name while it has anything
// better.

#include <string>

#include "ui/Controls.h"

namespace linelab {

class Form1;

std::string AccessibleName(const Form1& form, ControlRef control);

}  // namespace linelab
