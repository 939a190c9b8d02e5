#include "web/Session.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>

#include "analysis/DensityEye.h"
#include "common/Colours.h"
#include "display/DrawFrame.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"
#include "ui/ChainTable.h"
#include "ui/ControlLabels.h"
#include "ui/EyeCalipers.h"
#include "ui/FormHost.h"
#include "ui/HelpTexts.h"
#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"
#include "ui/Readouts.h"
#include "ui/RunStatusText.h"
#include "ui/ToolTips.h"
#include "ui/TypedText.h"

namespace linelab::web {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::List:
            return "list";
        case ControlKind::CheckBox:
            return "check";
        case ControlKind::Slider:
            return "slider";
        case ControlKind::Label:
            return "label";
        case ControlKind::Button:
            return "button";
        case ControlKind::Picture:
            return "picture";
        case ControlKind::Decoration:
            return "decoration";
        case ControlKind::Timer:
            return "timer";
    }
    return "";
}

Json ControlObject(const Form1& form, ControlRef control) {
    Json j;
    j["kind"] = KindName(control.kind);
    if (control.kind == ControlKind::Timer) {
        j["enabled"] = form.Timer().enabled;
        j["interval"] = form.Timer().interval;
        return j;
    }
    j["visible"] = form.Visible(control);
    if (control.kind != ControlKind::Label && control.kind != ControlKind::Decoration)
        j["label"] = AccessibleName(form, control);
    switch (control.kind) {
        case ControlKind::List: {
            const ListControl& list = form.List(static_cast<ListId>(control.index));
            j["text"] = list.text;
            j["items"] = list.items;
            j["editable"] = list.editable;
            break;
        }
        case ControlKind::CheckBox: {
            const CheckControl& check = form.Check(static_cast<CheckId>(control.index));
            j["value"] = check.value;
            j["caption"] = check.caption;
            j["colour"] = check.captionColour;
            break;
        }
        case ControlKind::Slider: {
            const SliderControl& s = form.Slider(static_cast<SliderId>(control.index));
            j["value"] = s.value;
            j["min"] = s.min;
            j["max"] = s.max;
            j["vertical"] = s.vertical;
            j["smallChange"] = s.smallChange;
            j["largeChange"] = s.largeChange;
            break;
        }
        case ControlKind::Label: {
            const LabelControl& label = form.Label(static_cast<LabelId>(control.index));
            j["caption"] = label.caption;
            j["colour"] = label.colour;
            break;
        }
        case ControlKind::Button:
            j["caption"] = form.PauseButton().caption;
            break;
        default:
            break;
    }
    return j;
}

// Typed texts may hold any bytes; the page gets valid UTF-8 whatever was typed.
std::string Dumped(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The name a lesson is opened under: the file's own name without any folder, so a name from
// the page can never reach outside the session's scratch folder.
std::string SafeFileName(std::string_view name) {
    std::string safe;
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == '\0') {
            safe.clear();
        } else {
            safe += c;
        }
    }
    if (safe.empty() || safe == "." || safe == "..") safe = "lesson.json";
    if (safe.size() > 120) safe = safe.substr(safe.size() - 120);
    return safe;
}

}  // namespace

void RecordingCanvas::Clear() {
    commands_.clear();
    commands_.push_back(kClear);
    colourSent_ = false;
}

void RecordingCanvas::SetColour(int32_t bgr) {
    if (colour_ == bgr && colourSent_) return;
    colour_ = bgr;
    colourSent_ = false;
}

void RecordingCanvas::Line(double x1, double y1, double x2, double y2) {
    if (!colourSent_) {
        commands_.push_back(kColour);
        commands_.push_back(static_cast<float>(colour_ & 0xffffff));
        colourSent_ = true;
    }
    commands_.insert(commands_.end(),
                     {static_cast<float>(kLine), static_cast<float>(x1), static_cast<float>(y1),
                      static_cast<float>(x2), static_cast<float>(y2)});
}

std::vector<float> RecordingCanvas::Take() {
    std::vector<float> out;
    out.swap(commands_);
    colourSent_ = false;  // the next batch starts with its colour
    return out;
}

std::string ControlJson(const Form1& form, ControlRef control) {
    return Dumped(ControlObject(form, control));
}

Session::Session(std::filesystem::path lessonFolder)
    : lessonFolder_(std::move(lessonFolder)), measurements_(form_), fast_(form_, measurements_) {
    std::vector<Canvas*> panels;
    for (const PictureControl& picture : form_.Pictures()) {
        canvases_.push_back(std::make_unique<RecordingCanvas>(picture.width * kUnitsPerPixel,
                                                              picture.height * kUnitsPerPixel));
        canvases_.back()->Clear();
        panels.push_back(canvases_.back().get());
    }
    measurements_.Attach(panels);
    form_.SetObserver(this);
}

Session::~Session() {
    form_.SetObserver(nullptr);
}

std::string Session::ControlsJson() const {
    Json all = Json::object();
    const auto names = ControlNames();
    const auto controls = AllControls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        all[std::string(names[i])] = ControlObject(form_, controls[i]);
    return Dumped(all);
}

std::string Session::ChangedJson() {
    Json changed = Json::object();
    for (const auto& [kind, index] : changed_) {
        const ControlRef control(static_cast<ControlKind>(kind), index);
        changed[std::string(NameOf(control))] = ControlObject(form_, control);
    }
    changed_.clear();
    return Dumped(changed);
}

bool Session::SetText(std::string_view name, std::string_view text) {
    const bool taken = form_.SetText(name, text);
    // The scene box shows the scene that is laid out, never a text that names none.
    if (taken && name == NameOf(ListId::cmbScene)) form_.ShowSceneName();
    return taken;
}

std::string Session::TypedNote(std::string_view name, std::string_view typed) const {
    const auto control = FindControl(name);
    if (!control || control->kind != ControlKind::List) return {};
    return linelab::TypedNote(form_, static_cast<ListId>(control->index), typed);
}

// "linelab-full-channel.linelab.json": the scene names the lesson, the suffix is the one the
// desktop's save proposes.
std::string Session::LessonFileName() const {
    std::string slug;
    for (const char c : form_.List(ListId::cmbScene).text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) {
            slug += static_cast<char>(std::tolower(u));
        } else if (!slug.empty() && slug.back() != '-') {
            slug += '-';
        }
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return (slug.empty() ? std::string("linelab") : "linelab-" + slug) + ".linelab.json";
}

bool Session::PickItem(std::string_view name, int index) {
    return form_.PickItem(name, index);
}

bool Session::SetValue(std::string_view name, int value) {
    return form_.SetValue(name, value);
}

bool Session::Click(std::string_view name) {
    return form_.Click(name);
}

void Session::Reset() {
    form_.Reset();
    for (const ControlRef control : AllControls())
        ControlChanged(control, NameOf(control));
}

void Session::Tick() {
    measurements_.Tick();
}

bool Session::FastSlice(double maxRuns) {
    const uint64_t runs = maxRuns >= 1 ? static_cast<uint64_t>(std::min(maxRuns, 1e18)) : 1;
    return fast_.Slice(runs);
}

std::vector<std::pair<std::string_view, std::vector<float>>> Session::TakePanels() {
    std::vector<std::pair<std::string_view, std::vector<float>>> out;
    const auto pictures = form_.Pictures();
    for (std::size_t i = 0; i < canvases_.size() && i < pictures.size(); ++i) {
        if (canvases_[i]->Pending()) out.emplace_back(pictures[i].name, canvases_[i]->Take());
    }
    return out;
}

std::vector<Message> Session::TakeMessages() {
    std::vector<Message> out;
    out.swap(messages_);
    return out;
}

GuidedLesson Session::LessonToSave() const {
    GuidedLesson lesson = lesson_;
    if (lesson.steps.empty()) lesson.start = CollectLesson(form_);
    return lesson;
}

std::string Session::LessonText() const {
    const GuidedLesson lesson = LessonToSave();
    // A plain lesson is the settings alone, written as they always were.
    if (lesson.steps.empty() && lesson.title.empty() && lesson.introduction.empty())
        return linelab::LessonText(lesson.start);
    std::string text;
    if (GuidedLessonText(lesson, text)) return {};
    return text;
}

std::string Session::SettingsText() const {
    return linelab::LessonText(CollectLesson(form_));
}

std::string Session::LessonProblem() const {
    std::string text;
    const auto problem = GuidedLessonText(LessonToSave(), text);
    return problem ? OneLine(*problem) : std::string();
}

namespace {

// A step as a link names it: digits only, "" for the start.
std::optional<std::size_t> StepNamed(std::string_view step) {
    if (step.empty()) return 0;
    constexpr std::size_t kMostDigits = 6;  // far beyond kMaxLessonSteps
    if (step.size() > kMostDigits ||
        !std::all_of(step.begin(), step.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<std::size_t>(std::stoul(std::string(step)));
}

}  // namespace

std::string Session::OpenLessonText(std::string_view text, std::string_view fileName,
                                    std::string_view step) {
    // Through a file of the same name in the module's own memory: the size and the reading
    // are checked exactly as for a file on the desktop.
    const std::filesystem::path& folder = lessonFolder_;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path file = folder / SafeFileName(fileName);
    const std::filesystem::path name = file.filename();
    const auto position = StepNamed(step);
    if (!position) {
        return FileNameForMessage(name) + ": the step must be a whole number 0 or more, not " +
               QuotedForMessage(step);
    }
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out) return name.string() + ": cannot be read";
    }
    const std::filesystem::path previous = std::filesystem::current_path(error);
    std::filesystem::current_path(folder, error);
    // As the desktop opens a file: every step is tried on a start-up model before the form
    // changes; the lesson then shows at its position and the pane takes it.
    GuidedLesson lesson;
    std::optional<std::string> problem;
    std::string read;
    problem = ReadLessonText(name, read);
    if (!problem) problem = ReadGuidedLessonText(form_, read, name, lesson);
    if (!problem && *position >= lesson.Positions()) {
        problem = FileNameForMessage(name) + ": step " + std::to_string(*position) +
                  ": the lesson has " + std::to_string(lesson.steps.size()) +
                  " step(s); 0 is its start";
    }
    if (!problem) {
        if (auto shown = ShowLessonStep(form_, lesson, *position))
            problem = FileNameForMessage(name) + ": " + *shown;
    }
    if (!previous.empty()) std::filesystem::current_path(previous, error);
    std::filesystem::remove(file, error);
    if (problem) return *problem;
    lesson_ = std::move(lesson);
    position_ = *position;
    return {};
}

std::string Session::LessonPaneJson() const {
    Json steps = Json::array();
    for (const LessonStep& step : lesson_.steps) {
        steps.push_back({{"title", step.title},
                         {"text", step.text},
                         {"question", step.question},
                         {"answer", step.answer}});
    }
    return Dumped({{"title", lesson_.title},
                   {"introduction", lesson_.introduction},
                   {"steps", steps},
                   {"position", position_}});
}

std::string Session::GoToStep(int position) {
    if (position < 0) return "there is no step " + std::to_string(position);
    const auto to = static_cast<std::size_t>(position);
    if (to >= lesson_.Positions()) {
        return "the lesson has " + std::to_string(lesson_.steps.size()) +
               " step(s); there is no step " + std::to_string(to);
    }
    // The run control changes only where the step itself changes it: a teacher who paused
    // to talk keeps the picture still.
    const bool runChanges =
        to > 0 && lesson_.SettingsAt(to).at("run") != lesson_.SettingsAt(to - 1).at("run");
    if (to != position_ || to == 0) {
        if (auto problem = ShowLessonStep(
                form_, lesson_, to, runChanges ? LessonRunState::Apply : LessonRunState::Ignore))
            return OneLine(*problem);
    }
    position_ = to;
    return {};
}

std::string Session::StatusTextsJson(bool fast, double runsPerSecond) const {
    const RunStatusTexts texts = RunStatusTextsOf(form_, fast, runsPerSecond);
    return Dumped({{"run", texts.state}, {"rate", texts.rate}, {"runs", texts.runs}});
}

std::string Session::ReadoutsJson() const {
    Json readouts = Json::array();
    // The eye's figures as on the desktop: with View > Eye opening.
    for (const ReadoutText& r : measurements_.ReadReadouts(form_.View()[ViewOption::EyeOpening]))
        readouts.push_back({{"shown", r.shown}, {"text", r.text}, {"detail", r.detail}});
    return Dumped(readouts);
}

std::string ChainLayoutJson(const Chain& chain, PanelTableView panels) {
    Json cells = Json::array();
    for (const ChainCell& cell : chain.Cells()) {
        Json rows = Json::array();
        for (const ChainRow& row : cell.rows) {
            Json names = Json::array();
            for (const std::string_view name : row.controls)
                names.push_back(name);
            rows.push_back(names);
        }
        cells.push_back({{"stage", cell.stage}, {"role", cell.role}, {"rows", rows}});
    }
    Json top = Json::array();
    for (const std::string_view name : ChainTopBar())
        top.push_back(name);
    Json compact = Json::array();
    for (const CompactCell& cell : ChainCompactCells()) {
        Json rows = Json::array();
        for (const std::string_view name : cell.rows)
            rows.push_back(name);
        Json beside = Json::array();
        for (const std::string_view name : cell.beside)
            beside.push_back(name);
        compact.push_back({{"row", cell.row},
                           {"column", cell.column},
                           {"role", cell.role},
                           {"rows", rows},
                           {"beside", beside}});
    }
    Json axes = Json::array();
    for (const ChainAxis& axis : ChainAxes())
        axes.push_back({{"picture", axis.picture}, {"labels", axis.labels}});
    Json switches = Json::object();
    Json described = Json::object();
    for (const PanelDescriptor& panel : panels) {
        static constexpr const char* kKinds[] = {"strip", "eye", "spectrum"};
        const PanelSize size = PanelPixels(panel.kind);
        switches[std::string(panel.checkName)] = SwitchText(panel);
        described[std::string(panel.pictureName)] = {{"kind", kKinds[static_cast<int>(panel.kind)]},
                                                     {"check", panel.checkName},
                                                     {"width", size.width},
                                                     {"height", size.height}};
    }
    return Dumped({{"cells", cells},
                   {"top", top},
                   {"compact", compact},
                   {"axes", axes},
                   {"panels", described},
                   {"switches", switches}});
}

std::string Session::LayoutJson() const {
    Json layout = Json::parse(ChainLayoutJson(TheChain(), kPanelTable));
    Json tips = Json::object();
    const auto names = ControlNames();
    const auto controls = AllControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::string_view tip = ToolTipText(controls[i]);
        if (!tip.empty()) tips[std::string(names[i])] = tip;
    }
    Json readouts = Json::array();
    for (const Readout& r : Readouts()) {
        static constexpr const char* kLooks[] = {"line", "count", "figures"};
        readouts.push_back(
            {{"name", r.name}, {"anchor", r.anchor}, {"look", kLooks[static_cast<int>(r.look)]}});
    }
    layout["maxText"] = kMaxListText;
    layout["readouts"] = readouts;
    layout["tips"] = tips;
    layout["about"] = AboutHelpText(LINELAB_VERSION);
    layout["instructions"] = PageInstructionsHelpText();
    return Dumped(layout);
}

std::string Session::FramesJson() const {
    Json frames = Json::object();
    for (const PanelDescriptor& panel : kPanelTable) {
        const PictureId id = panel.picture;
        const PanelFrame f = PanelFrameOf(form_, id);
        const PanelAxes a = PanelAxesOf(form_, id);
        Json values = nullptr;
        if (a.values.top != a.values.bottom)
            values = {{"top", a.values.top},
                      {"bottom", a.values.bottom},
                      {"unit", a.values.unit},
                      {"marks", a.values.marks}};
        frames[std::string(panel.pictureName)] = {
            {"title", f.title}, {"side", f.sideLabel},        {"off", f.offHint},
            {"values", values}, {"symbols", a.symbolsAcross}, {"kHz", a.frequencyNumbers}};
    }
    return Dumped(frames);
}

void Session::ControlChanged(ControlRef control, std::string_view) {
    changed_.insert({static_cast<int>(control.kind), control.index});
}

void Session::Report(std::string_view message, bool stopsTimer) {
    messages_.push_back({std::string(message), stopsTimer});
}

void Session::ViewOptionChanged(ViewOption option, bool on) {
    if (option == ViewOption::DensityEyes && measurements_.Density() != on)
        measurements_.SetDensity(on);
}

bool Session::SetViewOption(std::string_view key, bool on) {
    const auto option = FindViewOption(key);
    if (!option) return false;
    SetViewOption(*option, on);
    return true;
}

std::string Session::ViewOptionsJson() const {
    Json options = Json::array();
    for (const ViewOptionRow& row : kViewOptions) {
        options.push_back(
            {{"key", row.key}, {"menu", row.menu}, {"tip", row.tip}, {"on", form_.View()[row.id]}});
    }
    return Dumped(options);
}

std::string Session::TheoryJson() {
    if (!form_.View()[ViewOption::Theory]) return Dumped({{"on", false}});
    Json j = {{"on", true}, {"colour", kTheoryColour}};
    const auto panel = TheoryPanel(form_);
    j["panel"] = panel ? Json(Describe(*panel).pictureName) : Json(nullptr);
    j["hint"] = TheoryHint(form_);
    if (panel) {
        const std::optional<SpectrumAverage>& curve = theory_.Of(form_);
        j["label"] = TheoryLabel(form_, *panel, curve.has_value());
        j["heights"] = curve ? Json(TheoryHeights(form_, *curve)) : Json(nullptr);
    }
    return Dumped(j);
}

std::string Session::EyeOpeningJson() const {
    if (!form_.View()[ViewOption::EyeOpening]) return "null";
    const EyeFigures figures = measurements_.RxEyeFigures();
    Json spreads = Json::array();
    Json lines = Json::array();
    if (measurements_.RxEyeRuns() > 0) {
        // Every eye is drawn with the transmit eye's scale (see FormHost::DrawEye).
        const Canvas& txEye = form_.CanvasOf(PictureId::picTxEye);
        const EyeGeometry geometry{static_cast<double>(txEye.ScaleWidth()),
                                   static_cast<double>(txEye.ScaleHeight()), std::sqrt(2.0),
                                   form_.State().dBaudRate};
        const CaliperShapes shapes = CalipersOf(figures, geometry, measurements_.RxSamplingX());
        for (const CaliperBox& b : shapes.spreads)
            spreads.push_back({b.x, b.y, b.width, b.height});
        for (const CaliperLine& l : shapes.lines)
            lines.push_back({l.x1, l.y1, l.x2, l.y2});
    }
    Json mean = Json::array(), sigma = Json::array(), height = Json::array(), width = Json::array();
    for (const EyeLevelFigures& level : figures.levels) {
        mean.push_back(level.dMean);
        sigma.push_back(level.dSigma);
    }
    for (const EyeGapFigures& gap : figures.gaps) {
        height.push_back(gap.dHeight);
        width.push_back(gap.dWidth);
    }
    const Canvas& rxEye = form_.CanvasOf(PictureId::picRxEye);
    const auto finite = [](double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); };
    return Dumped(
        {{"panel", NameOf(ControlRef(PictureId::picRxEye))},
         {"size", {rxEye.ScaleWidth() / kUnitsPerPixel, rxEye.ScaleHeight() / kUnitsPerPixel}},
         {"colour", kCaliperColour},
         {"opacity", kCaliperSpreadOpacity},
         {"spreads", spreads},
         {"lines", lines},
         {"runs", measurements_.RxEyeRuns()},
         {"figures",
          {{"mean", mean},
           {"sigma", sigma},
           {"height", height},
           {"width", width},
           {"q", finite(figures.dQ)},
           {"predictedBER", finite(figures.dPredictedBer)}}}});
}

bool Session::DensityShown(int eye) const {
    if (!measurements_.Density() || eye < 0 || eye >= kEyePanels) return false;
    const PanelDescriptor& panel = Describe(static_cast<EyePanel>(eye));
    return form_.Visible(ControlRef(panel.picture)) && form_.Check(panel.check).value == 1;
}

std::pair<int, int> Session::DensitySize(int eye) const {
    if (eye < 0 || eye >= kEyePanels) return {0, 0};
    const DensityEye& density = measurements_.DensityOf(eye);
    return {density.Width(), density.Height()};
}

std::vector<uint8_t> Session::DensityRgba(int eye) const {
    if (eye < 0 || eye >= kEyePanels) return {};
    const DensityEye& density = measurements_.DensityOf(eye);
    std::vector<uint32_t> argb(static_cast<std::size_t>(density.Width()) *
                               static_cast<std::size_t>(density.Height()));
    DensityImage(density, argb, 0xFF000000);
    std::vector<uint8_t> rgba;
    rgba.reserve(argb.size() * 4);
    for (const uint32_t pixel : argb) {
        rgba.push_back(static_cast<uint8_t>(pixel >> 16));
        rgba.push_back(static_cast<uint8_t>(pixel >> 8));
        rgba.push_back(static_cast<uint8_t>(pixel));
        rgba.push_back(static_cast<uint8_t>(pixel >> 24));
    }
    return rgba;
}

std::vector<double> Session::RxEyeMarkers() const {
    const RunState& s = form_.State();
    const Canvas& rxEye = form_.CanvasOf(PictureId::picRxEye);
    std::vector<double> out;
    for (const Segment& l :
         EyeMarkersOf(EyePanel::Rx, s.dThresholds, EyeViewOf(form_.Controls(), s.dBaudRate),
                      rxEye.ScaleWidth(), rxEye.ScaleHeight()))
        out.insert(out.end(), {l.x1, l.y1, l.x2, l.y2});
    return out;
}

}  // namespace linelab::web
