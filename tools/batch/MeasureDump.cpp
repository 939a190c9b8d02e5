#include "tools/batch/MeasureDump.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "analysis/BinomialInterval.h"
#include "analysis/SignalToNoise.h"
#include "ui/FormHost.h"

namespace linelab {
namespace {

constexpr std::array<std::string_view, 7> kMeasureNames = {
    "EbN0dB", "EsN0dB", "BitErrors", "BitsCompared", "BERLow", "BERHigh", "Eye"};

void WriteRatio(JsonWriter& json, const Form1& form, bool perBit) {
    const auto ratios = SignalToNoiseOf(LinkConfigOf(form));
    if (!ratios) return json.Null();
    json.Number(perBit ? ratios->dEbN0dB : ratios->dEsN0dB);
}

// The counts since the last restart; none yet while the restart awaits its first run.
std::pair<uint64_t, uint64_t> Counts(const Form1& form, const Measurements& m) {
    if (form.State().lBERRuns == 0) return {0, 0};
    return {m.Counts().Errors(), m.Counts().Bits()};
}

void WriteCount(JsonWriter& json, uint64_t count) {
    json.Integer(static_cast<int64_t>(std::min<uint64_t>(count, INT64_MAX)));
}

void WriteNumbers(JsonWriter& json, std::string_view key, const std::vector<double>& values) {
    json.Key(key);
    json.Array<double>(values);
}

void WriteEye(JsonWriter& json, const Measurements& m) {
    const EyeFigures f = m.RxEyeFigures();
    std::vector<double> mean, sigma, height, width;
    for (const EyeLevelFigures& level : f.levels) {
        mean.push_back(level.dMean);
        sigma.push_back(level.dSigma);
    }
    for (const EyeGapFigures& gap : f.gaps) {
        height.push_back(gap.dHeight);
        width.push_back(gap.dWidth);
    }
    json.BeginObject();
    WriteNumbers(json, "mean", mean);
    WriteNumbers(json, "sigma", sigma);
    WriteNumbers(json, "height", height);
    WriteNumbers(json, "width", width);
    json.Key("q");
    json.Number(f.dQ);  // null when infinite or not yet known
    json.Key("predictedBER");
    json.Number(f.dPredictedBer);
    json.EndObject();
}

}  // namespace

std::span<const std::string_view> MeasureFieldNames() {
    return kMeasureNames;
}

bool NeedsMeasurements(std::span<const std::string> names) {
    for (const std::string& name : names) {
        if (name != "EbN0dB" && name != "EsN0dB" &&
            std::find(kMeasureNames.begin(), kMeasureNames.end(), name) != kMeasureNames.end())
            return true;
    }
    return false;
}

bool WriteMeasureField(JsonWriter& json, const Form1& form, const Measurements* m,
                       std::string_view name) {
    if (name == "EbN0dB" || name == "EsN0dB") {
        WriteRatio(json, form, name == "EbN0dB");
        return true;
    }
    if (std::find(kMeasureNames.begin(), kMeasureNames.end(), name) == kMeasureNames.end())
        return false;
    if (m == nullptr) {
        json.Null();
    } else if (name == "BitErrors" || name == "BitsCompared") {
        const auto [errors, bits] = Counts(form, *m);
        WriteCount(json, name == "BitErrors" ? errors : bits);
    } else if (name == "BERLow" || name == "BERHigh") {
        const auto [errors, bits] = Counts(form, *m);
        const BinomialInterval interval = ClopperPearson(errors, bits);
        json.Number(name == "BERLow" ? interval.dLow : interval.dHigh);
    } else {
        WriteEye(json, *m);
    }
    return true;
}

}  // namespace linelab
