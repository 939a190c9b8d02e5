#pragma once
// Dump names for the measurements beside the run state: the setting's Eb/N0 and Es/N0.

#include <span>
#include <string_view>

#include "tools/batch/JsonWriter.h"
#include "ui/Form1.h"

namespace linelab {

// EbN0dB, EsN0dB: numbers in dB, or null when no noise is applied.
std::span<const std::string_view> MeasureFieldNames();

// Writes the value named `name`; false (nothing written) for a name that is not one.
bool WriteMeasureField(JsonWriter& json, const Form1& form, std::string_view name);

}  // namespace linelab
