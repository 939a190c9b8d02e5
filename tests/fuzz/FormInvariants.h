#pragma once
// The rules that hold for the form model between any two actions, and after any tick,
// whatever was typed, picked, clicked or resized before. Each check returns the first rule
// it finds broken, described for a human, or an empty string.

#include <string>

#include "ui/Form1.h"

namespace linelab::fuzz {

// Controls and counters: list texts within the length limit and every fixed list showing
// one of its items, check values 0 or 1, slider values inside their ranges, run control
// consistent with the pause caption, the running bit error rate a number in [0, 1], no
// negative count, every average and threshold finite.
std::string CheckControls(const Form1& form);
std::string CheckCounters(const Form1& form);

// After a tick: the received waveform finite, the run's sizes and levels in their ranges,
// the caption of lblBER a rate in [0, 1]; when the tick began with a design pass, every
// number box it rewrites holds its rounded, limited text.
std::string CheckAfterTick(const Form1& form, bool designed);

// The texts the design pass leaves in the pulse-width, bandwidth and excess-bandwidth boxes.
std::string CheckNormalisedTexts(const Form1& form);

}  // namespace linelab::fuzz
