#pragma once
// The --dump output: one JSON object with one key per name asked for. A name is a run-state
// name, "controls" (every control of the window), or the name of one control.

#include <span>
#include <string>
#include <string_view>

#include "ui/Form1.h"
#include "ui/Measurements.h"

namespace linelab {

inline constexpr std::string_view kAllControlsName = "controls";

bool IsDumpName(std::string_view name);

// The object followed by a newline. Every name must pass IsDumpName. The names of the
// measurements (see MeasureDump.h) that need them read `measurements`; without any they
// are null.
std::string WriteDump(const Form1& form, std::span<const std::string> names,
                      const Measurements* measurements = nullptr);

}  // namespace linelab
