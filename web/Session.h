#pragma once
// The window in a Web Worker: the form model and its measurements as the desktop window owns
// them, driven by control events by name, the timer's ticks and the fast run's slices. Each
// panel draws through a recording canvas; the page replays the recorded commands onto its
// HTML canvases. What changed since the page last asked (controls, messages, panels) is
// collected here and taken in one piece after every action or tick.

#include <array>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "display/Canvas.h"
#include "lesson/GuidedLesson.h"
#include "ui/ChainTable.h"
#include "ui/FastRun.h"
#include "ui/Form1.h"
#include "ui/Measurements.h"
#include "ui/TheoryView.h"

namespace linelab::web {

// Drawing commands as the page replays them, in one flat array of floats:
//   kClear; kColour bgr; kLine x1 y1 x2 y2 (in the canvas's units).
// Colours are 24-bit and coordinates within the drawing routines' margin, so a float holds
// both exactly enough for a screen.
enum Command : int { kClear = 0, kColour = 1, kLine = 2 };

class RecordingCanvas final : public Canvas {
  public:
    RecordingCanvas(int widthUnits, int heightUnits) : width_(widthUnits), height_(heightUnits) {}
    int ScaleWidth() const override { return width_; }
    int ScaleHeight() const override { return height_; }
    void Clear() override;
    void SetColour(int32_t bgr) override;
    int32_t Colour() const override { return colour_; }
    void Line(double x1, double y1, double x2, double y2) override;

    // The commands since the last Take; a clear drops everything recorded before it.
    std::vector<float> Take();
    bool Pending() const { return !commands_.empty(); }

  private:
    int width_;
    int height_;
    int32_t colour_ = 0;
    bool colourSent_ = false;
    std::vector<float> commands_;
};

struct Message {
    std::string text;
    bool stopsTimer = false;
};

class Session final : public FormObserver {
  public:
    // lessonFolder: where a lesson's text is put to be opened as a file (the module's own
    // memory in the browser).
    explicit Session(std::filesystem::path lessonFolder = "/lessons");
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Every control as linelab-batch's control dump has it, with each one's kind and, for
    // lists, whether it takes typed text.
    std::string ControlsJson() const;
    // The controls changed since the last call, in the same form.
    std::string ChangedJson();

    // User actions by control name; false when refused (nothing changed).
    bool SetText(std::string_view name, std::string_view text);
    // The status bar's note after `typed` was entered in list `name`; empty when it is taken
    // as typed.
    std::string TypedNote(std::string_view name, std::string_view typed) const;
    bool PickItem(std::string_view name, int index);
    bool SetValue(std::string_view name, int value);
    bool Click(std::string_view name);
    bool ApplyScene(int index) { return form_.ApplyScene(index); }
    void Reset();

    void Tick();                     // one tick of Timer1, as the window's timer makes it
    bool FastSlice(double maxRuns);  // the fast run's slice; true when its last run was drawn
    double FastRate() const { return fast_.Rate(); }
    void SetDensity(bool on) { SetViewOption(ViewOption::DensityEyes, on); }

    // The View options (ui/ViewOptions.h), by their key in a lesson; false for a key that
    // names none. The form keeps them, so a lesson switches them too.
    bool SetViewOption(std::string_view key, bool on);
    void SetViewOption(ViewOption option, bool on) { form_.SetViewOption(option, on); }
    // Each option's key, menu words, tool tip and state, as a JSON array in the menu's order.
    std::string ViewOptionsJson() const;
    // View > Theory: {"on"}, and while on the picture it goes over ("panel", null where the
    // scene has none), the "label" in its corner, the "heights" of the curve at the panel's
    // points (fractions of its height from the top; null where no theory is known) and the
    // status line's "hint" (empty where the curve can be seen).
    std::string TheoryJson();
    // View > Eye opening: null while off; else the receive eye's calipers in its pixels
    // ("spreads" as [x, y, width, height], "lines" as [x1, y1, x2, y2]; none before a run),
    // their "colour" and the spreads' "opacity", the panel's size in pixels ("size"), the
    // number of runs measured ("runs") and the figures as linelab-batch's Eye dump has them.
    std::string EyeOpeningJson() const;
    // Density eye `eye` (0 transmit, 1 channel, 2 receive) as RGBA bytes, row by row from the
    // top, on the black ground the desktop shows it on; its size in DensitySize.
    std::vector<uint8_t> DensityRgba(int eye) const;
    std::pair<int, int> DensitySize(int eye) const;
    // Whether density eye `eye` is to be shown now: density eyes on, its panel shown and
    // switched on.
    bool DensityShown(int eye) const;
    // The markers the receive eye keeps on top of its traces (its thresholds and sampling
    // instant for the last run), in its units as [x1, y1, x2, y2, ...], and their colour.
    std::vector<double> RxEyeMarkers() const;

    // The panels drawn on since the last call: the picture's name and its commands.
    std::vector<std::pair<std::string_view, std::vector<float>>> TakePanels();
    std::vector<Message> TakeMessages();
    bool MessagesPending() const { return !messages_.empty(); }

    // Lessons. The file's text is opened as the desktop opens a file of that name: the same
    // checks, the same messages; nothing changes unless the whole lesson is accepted. A guided
    // lesson opens at its start, or at the step `step` names (a whole number, 0 for the
    // start, as a share link gives it; empty: the start), and the session keeps it for the
    // lesson pane.
    std::string OpenLessonText(std::string_view text, std::string_view fileName,
                               std::string_view step = {});
    // What Save and the share link carry: the guided lesson the pane holds (its steps as
    // opened, whatever the controls show now), or, while it has no steps, the present
    // settings with the lesson's title and introduction. Empty when it cannot be written
    // (LessonProblem says why).
    std::string LessonText() const;
    std::string LessonProblem() const;
    // The present settings alone, as a lesson's text (what the BER Curve's and the
    // statistics' workers rebuild the window from).
    std::string SettingsText() const;
    // The name a downloaded lesson is given.
    std::string LessonFileName() const;

    // The lesson pane: the lesson's title and introduction, each step's title, text,
    // question and answer, and the position shown (0: the introduction), as JSON.
    std::string LessonPaneJson() const;
    // Puts the window at a position of the lesson as the desktop's pane does (the run control
    // changes only where the step itself changes it); "" or the problem, nothing changed.
    std::string GoToStep(int position);
    int LessonPosition() const { return static_cast<int>(position_); }
    int LessonPositions() const { return static_cast<int>(lesson_.Positions()); }

    // What every readout (ui/Readouts.h) shows now, as a JSON array in the table's order.
    std::string ReadoutsJson() const;
    double BitErrors() const { return static_cast<double>(measurements_.Counts().Errors()); }
    double BitsCompared() const { return static_cast<double>(measurements_.Counts().Bits()); }
    double BerRuns() const { return form_.State().lBERRuns; }
    // The status bar's fields (ui/RunStatusText.h) as {"run", "rate", "runs"}.
    std::string StatusTextsJson(bool fast, double runsPerSecond) const;
    bool TimerEnabled() const { return form_.Timer().enabled; }
    int TimerInterval() const { return form_.Timer().interval; }
    int Scene() const { return form_.SceneIndex(); }
    bool CompactLayout() const { return form_.CompactLayout(); }

    // The stage columns and top bar (ui/ChainTable.h), the panels (ui/PanelTable.h), the
    // readouts' names, places and looks (ui/Readouts.h), and each panel's title, side label
    // and off hint (ui/PanelFrames.h), as JSON.
    std::string LayoutJson() const;
    std::string FramesJson() const;

    Form1& Form() { return form_; }

    void ControlChanged(ControlRef control, std::string_view name) override;
    void Report(std::string_view message, bool stopsTimer) override;
    void ViewOptionChanged(ViewOption option, bool on) override;

  private:
    GuidedLesson LessonToSave() const;

    std::filesystem::path lessonFolder_;
    Form1 form_;
    std::vector<std::unique_ptr<RecordingCanvas>> canvases_;
    Measurements measurements_;
    FastRun fast_;
    std::set<std::pair<int, int>> changed_;
    std::vector<Message> messages_;
    GuidedLesson lesson_;
    std::size_t position_ = 0;
    TheoryCurve theory_;
};

// One control's state as a JSON object text (the control dump's keys, plus "kind").
std::string ControlJson(const Form1& form, ControlRef control);

// The page's layout (Session::LayoutJson) from a chain and the panel table it was built from:
// the cells, the top bar, the compact cells, the axes' labels and per panel its kind, check
// box, size and switch text.
std::string ChainLayoutJson(const Chain& chain, PanelTableView panels);

}  // namespace linelab::web
