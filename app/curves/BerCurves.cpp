#include "app/curves/BerCurves.h"

#include <cmath>

#include "analysis/BinomialInterval.h"
#include "analysis/ExactBer.h"
#include "common/DoubleChars.h"
#include "sweep/SweepCsv.h"
#include "ui/ListTexts.h"

namespace linelab {
namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::vector<double> TheoryOf(const BerCurve& curve) {
    std::vector<double> theory;
    for (const PointResult& p : curve.points)
        theory.push_back(curve.TheoryAt(p.point.dEbN0dB));
    return theory;
}

}  // namespace

std::string CurveLabel(const SweepSettings& settings) {
    const LinkConfig& c = settings.config;
    const std::string noise = c.noiseScaling == NoiseScaling::Fixed ? "fixed N0" : "per-run N0";
    const std::string thresholds =
        c.thresholdChoice == ThresholdChoice::Midway ? "midway" : "thresholds as set";
    return std::string(NameOr(c.format[0])) + ", " + std::string(NameOr(c.code[0])) + ", " +
           std::string(NameOr(settings.filters.side[0].type)) + " / " +
           std::string(NameOr(settings.filters.side[1].type)) + ", " + noise + ", " + thresholds;
}

BerCurve BerCurve::For(const SweepSettings& settings, const std::vector<SweepPoint>& points) {
    BerCurve curve;
    curve.label = CurveLabel(settings);
    curve.settings = settings;
    for (std::size_t i = 0; i < points.size(); ++i) {
        PointResult result;
        result.index = i;
        result.point = points[i];
        curve.points.push_back(result);
    }
    return curve;
}

void BerCurve::Update(std::size_t index, const ChunkCounts& counts, bool complete) {
    if (index >= points.size()) return;
    PointResult& p = points[index];
    // A progress report may arrive after its point's final result: never go back.
    if (p.complete && !complete) return;
    p.counts = counts;
    p.complete = complete;
    p.dBer = counts.bits > 0 ? static_cast<double>(counts.errors) / counts.bits : 0.0;
    p.interval = ClopperPearson(counts.errors, counts.bits);
    // Until the point's blocks are known: the exact interval over clusters of its code's size.
    p.blocks = {ClopperPearsonClustered(counts.errors, counts.bits, p.point.dClusterBits),
                IntervalMethod::Exact};
}

void BerCurve::Update(const PointResult& result) {
    Update(result.index, result.counts, result.complete);
    if (result.index < points.size() && result.complete)
        points[result.index].blocks = result.blocks;
}

CurvePlotData PlotDataOf(const BerCurve& curve) {
    CurvePlotData data;
    for (const PointResult& p : curve.points) {
        // No rate where the levels could not be told apart: it would say nothing of the link.
        if (p.point.decisions == Decisions::Inseparable) {
            data.inseparableX.push_back(p.point.dEbN0dB);
            continue;
        }
        if (p.counts.bits == 0) continue;
        if (p.counts.errors == 0) {
            data.boundX.push_back(p.point.dEbN0dB);
            data.boundY.push_back(p.interval.dHigh);
            continue;
        }
        data.x.push_back(p.point.dEbN0dB);
        data.y.push_back(p.dBer);
        // The bars show the interval that holds when errors cluster, once the point's
        // chunks give it; the exact binomial one before.
        data.below.push_back(p.dBer - p.blocks.interval.dLow);
        data.above.push_back(p.blocks.interval.dHigh - p.dBer);
    }
    return data;
}

std::string InseparableNote(const BerCurve& curve) {
    std::size_t count = 0;
    for (const PointResult& p : curve.points)
        count += p.point.decisions == Decisions::Inseparable ? 1 : 0;
    if (count == 0) return "";
    const std::string points =
        count == curve.points.size()
            ? "any point"
            : std::to_string(count) + " of " + std::to_string(curve.points.size()) + " points";
    return "No rate at " + points + ": two of the levels arrive with the same mean, so the " +
           "receiver's decision rule cannot separate them (" + kInseparableNote + " in the CSV)";
}

std::string RunnerOf(const BerCurve& curve) {
    ChunkCounts all;
    for (const PointResult& p : curve.points)
        all += p.counts;
    const std::string name = RunnerName(all);
    if (name == "folded") return "folded runner";
    if (name == "engine") return "full chain";
    if (name == "mixed") return "folded runner and full chain";
    return "";
}

std::string CurvesCsv(const std::vector<BerCurve>& curves) {
    std::vector<CurveCsvLines> lines;
    for (const BerCurve& curve : curves) {
        const std::vector<double> theory = TheoryOf(curve);
        CurveCsvLines& written = lines.emplace_back();
        written.label = curve.label;
        for (std::size_t i = 0; i < curve.points.size(); ++i)
            written.lines.push_back(
                SweepCsvLine(curve.points[i], theory[i], curve.settings.config));
    }
    return JoinCurvesCsv(lines);
}

std::string JoinCurvesCsv(const std::vector<CurveCsvLines>& curves) {
    if (curves.empty()) return {};
    const bool several = curves.size() > 1;
    std::string csv = std::string(several ? "curve," : "") + kSweepCsvHeader + "\n";
    for (const CurveCsvLines& curve : curves) {
        const std::string prefix = several ? Quoted(curve.label) + "," : std::string();
        for (const std::string& line : curve.lines)
            csv += prefix + line + "\n";
    }
    return csv;
}

std::vector<TheoryLine> TheoryLinesOf(const SweepSettings& settings, double first, double last) {
    constexpr int kSamples = 120;
    std::vector<double> xs;
    for (int i = 0; i <= kSamples; ++i)
        xs.push_back(first + (last - first) * i / kSamples);
    const LinkConfig& c = settings.config;
    const std::string formatName(NameOr(c.format[0]));
    std::vector<TheoryLine> lines;
    lines.reserve(2);
    // The exact rate of this receiver's own decisions and decoding with ideal filters, a
    // fixed noise density and thresholds midway between the levels.
    TheoryLine& ideal = lines.emplace_back();
    ideal.name = "ideal receiver (fixed N0, midway thresholds): " + formatName + ", " +
                 std::string(NameOr(c.code[0]));
    for (const double x : xs) {
        const double y = TheoryFor(settings, x);
        if (y >= kLowestShownRate) {
            ideal.x.push_back(x);
            ideal.y.push_back(y);
        }
    }
    // Manchester's textbook receiver correlates over the whole bit: 3 dB better than the
    // half-by-half decisions above for polar halves.
    const auto format = c.format[0];
    if (c.code[0] != LineCoding::Manchester || !format ||
        std::isnan(ManchesterOptimumBer(*format, 1.0)))
        return lines;
    TheoryLine& optimum = lines.emplace_back();
    optimum.name = "optimum receiver (full-bit correlation): " + formatName + ", Manchester";
    optimum.style = TheoryLine::Style::Dotted;
    for (const double x : ideal.x) {
        const double y = ManchesterOptimumBer(*format, std::pow(10.0, x / 10));
        if (y >= kLowestShownRate) {
            optimum.x.push_back(x);
            optimum.y.push_back(y);
        }
    }
    return lines;
}

std::string MeasuredLegend(const std::string& label, const std::string& runner) {
    return runner.empty() ? label : label + " (" + runner + ")";
}

std::string StatisticalLegend(const std::string& label) {
    return "statistical, the chain as set (fixed N0): " + label;
}

std::string ScientificText(double x, int decimals) {
    if (!std::isfinite(x)) return "";
    char text[64];
    const auto [end, error] =
        ToChars(text, text + sizeof text, x, std::chars_format::scientific, decimals);
    if (error != std::errc()) return "";
    // The exponent with its sign and without leading zeros: e-5, e+0.
    std::string written(text, end);
    const std::size_t e = written.find('e');
    if (e == std::string::npos || e + 2 > written.size()) return written;
    std::size_t digits = e + 2;
    while (digits + 1 < written.size() && written[digits] == '0')
        ++digits;
    return written.substr(0, e + 2) + written.substr(digits);
}

CurveTableRow CurveTableRowOf(const PointResult& r, double theory) {
    return {CsvNumber(r.point.dEbN0dB),
            std::to_string(r.counts.bits),
            std::to_string(r.counts.errors),
            ScientificText(r.dBer, 3),
            ScientificText(r.interval.dLow, 2) + " to " + ScientificText(r.interval.dHigh, 2),
            ScientificText(theory, 3)};
}

CurveTableRow CurveTableRowOf(double ebN0dB, double theory) {
    return {CsvNumber(ebN0dB), "", "", "", "", ScientificText(theory, 3)};
}

}  // namespace linelab
