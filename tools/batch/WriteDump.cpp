#include "tools/batch/WriteDump.h"

#include <algorithm>

#include "tools/batch/ControlDump.h"
#include "tools/batch/MeasureDump.h"
#include "tools/batch/StateDump.h"

namespace linelab {

bool IsDumpName(std::string_view name) {
    const auto state = StateFieldNames();
    const auto measures = MeasureFieldNames();
    return name == kAllControlsName || FindControl(name).has_value() ||
           std::find(state.begin(), state.end(), name) != state.end() ||
           std::find(measures.begin(), measures.end(), name) != measures.end();
}

std::string WriteDump(const Form1& form, std::span<const std::string> names,
                      const Measurements* measurements) {
    const StageProducts stages = RecordedStages(form.State(), form.RunConfig());
    const DumpedState state{form.State(), form.Views(), stages};
    std::string out;
    JsonWriter json(out);
    json.BeginObject();
    for (const std::string& name : names) {
        json.Key(name);
        if (name == kAllControlsName) {
            WriteAllControls(json, form);
        } else if (const auto control = FindControl(name)) {
            WriteControl(json, form, *control);
        } else if (!WriteStateField(json, state, name) &&
                   !WriteMeasureField(json, form, measurements, name)) {
            json.Null();  // not reached for names that passed IsDumpName; keeps the JSON whole
        }
    }
    json.EndObject();
    out += '\n';
    return out;
}

}  // namespace linelab
