#pragma once
// The run state by name, as the dump writes it: arrays whole, numbers exactly.

#include <span>
#include <string_view>

#include "common/RunState.h"
#include "tools/batch/JsonWriter.h"

namespace linelab {

// The names of the run state the dump knows, in the order of the run state.
std::span<const std::string_view> StateFieldNames();

// Writes the value named `name`; false (nothing written) for a name that is not one.
bool WriteStateField(JsonWriter& json, const RunState& state, std::string_view name);

}  // namespace linelab
