#include "tools/batch/StateDump.h"

#include <algorithm>
#include <array>

namespace linelab {
namespace {

struct StateField {
    std::string_view name;
    void (*write)(JsonWriter&, const DumpedState&);
};

template <typename T, std::size_t N>
void WriteArray(JsonWriter& json, const std::array<T, N>& values) {
    json.Array(std::span<const T>(values));
}

// One row per name; the lambdas carry no state, so each becomes a plain function.
constexpr std::array<StateField, 39> kStateFields = {{
    {"iData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iData); }},
    {"iPreData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iPreData); }},
    {"iScrambleSeq",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iScrambleSeq); }},
    {"iCodedData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iCodedData); }},
    {"iModData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iModData); }},
    {"iDemodData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iDemodData); }},
    {"iDecodedData",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iDecodedData); }},
    {"iPostData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iPostData); }},
    {"iRxData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.iRxData); }},
    {"iCodeBaud", [](JsonWriter& j, const DumpedState& s) { j.Integer(s.run.iCodeBaud); }},
    {"iTxDutyCycle", [](JsonWriter& j, const DumpedState& s) { j.Integer(s.run.iTxDutyCycle); }},
    {"dScale", [](JsonWriter& j, const DumpedState& s) { j.Number(s.run.dScale); }},
    {"dBaudRate", [](JsonWriter& j, const DumpedState& s) { j.Number(s.run.dBaudRate); }},
    {"dThresholds", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dThresholds); }},
    {"dTxImpulses", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dTxImpulses); }},
    {"dRxSpectrum", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dRxSpectrum); }},
    {"dRxTimeData", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dRxTimeData); }},
    {"dTxFilterSpectrum",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.stages.TxFilterSpectrum()); }},
    {"dTxTimeData",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.stages.TxTimeData()); }},
    {"dChannelSpectrum",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.stages.ChannelSpectrum()); }},
    {"dChannelTimeData",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.stages.ChannelTimeData()); }},
    {"dNoise", [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dNoise); }},
    {"dRxNoiseSpectrum",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.dRxNoiseSpectrum); }},
    {"dTxResponse",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.responses.dTxResponse); }},
    {"dRxResponse",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.responses.dRxResponse); }},
    {"dChannelResponse",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.responses.dChannelResponse); }},
    {"dTotalResponse",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.run.responses.dTotalResponse); }},
    {"dTxSpectrumAvg",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.views.dTxSpectrumAvg); }},
    {"dChannelSpectrumAvg",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.views.dChannelSpectrumAvg); }},
    {"dRxSpectrumAvg",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.views.dRxSpectrumAvg); }},
    {"dMemorySpectrum",
     [](JsonWriter& j, const DumpedState& s) { WriteArray(j, s.views.dMemorySpectrum); }},
    {"lTxSpectra", [](JsonWriter& j, const DumpedState& s) { j.Integer(s.views.lTxSpectra); }},
    {"lChannelSpectra",
     [](JsonWriter& j, const DumpedState& s) { j.Integer(s.views.lChannelSpectra); }},
    {"lRxSpectra", [](JsonWriter& j, const DumpedState& s) { j.Integer(s.views.lRxSpectra); }},
    {"lBERRuns", [](JsonWriter& j, const DumpedState& s) { j.Integer(s.run.lBERRuns); }},
    {"dBER", [](JsonWriter& j, const DumpedState& s) { j.Number(s.run.dBER); }},
    {"dTxEyeScale", [](JsonWriter& j, const DumpedState& s) { j.Number(s.views.dTxEyeScale); }},
    {"bFiltersValid", [](JsonWriter& j, const DumpedState& s) { j.Bool(s.run.bFiltersValid); }},
    {"bMemoryStored", [](JsonWriter& j, const DumpedState& s) { j.Bool(s.views.bMemoryStored); }},
}};

constexpr auto kStateNames = [] {
    std::array<std::string_view, kStateFields.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kStateFields[i].name;
    return names;
}();

}  // namespace

StageProducts RecordedStages(const RunState& run, const LinkConfig& ran) {
    StageRequest request = PanelRequest(ran.shown);
    if (ran.noiseLevel > 0) request.tx = StageForm::Waveform;
    StageProducts stages;
    stages.Form(FrameOf(run, ran, 0), request);
    return stages;
}

std::span<const std::string_view> StateFieldNames() {
    return kStateNames;
}

bool WriteStateField(JsonWriter& json, const DumpedState& state, std::string_view name) {
    const auto it = std::find_if(kStateFields.begin(), kStateFields.end(),
                                 [name](const StateField& f) { return f.name == name; });
    if (it == kStateFields.end()) return false;
    it->write(json, state);
    return true;
}

}  // namespace linelab
