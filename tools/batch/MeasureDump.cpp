#include "tools/batch/MeasureDump.h"

#include <array>

#include "analysis/SignalToNoise.h"

namespace linelab {
namespace {

constexpr std::array<std::string_view, 2> kNames = {"EbN0dB", "EsN0dB"};

// What the next tick reads of the noise: the box, its visibility, the transmit code and
// mapping.
Settings NoiseSettings(const Form1& form) {
    Settings s;
    s.cmbNoise = form.List(ListId::cmbNoise).text;
    s.noiseVisible = form.List(ListId::cmbNoise).visible;
    s.cmbCode[0] = form.List(ListId::cmbCode0).text;
    s.cmbMod[0] = form.List(ListId::cmbMod0).text;
    return s;
}

void WriteRatio(JsonWriter& json, const Form1& form, bool perBit) {
    const auto ratios = SignalToNoiseOf(NoiseSettings(form));
    if (!ratios) return json.Null();
    json.Number(perBit ? ratios->dEbN0dB : ratios->dEsN0dB);
}

}  // namespace

std::span<const std::string_view> MeasureFieldNames() {
    return kNames;
}

bool WriteMeasureField(JsonWriter& json, const Form1& form, std::string_view name) {
    if (name == "EbN0dB") {
        WriteRatio(json, form, true);
    } else if (name == "EsN0dB") {
        WriteRatio(json, form, false);
    } else {
        return false;
    }
    return true;
}

}  // namespace linelab
