#pragma once
// What a number typed into an editable box means to the simulation, for the window's
// status bar: a text that reads as no number, or a number the program limits or rounds,
// gets a sentence saying which value is in effect.

#include <span>
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace linelab {

// Empty when the box takes the text as typed (one of its `items`, or a plain number used as it
// is); otherwise, e.g. for "abc" in cmbNoise: Noise: "abc" is no number, so no noise.
std::string TypedTextNote(ListId id, std::string_view typed, std::span<const std::string> items);

class Form1;

// The note after `typed` was entered in list `id` of `form` (the form as it is afterwards):
// the one above, or for the scene box a text that names no scene, which leaves the scene laid
// out as it was.
std::string TypedNote(const Form1& form, ListId id, std::string_view typed);

}  // namespace linelab
