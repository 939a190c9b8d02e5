#include "web/StatViews.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "analysis/Bathtub.h"
#include "analysis/EyeContours.h"
#include "analysis/StatisticalEye.h"
#include "app/curves/StatisticalCurve.h"
#include "display/Plots.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/StatEyeCsv.h"
#include "transmit/Transmit.h"
#include "ui/FormHost.h"
#include "ui/SweepSnapshot.h"

namespace linelab::web {
namespace {

using Json = nlohmann::ordered_json;

// One colour per rate, from the widest contour (1e-3) inwards, as the desktop draws them.
constexpr std::array<const char*, 4> kContourColours = {"#c80000", "#e67800", "#9600c8", "#282828"};
// The labels' places apart, in hscSample steps (32 a symbol period).
constexpr double kLabelSpread = 8;
constexpr double kEyeFactor = 1.4142135623730951;  // the receive eye's amplitude factor

std::string RateLabel(double rate) {
    return "1e" + std::to_string(static_cast<int>(std::lround(std::log10(rate))));
}

std::string Figure(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// How the grid's coordinates reach the receive eye's drawing units: the instant as the eye
// routine places its sampling marker, the value as it places a sample.
struct UnitMap {
    double x0 = 0;
    double xStep = 0;
    double height = 0;  // the transmit eye's scale height, which every eye is drawn with
    double X(double instant) const { return x0 + instant * xStep; }
    double Y(double value) const {
        const double q = (2 / 0.7) / height * kEyeFactor;
        return height * 0.5 - value / q;
    }
};

std::optional<UnitMap> UnitMapOf(const Form1& form) {
    EyeView view = EyeViewOf(form.Controls(), form.State().dBaudRate);
    const int width = form.Picture(PictureId::picRxEye).width * kUnitsPerPixel;
    view.samplingOffset = 0;
    const auto at0 = EyeSamplingX(view, width);
    view.samplingOffset = 2;
    const auto at2 = EyeSamplingX(view, width);
    if (!at0 || !at2 || view.txEyeHeight <= 0) return std::nullopt;
    return UnitMap{*at0, (*at2 - *at0) / 2, static_cast<double>(view.txEyeHeight)};
}

Json ContoursJson(const Form1& form, const StatisticalEye& eye) {
    Json out = Json::array();
    const auto map = UnitMapOf(form);
    if (!map) return out;
    const std::vector<EyeContour> contours = EyeContours(eye);
    for (std::size_t c = 0; c < contours.size(); ++c) {
        // Labelled where it passes nearest the opening in use, the rates side by side.
        const double tx = map->X(form.Slider(SliderId::hscSample).value +
                                 (static_cast<double>(c) - 1.5) * kLabelSpread);
        const double ty = map->Y(form.State().dThresholds[0]);
        Json segments = Json::array();
        Json label = nullptr;
        double nearest = 0;
        for (const ContourSegment& s : contours[c].segments) {
            const double x0 = map->X(s.instant0), y0 = map->Y(s.threshold0);
            segments.insert(segments.end(), {x0, y0, map->X(s.instant1), map->Y(s.threshold1)});
            // Distances in pixels, as they are seen.
            const double dx = (x0 - tx) / map->xStep, dy = (y0 - ty) / kUnitsPerPixel;
            const double distance = dx * dx + dy * dy;
            if (label.is_null() || distance < nearest) {
                label = {x0, y0};
                nearest = distance;
            }
        }
        out.push_back({{"rate", contours[c].rate},
                       {"label", RateLabel(contours[c].rate)},
                       {"colour", kContourColours[c % kContourColours.size()]},
                       {"segments", segments},
                       {"labelAt", label}});
    }
    return out;
}

std::string Readout(const Bathtub& b) {
    std::string text = "In use: instant " + std::to_string(b.instantInUse) + ", threshold " +
                       Figure("%.3f", b.thresholdInUse) + " V.  Best: instant " +
                       std::to_string(b.bestInstant) + ", threshold " +
                       Figure("%.3f", b.bestThreshold) + " V";
    for (const EyeOpening& o : b.openings) {
        text += "\nAt " + Figure("%.2g", o.rate) + ": eye width " + Figure("%.3f", o.width) +
                " symbol, height " + Figure("%.3f", o.height) + " V";
    }
    return text;
}

Json BathtubJson(const Bathtub& b) {
    Json byInstant = Json::array();
    for (const DecisionRates& r : b.byInstant)
        byInstant.push_back(r.wrongDecisions);
    return {{"instants", b.instants},         {"byInstant", byInstant},
            {"thresholds", b.thresholds},     {"byThreshold", b.byThreshold},
            {"instantInUse", b.instantInUse}, {"thresholdInUse", b.thresholdInUse},
            {"bestInstant", b.bestInstant},   {"bestThreshold", b.bestThreshold}};
}

}  // namespace

std::string StatViewsJson(Form1& form, bool bathtub) {
    Json out = {{"problem", ""},      {"contours", Json::array()},
                {"bathtub", nullptr}, {"best", nullptr},
                {"readout", ""},      {"csv", ""}};
    try {
        const SweepSettings settings = SweepSnapshot(form);
        const std::optional<LinkStatistics> stats =
            ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
        if (!stats) {
            out["problem"] = "none for these settings";
        } else {
            const double sigma = stats->noiseSigma;
            out["contours"] = ContoursJson(form, ComputeStatisticalEye(*stats, sigma));
            if (bathtub) {
                const Bathtub b = ComputeBathtub(*stats, sigma);
                out["bathtub"] = BathtubJson(b);
                out["best"] = {
                    {"hscSample", b.bestInstant},
                    {"vscThreshold", std::clamp(ThresholdSliderFor(b.bestThreshold), 0, 100)}};
                out["readout"] = Readout(b);
                out["csv"] = BathtubCsv(b);
            }
        }
    } catch (const std::exception& e) {
        out["problem"] = e.what();
    }
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string StatCurveJson(const SweepSettings& settings, double first, double last, int samples,
                          double lowest) {
    const StatisticalCurveData curve = StatisticalCurveFor(settings, first, last, samples, lowest);
    const Json out = {{"problem", curve.problem}, {"ebN0", curve.ebN0}, {"rate", curve.rate}};
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace linelab::web
