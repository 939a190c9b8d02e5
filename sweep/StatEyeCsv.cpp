#include "sweep/StatEyeCsv.h"

#include <algorithm>

#include "sweep/SweepCsv.h"

namespace linelab {
namespace {

std::string Line(const char* curve, double x, double rate, const std::string& dataRate) {
    return std::string(curve) + ',' + CsvNumber(x) + ',' + CsvNumber(rate) + ',' + dataRate + '\n';
}

std::string InstantLine(const char* curve, const Bathtub& tub, int sample) {
    const auto at = std::find(tub.instants.begin(), tub.instants.end(), sample);
    if (at == tub.instants.end()) return "";
    const DecisionRates& r = tub.byInstant[static_cast<std::size_t>(at - tub.instants.begin())];
    return Line(curve, sample, r.wrongDecisions, CsvNumber(r.dataBits));
}

std::string ThresholdLine(const char* curve, const Bathtub& tub, double threshold) {
    std::size_t best = 0;
    for (std::size_t j = 1; j < tub.thresholds.size(); ++j)
        if (std::abs(tub.thresholds[j] - threshold) < std::abs(tub.thresholds[best] - threshold))
            best = j;
    return tub.thresholds.empty() ? "" : Line(curve, threshold, tub.byThreshold[best], "");
}

}  // namespace

std::string StatEyeCsv(const StatisticalEye& eye) {
    std::string out = std::string(kStatEyeCsvHeader) + '\n';
    for (std::size_t i = 0; i < eye.instants.size(); ++i) {
        const std::string sample = std::to_string(eye.instants[i]) + ',';
        for (std::size_t j = 0; j < eye.thresholds.size(); ++j)
            out += sample + CsvNumber(eye.thresholds[j]) + ',' + CsvNumber(eye.At(i, j)) + '\n';
    }
    return out;
}

std::string BathtubCsv(const Bathtub& tub) {
    std::string out = std::string(kBathtubCsvHeader) + '\n';
    for (std::size_t i = 0; i < tub.instants.size(); ++i)
        out += InstantLine("instant", tub, tub.instants[i]);
    for (std::size_t j = 0; j < tub.thresholds.size(); ++j)
        out += Line("threshold", tub.thresholds[j], tub.byThreshold[j], "");
    out += InstantLine("in-use-instant", tub, tub.instantInUse);
    out += Line("in-use-threshold", tub.thresholdInUse, tub.thresholdInUseRate, "");
    out += InstantLine("best-instant", tub, tub.bestInstant);
    out += ThresholdLine("best-threshold", tub, tub.bestThreshold);
    for (const EyeOpening& o : tub.openings)
        out += Line("eye-width", o.width, o.rate, "");
    for (const EyeOpening& o : tub.openings)
        out += Line("eye-height", o.height, o.rate, "");
    return out;
}

}  // namespace linelab
