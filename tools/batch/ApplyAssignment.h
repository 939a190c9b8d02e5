#pragma once
// One CONTROL=TEXT assignment applied to the form model as the user's change in the
// window, with every handler and cascade the window runs.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/batch/BatchOptions.h"
#include "ui/Form1.h"

namespace linelab {

// The controls an assignment may set: the lists, the check boxes and the sliders.
std::span<const std::string_view> AssignableNames();

// Lists whose text must be one of their current items. The scene list is one of them
// although the model would take any text for it: a scene is chosen, never typed.
bool IsFixedList(const Form1& form, ListId id);

// Applies the assignment; on a refusal nothing changes and the one-line reason (naming
// the problem and the valid choices) is returned.
//  - a list: a text equal to one of its current items is a pick of that item (the click
//    runs the change handler even when the item was already chosen); any other text is
//    typed into an editable list and refused by a fixed one;
//  - a check box: 0 or 1; its click handler runs when the value changes;
//  - a slider: a whole number within its current range; its change handler runs when
//    the value changes.
std::optional<std::string> ApplyAssignment(Form1& form, const Assignment& assignment);

}  // namespace linelab
