#pragma once
// The main window as a plain model, made of four parts: the controls and their primitives
// (ControlSet), the cascades a change sets off (Cascades), the scenes (Scenes) and the
// simulation it drives (Simulation). No toolkit: the Qt view, the batch tool and the page
// bind to this class, tests drive it and its parts directly.
//
// Actions follow the window's rules:
// - Setting a list's text (typed by the user, or from code: cascades, scenes, the design
//   pass's write-back) runs that list's change handler once, and only when the text
//   changes. A fixed list accepts only one of its current items; anything else is refused
//   (false, nothing changes).
// - Picking item i of a list is a click: the text becomes the item and the handler runs,
//   even when the item was already chosen.
// - A check box's click handler and a slider's change handler run when the value changes;
//   values outside 0/1 or outside the slider's range are refused.
// Handlers run to their end before the call returns; a tick never runs inside a handler.

#include <span>
#include <string_view>

#include "ui/Cascades.h"
#include "ui/ControlSet.h"
#include "ui/FormHost.h"
#include "ui/Scenes.h"
#include "ui/Simulation.h"
#include "ui/ViewOptions.h"

namespace linelab {

class Form1 {
  public:
    Form1();  // Form_Load: lists and defaults, scene 0, counters, transmit eye scale
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- controls as plain data -------------------------------------------------------
    const ControlSet& Controls() const { return controls_; }
    const ListControl& List(ListId id) const { return controls_.List(id); }
    const CheckControl& Check(CheckId id) const { return controls_.Check(id); }
    const SliderControl& Slider(SliderId id) const { return controls_.Slider(id); }
    const LabelControl& Label(LabelId id) const { return controls_.Label(id); }
    const ButtonControl& PauseButton() const { return controls_.PauseButton(); }  // cmdPause
    const PictureControl& Picture(PictureId id) const { return controls_.Picture(id); }
    const DecorationControl& Decoration(DecorationId id) const { return controls_.Decoration(id); }
    const TimerControl& Timer() const { return controls_.Timer(); }  // Timer1

    std::span<const ListControl> Lists() const { return controls_.Lists(); }
    std::span<const CheckControl> Checks() const { return controls_.Checks(); }
    std::span<const SliderControl> Sliders() const { return controls_.Sliders(); }
    std::span<const LabelControl> Labels() const { return controls_.Labels(); }
    std::span<const PictureControl> Pictures() const { return controls_.Pictures(); }
    std::span<const DecorationControl> Decorations() const { return controls_.Decorations(); }

    bool Visible(ControlRef control) const { return controls_.Visible(control); }

    // The View options; a change is told to the observer. File > Reset leaves them as they
    // are: they change no setting of the chain.
    const ViewOptions& View() const { return view_; }
    void SetViewOption(ViewOption option, bool on);

    // ---- user actions by name (the batch tool; false for an unknown name, a control of
    // another kind, or a refused value) -------------------------------------------------
    bool SetText(std::string_view name, std::string_view text);  // a list's text
    bool PickItem(std::string_view name, int index);             // a list's item
    bool SetValue(std::string_view name, int value);             // check box or slider
    // A click: on a picture panel, lblBER or cmdPause runs its handler; on a check box it
    // turns the box over (and runs its click handler). Any other control: false.
    bool Click(std::string_view name);

    // ---- the same actions by id (the view) --------------------------------------------
    bool SetText(ListId id, std::string_view text) { return controls_.Assign(id, text); }
    bool PickItem(ListId id, int index) { return controls_.PickItem(id, index); }
    bool SetCheckValue(CheckId id, int value) { return controls_.AssignCheck(id, value); }
    bool SetSliderValue(SliderId id, int value) { return controls_.AssignSlider(id, value); }
    void ClickPicture(PictureId id) { cascades_.ClickPicture(id); }
    void ClickBer() { cascades_.ClickBer(); }        // lblBER: restart the BER
    void ClickPause() { simulation_.ClickPause(); }  // cmdPause: run control

    // ---- scenes ---------------------------------------------------------------------
    // Chooses scene `index` (0..6) as a pick in cmbScene does: the list shows the scene's
    // name and the scene is laid out. False for any other index; nothing changes.
    bool ApplyScene(int index) { return PickItem(ListId::cmbScene, index); }
    int SceneIndex() const { return scenes_.Index(); }
    bool CompactLayout() const { return SceneIndex() <= 3; }  // scenes 0-3; 4-6 use the full one

    // ---- the view -------------------------------------------------------------------
    // At most one observer; nullptr detaches. Not owned.
    void SetObserver(FormObserver* observer) { controls_.SetObserver(observer); }
    // Draw this panel on `canvas` (not owned); nullptr returns to the model's own canvas.
    void AttachCanvas(PictureId id, Canvas* canvas) { controls_.AttachCanvas(id, canvas); }
    Canvas& CanvasOf(PictureId id) const { return controls_.CanvasOf(id); }

    // ---- run --------------------------------------------------------------------------
    // One tick of Timer1: one run of the engine with this model as its host. The caller
    // decides when to tick (the view on each timer event, the batch tool in a loop); a
    // call made while a tick is already running (a message box's event loop) is ignored.
    void Timer1_Timer() { simulation_.Tick(); }
    // The same tick, giving its frame to whoever measures beside the panels (nullptr when the
    // tick was refused).
    const Frame* TickFrame() { return simulation_.Tick(); }
    // The tick's owner on this model's controls and simulation: the filter boxes, the panels
    // and the message box.
    FormHost Host() { return FormHost(controls_, simulation_); }
    // True while the engine computes a run inside a tick (see Simulation::EngineRunning).
    bool EngineRunning() const { return simulation_.EngineRunning(); }

    const RunState& State() const { return simulation_.State(); }
    // The configuration the last run was made with: what it fed and how its noise was scaled.
    const LinkConfig& RunConfig() const { return simulation_.RunConfig(); }
    const FrameViews& Views() const { return simulation_.Views(); }

    // ---- the window's own actions ------------------------------------------------------
    // Draws every switched-on strip again as the last run drew it, at the current zoom and
    // scroll position (after a panel changed size).
    void RepaintStrips() { simulation_.RedrawStrips(); }
    const StripRecord& Strips() const { return simulation_.Strips(); }
    // Back to the settings of a fresh start: every control, the run state and the random
    // sequence as at launch. Attached canvases stay attached and are cleared.
    void Reset();
    // A typed text in cmbScene that names no scene gives way to the current scene's name;
    // the layout is not applied again. True when the text changed.
    bool ShowSceneName();

  private:
    ControlSet controls_;
    Simulation simulation_{controls_};
    Scenes scenes_{controls_, simulation_.Views()};
    Cascades cascades_{controls_, simulation_, scenes_};
    ViewOptions view_;
};

}  // namespace linelab
