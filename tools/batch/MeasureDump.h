#pragma once
// Dump names for the measurements beside the run state: the setting's Eb/N0 and Es/N0, the
// counts behind the BER and their interval, the receive eye's opening.

#include <span>
#include <string>
#include <string_view>

#include "tools/batch/JsonWriter.h"
#include "ui/Form1.h"
#include "ui/Measurements.h"

namespace linelab {

// EbN0dB, EsN0dB: numbers in dB, or null when no noise is applied. BitErrors, BitsCompared:
// integers since the BER last restarted (0 before the first run after a restart). BERLow,
// BERHigh: their exact 95 % interval. Eye: the receive eye since it was last cleared, an
// object with per-level "mean" and "sigma" arrays (lowest level first), per-gap "height"
// and "width" (symbol periods) arrays, "q" and "predictedBER" (null while fewer than two
// levels were seen; q is null, and predictedBER 0, for an eye without any spread).
std::span<const std::string_view> MeasureFieldNames();

// Whether any of the names needs the measurements fed run by run (all but the ratios).
bool NeedsMeasurements(std::span<const std::string> names);

// Writes the value named `name`; false (nothing written) for a name that is not one. Names
// that need the measurements are null without them.
bool WriteMeasureField(JsonWriter& json, const Form1& form, const Measurements* measurements,
                       std::string_view name);

}  // namespace linelab
