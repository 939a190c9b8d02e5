#include "tools/batch/StateDump.h"

#include <algorithm>
#include <array>

namespace linelab {
namespace {

struct StateField {
    std::string_view name;
    void (*write)(JsonWriter&, const RunState&);
};

template <typename T, std::size_t N>
void WriteArray(JsonWriter& json, const std::array<T, N>& values) {
    json.Array(std::span<const T>(values));
}

// One row per name; the lambdas carry no state, so each becomes a plain function.
constexpr std::array<StateField, 39> kStateFields = {{
    {"iData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iData); }},
    {"iPreData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iPreData); }},
    {"iScrambleSeq", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iScrambleSeq); }},
    {"iCodedData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iCodedData); }},
    {"iModData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iModData); }},
    {"iDemodData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iDemodData); }},
    {"iDecodedData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iDecodedData); }},
    {"iPostData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iPostData); }},
    {"iRxData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.iRxData); }},
    {"iCodeBaud", [](JsonWriter& j, const RunState& s) { j.Integer(s.iCodeBaud); }},
    {"iTxDutyCycle", [](JsonWriter& j, const RunState& s) { j.Integer(s.iTxDutyCycle); }},
    {"dScale", [](JsonWriter& j, const RunState& s) { j.Number(s.dScale); }},
    {"dBaudRate", [](JsonWriter& j, const RunState& s) { j.Number(s.dBaudRate); }},
    {"dThresholds", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dThresholds); }},
    {"dTxImpulses", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dTxImpulses); }},
    {"dRxSpectrum", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dRxSpectrum); }},
    {"dRxTimeData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dRxTimeData); }},
    {"dTxFilterSpectrum",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dTxFilterSpectrum); }},
    {"dTxTimeData", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dTxTimeData); }},
    {"dChannelSpectrum",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dChannelSpectrum); }},
    {"dChannelTimeData",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dChannelTimeData); }},
    {"dNoise", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dNoise); }},
    {"dRxNoiseSpectrum",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dRxNoiseSpectrum); }},
    {"dTxResponse",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.responses.dTxResponse); }},
    {"dRxResponse",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.responses.dRxResponse); }},
    {"dChannelResponse",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.responses.dChannelResponse); }},
    {"dTotalResponse",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.responses.dTotalResponse); }},
    {"dTxSpectrumAvg", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dTxSpectrumAvg); }},
    {"dChannelSpectrumAvg",
     [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dChannelSpectrumAvg); }},
    {"dRxSpectrumAvg", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dRxSpectrumAvg); }},
    {"dMemorySpectrum", [](JsonWriter& j, const RunState& s) { WriteArray(j, s.dMemorySpectrum); }},
    {"lTxSpectra", [](JsonWriter& j, const RunState& s) { j.Integer(s.lTxSpectra); }},
    {"lChannelSpectra", [](JsonWriter& j, const RunState& s) { j.Integer(s.lChannelSpectra); }},
    {"lRxSpectra", [](JsonWriter& j, const RunState& s) { j.Integer(s.lRxSpectra); }},
    {"lBERRuns", [](JsonWriter& j, const RunState& s) { j.Integer(s.lBERRuns); }},
    {"dBER", [](JsonWriter& j, const RunState& s) { j.Number(s.dBER); }},
    {"dTxEyeScale", [](JsonWriter& j, const RunState& s) { j.Number(s.dTxEyeScale); }},
    {"bFiltersValid", [](JsonWriter& j, const RunState& s) { j.Bool(s.bFiltersValid); }},
    {"bMemoryStored", [](JsonWriter& j, const RunState& s) { j.Bool(s.bMemoryStored); }},
}};

constexpr auto kStateNames = [] {
    std::array<std::string_view, kStateFields.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kStateFields[i].name;
    return names;
}();

}  // namespace

std::span<const std::string_view> StateFieldNames() {
    return kStateNames;
}

bool WriteStateField(JsonWriter& json, const RunState& state, std::string_view name) {
    const auto it = std::find_if(kStateFields.begin(), kStateFields.end(),
                                 [name](const StateField& f) { return f.name == name; });
    if (it == kStateFields.end()) return false;
    it->write(json, state);
    return true;
}

}  // namespace linelab
