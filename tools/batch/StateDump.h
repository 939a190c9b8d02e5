#pragma once
// The run state by name, as the dump writes it: arrays whole, numbers exactly. The names
// include what the views keep between frames (the spectrum averages, their counts, the memory
// trace, the eye scale), dumped beside the engine's as they always were.

#include <span>
#include <string_view>

#include "common/RunState.h"
#include "display/FrameViews.h"
#include "display/StageProducts.h"
#include "tools/batch/JsonWriter.h"

namespace linelab {

// The names of the run state the dump knows, in the order of the run state.
std::span<const std::string_view> StateFieldNames();

struct DumpedState {
    const RunState& run;
    const FrameViews& views;
    const StageProducts& stages;  // the transmit and channel stages, as RecordedStages forms them
};

// The transmit and channel stages as the dump records them, a view of the last run, made
// with `ran`: formed for the panels it fed, and the transmit waveform whenever it added noise
// (the stage the noise's energy is measured on). The batch applies every setting before its
// runs, so each run formed the same stages and the last one's are what the run has always
// left behind. Before any run nothing is formed: all zero.
StageProducts RecordedStages(const RunState& run, const LinkConfig& ran);

// Writes the value named `name`; false (nothing written) for a name that is not one.
bool WriteStateField(JsonWriter& json, const DumpedState& state, std::string_view name);

}  // namespace linelab
