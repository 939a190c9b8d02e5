// The module's face to the page's workers: the session (the window) and, for the BER Curve,
// the sweep's plan and its chunk runners.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "app/curves/BerCurves.h"
#include "common/Colours.h"
#include "lesson/Lesson.h"
#include "receiver/Noise.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/SweepCsv.h"
#include "sweep/SweepPlan.h"
#include "sweep/SweepRange.h"
#include "sweep/SweepSettings.h"
#include "sweep/SweepSetup.h"
#include "ui/PanelTable.h"
#include "ui/SweepSnapshot.h"
#include "web/Session.h"
#include "web/StatViews.h"

namespace linelab::web {
namespace {

using emscripten::val;
using Json = nlohmann::ordered_json;

val PanelsOf(Session& session) {
    val panels = val::array();
    for (auto& [name, commands] : session.TakePanels()) {
        val entry = val::object();
        entry.set("name", std::string(name));
        // A copy the worker may transfer to the page; the module's memory may move.
        val view(emscripten::typed_memory_view(commands.size(), commands.data()));
        entry.set("commands", view.call<val>("slice"));
        panels.call<void>("push", entry);
    }
    return panels;
}

// The density eyes shown now, each as {name, width, height, pixels (RGBA)}; the receive eye's
// with the markers it keeps on top ({markers: [x1, y1, x2, y2, ...] in its units, colour}).
val DensitiesOf(Session& session) {
    val eyes = val::array();
    for (int eye = 0; eye < kEyePanels; ++eye) {
        if (!session.DensityShown(eye)) continue;
        const auto [width, height] = session.DensitySize(eye);
        std::vector<uint8_t> rgba = session.DensityRgba(eye);
        val entry = val::object();
        entry.set("name", std::string(Describe(static_cast<EyePanel>(eye)).pictureName));
        entry.set("width", width);
        entry.set("height", height);
        val bytes(emscripten::typed_memory_view(rgba.size(), rgba.data()));
        entry.set("pixels", val::global("Uint8ClampedArray").new_(bytes));
        if (static_cast<EyePanel>(eye) == EyePanel::Rx) {
            const std::vector<double> markers = session.RxEyeMarkers();
            val lines(emscripten::typed_memory_view(markers.size(), markers.data()));
            entry.set("markers", val::global("Float64Array").new_(lines));
            entry.set("markerColour", kGreen);
        }
        eyes.call<void>("push", entry);
    }
    return eyes;
}

// The BER Curve's CSV of the curves shown, joined as the desktop joins them: `curves` is a
// JSON list of {label, lines}, each line as the sweep wrote it.
std::string CurvesCsvOf(std::string curves) {
    std::vector<CurveCsvLines> joined;
    try {
        for (const auto& c : Json::parse(curves)) {
            CurveCsvLines& lines = joined.emplace_back();
            lines.label = c.at("label").get<std::string>();
            lines.lines = c.at("lines").get<std::vector<std::string>>();
        }
    } catch (const std::exception&) {
        return {};
    }
    return JoinCurvesCsv(joined);
}

val MessagesOf(Session& session) {
    val messages = val::array();
    for (const Message& m : session.TakeMessages()) {
        val entry = val::object();
        entry.set("text", m.text);
        entry.set("stopsTimer", m.stopsTimer);
        messages.call<void>("push", entry);
    }
    return messages;
}

// A count or seed from the page: the page's numbers are doubles of any value, NaN included.
uint64_t Whole(double v, uint64_t least) {
    if (!(v >= static_cast<double>(least))) return least;
    if (v >= 18446744073709551615.0) return UINT64_MAX;
    return static_cast<uint64_t>(v);
}

// The sweep's own choices of noise and thresholds, named as linelab-batch --sweep takes them.
std::optional<std::string> Choose(SweepSettings& settings, const std::string& noise,
                                  const std::string& thresholds) {
    const auto n = NoiseScalingNamed(noise);
    const auto t = ThresholdChoiceNamed(thresholds);
    if (!n || !t) return "noise must be fixed or per-run, thresholds midway or as-set";
    settings.config.noiseScaling = *n;
    settings.config.thresholdChoice = *t;
    return std::nullopt;
}

Json ResultJson(const PointResult& r, const SweepSettings& settings) {
    Json j;
    j["index"] = r.index;
    j["ebN0dB"] = r.point.dEbN0dB;
    j["noise"] = r.point.dNoiseLevel;
    j["bits"] = static_cast<double>(r.counts.bits);
    j["errors"] = static_cast<double>(r.counts.errors);
    j["runs"] = static_cast<double>(r.counts.runs);
    j["ber"] = r.dBer;
    j["low"] = r.interval.dLow;
    j["high"] = r.interval.dHigh;
    j["theory"] = TheoryFor(settings, r.point.dEbN0dB);
    j["complete"] = r.complete;
    j["csv"] = SweepCsvLine(r, TheoryFor(settings, r.point.dEbN0dB), settings.config);
    j["cells"] = CurveTableRowOf(r, TheoryFor(settings, r.point.dEbN0dB));
    return j;
}

// The coordinator's side of a sweep: settings, points and the plan. Chunk workers run the
// requests it hands out.
class SweepCoordinator {
  public:
    SweepCoordinator(Session& session, std::string noise, std::string thresholds)
        : settings_(SweepSnapshot(session.Form())) {
        if (auto problem = Choose(settings_, noise, thresholds)) error_ = *problem;
        label_ = CurveLabel(settings_);
    }

    // "" or why the range cannot be swept (the same limit as linelab-batch's).
    std::string Plan(std::string pointsJson, double minErrors, double maxBits, double seed) {
        if (!error_.empty()) return error_;
        std::vector<double> ebN0;
        try {
            for (const auto& v : Json::parse(pointsJson))
                ebN0.push_back(v.get<double>());
        } catch (const std::exception&) {
            return "the points are not a list of numbers";
        }
        if (ebN0.empty() || ebN0.size() > kMaxSweepPoints)
            return "a sweep has 1 to " + std::to_string(kMaxSweepPoints) + " points";
        for (const double x : ebN0) {
            if (!std::isfinite(x)) return "the points must be numbers";
        }
        const SweepChoices choices{settings_.config.noiseScaling, settings_.config.thresholdChoice};
        SweepSetup setup = SetUpSweep(settings_, choices, ebN0);
        points_ = std::move(setup.points);
        if (!setup.Runnable())
            return std::to_string(*setup.beyondNoiseLimit) +
                   " dB needs more noise than the largest level; start the range higher";
        SweepLimits limits;
        limits.minErrors = Whole(minErrors, 1);
        limits.maxBits = Whole(maxBits, 1);
        limits.seed = Whole(seed, 0);
        plan_ = std::make_unique<SweepPlan>(points_, limits);
        curve_ = BerCurve::For(settings_, points_);
        return {};
    }

    // The same for the points FROM:STEP:TO in dB, read as linelab-batch --sweep reads them.
    std::string PlanRange(std::string range, double minErrors, double maxBits, double seed) {
        const auto points = ParseSweepRange(range);
        if (!points)
            return "The range needs FROM, STEP and TO in dB, the step above 0 towards TO and "
                   "at most " +
                   std::to_string(kMaxSweepPoints) + " points";
        return Plan(Json(*points).dump(), minErrors, maxBits, seed);
    }

    // The points planned, in dB, as a JSON list.
    std::string Points() const {
        Json points = Json::array();
        for (const SweepPoint& p : points_)
            points.push_back(p.dEbN0dB);
        return points.dump();
    }

    // The next chunk as {point, chunk, noise, seed (decimal text), bits}, or null.
    val Next() {
        if (!plan_) return val::null();
        const auto task = plan_->Next();
        if (!task) return val::null();
        const ChunkRequest r = plan_->RequestOf(*task);
        val out = val::object();
        out.set("point", static_cast<double>(task->point));
        out.set("chunk", static_cast<double>(task->chunk));
        out.set("noise", r.dNoiseLevel);
        out.set("seed", std::to_string(r.seed));
        out.set("bits", static_cast<double>(r.bitsBudget));
        return out;
    }

    // A chunk's counts; the point's result as JSON text when it completed the point, else "".
    // `blocks` is the chunk's blocks as the chunk worker sent them (errors, bits, runs, ...):
    // the point's interval where errors cluster is made of the same blocks as the desktop's.
    std::string Finish(double point, double chunk, double errors, double bits, double runs,
                       double folded, val blocks) {
        if (!plan_) return {};
        ChunkCounts counts{static_cast<uint64_t>(errors), static_cast<uint64_t>(bits),
                           static_cast<uint64_t>(runs), static_cast<uint64_t>(folded)};
        if (blocks.isArray()) {
            const auto flat = emscripten::vecFromJSArray<double>(blocks);
            for (std::size_t i = 0; i + 2 < flat.size(); i += 3)
                counts.blocks.Append(
                    BlockCounts{Whole(flat[i], 0), Whole(flat[i + 1], 0), Whole(flat[i + 2], 0)});
        }
        const auto done =
            plan_->Finish({static_cast<std::size_t>(point), static_cast<uint64_t>(chunk)}, counts);
        if (point >= 0 && point < static_cast<double>(plan_->Points()))
            curve_.Update(plan_->ResultOf(static_cast<std::size_t>(point)));
        return done ? ResultJson(*done, settings_).dump() : std::string();
    }

    bool PointComplete(double point) const {
        return plan_ && point >= 0 && point < static_cast<double>(plan_->Points()) &&
               plan_->PointComplete(static_cast<std::size_t>(point));
    }
    bool Done() const { return plan_ && plan_->Done(); }
    std::string Result(double point) const {
        if (!plan_ || point < 0 || point >= static_cast<double>(plan_->Points())) return {};
        return ResultJson(plan_->ResultOf(static_cast<std::size_t>(point)), settings_).dump();
    }
    std::string Label() const { return label_; }
    // The legend's name of the measured points: the label and the runner that made them.
    std::string Legend() const { return MeasuredLegend(label_, RunnerOf(curve_)); }
    std::string StatisticalName() const { return StatisticalLegend(label_); }
    // The theory drawn beside the points over the planned range, as a JSON list of
    // {name, style ("dashed" or "dotted"), x, y}.
    std::string TheoryLines() const {
        Json lines = Json::array();
        if (points_.empty()) return lines.dump();
        double first = points_.front().dEbN0dB, last = first;
        for (const SweepPoint& p : points_) {
            first = std::min(first, p.dEbN0dB);
            last = std::max(last, p.dEbN0dB);
        }
        for (const TheoryLine& line : TheoryLinesOf(settings_, first, last)) {
            lines.push_back(
                {{"name", line.name},
                 {"style", line.style == TheoryLine::Style::Dotted ? "dotted" : "dashed"},
                 {"x", line.x},
                 {"y", line.y}});
        }
        return lines.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    std::string Header() const { return kSweepCsvHeader; }
    double Theory(double ebN0dB) const { return TheoryFor(settings_, ebN0dB); }
    // The table's row of a point before any count (app/curves/BerCurves.h).
    std::string EmptyRow(double ebN0dB) const {
        return Json(CurveTableRowOf(ebN0dB, Theory(ebN0dB))).dump();
    }

  private:
    SweepSettings settings_;
    std::vector<SweepPoint> points_;
    std::unique_ptr<SweepPlan> plan_;
    BerCurve curve_;  // the points as they finish, for the legend's runner
    std::string error_;
    std::string label_;
};

// A chunk worker's runner: the settings rebuilt from the window's lesson, the runner the
// desktop's sweep uses for them.
class ChunkWorker {
  public:
    ChunkWorker(std::string lesson, std::string noise, std::string thresholds, bool engine) {
        Form1 form;
        if (auto problem = OpenLessonText(form, lesson, "sweep")) {
            error_ = *problem;
            return;
        }
        SweepSettings settings = SweepSnapshot(form);
        if (auto problem = Choose(settings, noise, thresholds)) {
            error_ = *problem;
            return;
        }
        runner_ = MakeSweepRunner(settings, engine ? SweepRunner::Engine : SweepRunner::Folded);
    }

    std::string Error() const { return error_; }

    // {errors, bits, runs, folded} of the whole chunk, or {error}.
    val Run(double noise, std::string seed, double bits) {
        val out = val::object();
        if (!runner_) {
            out.set("error", error_);
            return out;
        }
        try {
            const ChunkRequest request{noise, std::stoull(seed), Whole(bits, 0)};
            const auto counts = runner_->Run(request, [] { return false; });
            if (!counts) {
                out.set("error", std::string("a chunk stopped early"));
                return out;
            }
            out.set("errors", static_cast<double>(counts->errors));
            out.set("bits", static_cast<double>(counts->bits));
            out.set("runs", static_cast<double>(counts->runs));
            out.set("folded", static_cast<double>(counts->foldedRuns));
            val blocks = val::array();
            for (const BlockCounts& b : counts->blocks.Blocks()) {
                blocks.call<void>("push", static_cast<double>(b.errors));
                blocks.call<void>("push", static_cast<double>(b.bits));
                blocks.call<void>("push", static_cast<double>(b.runs));
            }
            out.set("blocks", blocks);
        } catch (const std::exception& e) {
            out.set("error", std::string(e.what()));
        }
        return out;
    }

  private:
    std::unique_ptr<ChunkRunner> runner_;
    std::string error_;
};

// The statistics' worker: the window rebuilt from its present settings, the statistical
// eye's views worked out for it.
std::string StatViewsOf(std::string settings, bool bathtub) {
    Form1 form;
    if (auto problem = OpenLessonText(form, settings, "settings", LessonRunState::Ignore))
        return Json{{"problem", *problem}}.dump(-1, ' ', false, Json::error_handler_t::replace);
    return StatViewsJson(form, bathtub);
}

// The BER Curve's statistical curve, in the statistics' worker: the sweep's settings rebuilt
// from the window's lesson with the sweep's own choices of noise and thresholds, so the curve
// is that of the receiver the measured points come from.
std::string StatCurveOf(std::string settings, std::string noise, std::string thresholds,
                        double first, double last, int samples, double lowest) {
    const auto problem = [](const std::string& text) {
        return Json{{"problem", text}, {"ebN0", Json::array()}, {"rate", Json::array()}}.dump(
            -1, ' ', false, Json::error_handler_t::replace);
    };
    Form1 form;
    if (auto bad = OpenLessonText(form, settings, "settings", LessonRunState::Ignore))
        return problem(*bad);
    SweepSettings sweep = SweepSnapshot(form);
    if (auto bad = Choose(sweep, noise, thresholds)) return problem(*bad);
    if (!std::isfinite(first) || !std::isfinite(last) || samples < 1 || samples > 1000)
        return problem("the range is not one to draw");
    return StatCurveJson(sweep, first, last, samples, lowest);
}

SweepCoordinator* NewCoordinator(Session& session, std::string noise, std::string thresholds) {
    return new SweepCoordinator(session, std::move(noise), std::move(thresholds));
}

}  // namespace

EMSCRIPTEN_BINDINGS(linelab_web) {
    using namespace emscripten;
    class_<Session>("Session")
        .constructor<>()
        .function("controls", &Session::ControlsJson)
        .function("changed", &Session::ChangedJson)
        .function("setText", optional_override([](Session& s, std::string name, std::string t) {
                      return s.SetText(name, t);
                  }))
        .function("typedNote",
                  optional_override([](const Session& s, std::string name, std::string t) {
                      return s.TypedNote(name, t);
                  }))
        .function("lessonFileName", &Session::LessonFileName)
        .function("pickItem", optional_override([](Session& s, std::string name, int i) {
                      return s.PickItem(name, i);
                  }))
        .function("setValue", optional_override([](Session& s, std::string name, int v) {
                      return s.SetValue(name, v);
                  }))
        .function("click",
                  optional_override([](Session& s, std::string name) { return s.Click(name); }))
        .function("applyScene", &Session::ApplyScene)
        .function("reset", &Session::Reset)
        .function("tick", &Session::Tick)
        .function("fastSlice", &Session::FastSlice)
        .function("fastRate", &Session::FastRate)
        .function("setDensity", &Session::SetDensity)
        .function("setViewOption", optional_override([](Session& s, std::string key, bool on) {
                      return s.SetViewOption(key, on);
                  }))
        .function("viewOptions", &Session::ViewOptionsJson)
        .function("theory", &Session::TheoryJson)
        .function("eyeOpening", &Session::EyeOpeningJson)
        .function("densities", optional_override([](Session& s) { return DensitiesOf(s); }))
        .function("takePanels", optional_override([](Session& s) { return PanelsOf(s); }))
        .function("takeMessages", optional_override([](Session& s) { return MessagesOf(s); }))
        .function("messagesPending", &Session::MessagesPending)
        .function("lessonText", &Session::LessonText)
        .function("openLesson", optional_override([](Session& s, std::string text, std::string name,
                                                     std::string step) {
                      return s.OpenLessonText(text, name, step);
                  }))
        .function("lessonProblem", &Session::LessonProblem)
        .function("settingsText", &Session::SettingsText)
        .function("lessonPane", &Session::LessonPaneJson)
        .function("goToStep", &Session::GoToStep)
        .function("lessonPosition", &Session::LessonPosition)
        .function("lessonPositions", &Session::LessonPositions)
        .function("readouts", &Session::ReadoutsJson)
        .function("bitErrors", &Session::BitErrors)
        .function("bitsCompared", &Session::BitsCompared)
        .function("berRuns", &Session::BerRuns)
        .function("statusTexts", &Session::StatusTextsJson)
        .function("timerEnabled", &Session::TimerEnabled)
        .function("timerInterval", &Session::TimerInterval)
        .function("scene", &Session::Scene)
        .function("compactLayout", &Session::CompactLayout)
        .function("layout", &Session::LayoutJson)
        .function("frames", &Session::FramesJson);
    function("statViews", &StatViewsOf);
    function("statCurve", &StatCurveOf);
    function("curvesCsv", &CurvesCsvOf);
    class_<SweepCoordinator>("SweepCoordinator")
        .constructor(&NewCoordinator, allow_raw_pointers())
        .function("plan", &SweepCoordinator::Plan)
        .function("planRange", &SweepCoordinator::PlanRange)
        .function("points", &SweepCoordinator::Points)
        .function("next", &SweepCoordinator::Next)
        .function("finish", &SweepCoordinator::Finish)
        .function("pointComplete", &SweepCoordinator::PointComplete)
        .function("done", &SweepCoordinator::Done)
        .function("result", &SweepCoordinator::Result)
        .function("label", &SweepCoordinator::Label)
        .function("legend", &SweepCoordinator::Legend)
        .function("statisticalName", &SweepCoordinator::StatisticalName)
        .function("theoryLines", &SweepCoordinator::TheoryLines)
        .function("header", &SweepCoordinator::Header)
        .function("theory", &SweepCoordinator::Theory)
        .function("emptyRow", &SweepCoordinator::EmptyRow);
    class_<ChunkWorker>("ChunkWorker")
        .constructor<std::string, std::string, std::string, bool>()
        .function("error", &ChunkWorker::Error)
        .function("run", &ChunkWorker::Run);
}

}  // namespace linelab::web
