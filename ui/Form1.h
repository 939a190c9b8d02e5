#pragma once
// The main window as a plain model: every control's data, the change handlers and their
// cascades, the start-up lists and defaults, the scenes, run control and the tick. No
// toolkit: the Qt view and the batch tool bind to this class, tests drive it directly.
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

#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "common/RunState.h"
#include "display/Canvas.h"
#include "display/StripRedraw.h"
#include "engine/Engine.h"
#include "engine/RunControl.h"
#include "ui/Controls.h"
#include "ui/FormObserver.h"

namespace linelab {

inline constexpr int kSceneCount = 7;

class Form1 {
  public:
    Form1();  // Form_Load: lists and defaults, scene 0, counters, transmit eye scale
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- controls as plain data -------------------------------------------------------
    const ListControl& List(ListId id) const { return lists_[Index(id)]; }
    const CheckControl& Check(CheckId id) const { return checks_[Index(id)]; }
    const SliderControl& Slider(SliderId id) const { return sliders_[Index(id)]; }
    const LabelControl& Label(LabelId id) const { return labels_[Index(id)]; }
    const ButtonControl& PauseButton() const { return pause_; }  // cmdPause
    const PictureControl& Picture(PictureId id) const { return pictures_[Index(id)]; }
    const DecorationControl& Decoration(DecorationId id) const { return decorations_[Index(id)]; }
    const TimerControl& Timer() const { return timer_; }  // Timer1

    std::span<const ListControl> Lists() const { return lists_; }
    std::span<const CheckControl> Checks() const { return checks_; }
    std::span<const SliderControl> Sliders() const { return sliders_; }
    std::span<const LabelControl> Labels() const { return labels_; }
    std::span<const PictureControl> Pictures() const { return pictures_; }
    std::span<const DecorationControl> Decorations() const { return decorations_; }

    bool Visible(ControlRef control) const;

    // ---- user actions by name (the batch tool; false for an unknown name, a control of
    // another kind, or a refused value) -------------------------------------------------
    bool SetText(std::string_view name, std::string_view text);  // a list's text
    bool PickItem(std::string_view name, int index);             // a list's item
    bool SetValue(std::string_view name, int value);             // check box or slider
    // A click: on a picture panel, lblBER or cmdPause runs its handler; on a check box it
    // turns the box over (and runs its click handler). Any other control: false.
    bool Click(std::string_view name);

    // ---- the same actions by id (the view) --------------------------------------------
    bool SetText(ListId id, std::string_view text);
    bool PickItem(ListId id, int index);
    bool SetCheckValue(CheckId id, int value);
    bool SetSliderValue(SliderId id, int value);
    void ClickPicture(PictureId id);
    void ClickBer();    // lblBER: restart the running bit error rate
    void ClickPause();  // cmdPause: run control

    // ---- scenes ---------------------------------------------------------------------
    // Chooses scene `index` (0..6) as a pick in cmbScene does: the list shows the scene's
    // name and the scene is laid out. False for any other index; nothing changes.
    bool ApplyScene(int index);
    int SceneIndex() const { return scene_; }
    bool CompactLayout() const { return scene_ <= 3; }  // scenes 0-3; 4-6 use the full one

    // ---- the view -------------------------------------------------------------------
    // At most one observer; nullptr detaches. Not owned.
    void SetObserver(FormObserver* observer) { observer_ = observer; }
    // Draw this panel on `canvas` (not owned); nullptr returns to the model's own canvas.
    void AttachCanvas(PictureId id, Canvas* canvas);
    Canvas& CanvasOf(PictureId id) const { return *pictures_[Index(id)].canvas; }

    // ---- run --------------------------------------------------------------------------
    // One tick of Timer1: one run of the engine with this model as its host. The caller
    // decides when to tick (the view on each timer event, the batch tool in a loop); a
    // call made while a tick is already running (a message box's event loop) is ignored.
    void Timer1_Timer();

    const RunState& State() const { return engine_.State(); }

    // ---- the window's own actions (StripView.cpp, FormReset.cpp) ------------------------
    // Draws every switched-on strip again as the last run drew it, at the current zoom and
    // scroll position (after a panel changed size).
    void RepaintStrips() { RedrawStrips(); }
    const StripRecord& Strips() const { return strips_; }
    // Back to the settings of a fresh start: every control, the run state and the random
    // sequence as at launch. Attached canvases stay attached and are cleared.
    void Reset();
    // A typed text in cmbScene that names no scene gives way to the current scene's name;
    // the layout is not applied again. True when the text changed.
    bool ShowSceneName();

  private:
    friend class FormHost;

    template <typename Id>
    static constexpr std::size_t Index(Id id) {
        return static_cast<std::size_t>(id);
    }

    // Control primitives (FormControls.cpp). Each tells the observer what it changed.
    ListControl& L(ListId id) { return lists_[Index(id)]; }
    bool Assign(ListId id, std::string_view text);  // from code: handler when it changes
    void Fill(ListId id, std::span<const std::string_view> items);  // empties the text too
    bool AssignCheck(CheckId id, int value);
    bool AssignSlider(SliderId id, int value);
    void SetSliderRange(SliderId id, int min, int max);
    void SetCaption(LabelId id, std::string_view caption);
    void SetCheckCaption(CheckId id, std::string_view caption, int32_t colour);
    void Show(ControlRef control, bool visible);
    void Notify(ControlRef control);
    void ClearPicture(PictureId id);
    void RestartPics(int index);

    // Start-up (InitControls.cpp).
    void FormLoad();
    void InitControls();
    void InitSideLists(int side);
    void InitCaptions();
    void InitSliders();
    void InitPictures();

    // List handlers (TransmitHandlers.cpp, FilterHandlers.cpp).
    void OnListChange(ListId id);
    void cmbData_Change();
    void cmbPreCode_Change(int index);
    void cmbCode_Change(int index);
    void cmbMod_Change(int index);
    void ResetPulseWidthLists(int index, bool fullWidthOnly);
    void LoadDefaultThresholds();
    void UpdateBaudRate();
    void cmbTxFilter_Change(int index);
    void ShowFilterParameterBox(int index);
    void cmbTxModPC_Change(int index);
    void cmbTxBW_Change(int index);
    void cmbTxEB_Change(int index);
    void ChannelBox_Change(ListId id);
    void cmbScene_Change();

    // Check boxes, sliders, panel clicks (PanelSwitches.cpp).
    void OnCheckClick(CheckId id);
    void OnSliderChange(SliderId id);
    void vscThreshold_Change();
    void hscDataZoom_Change();
    void RedrawStrips();
    double StripStart() const;  // where the strips begin, in panel widths
    void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                   std::span<const int16_t> data, std::span<const int16_t> compareData,
                   int32_t colour, int16_t iMin, int16_t iMax);

    // Scenes (ApplyScene.cpp).
    void ApplySceneLayout(int index);
    void ShowSceneGroups(int index);
    void SwitchSceneGroups(int index);
    void SetSceneCaptions(int index);
    void FollowTransmitter();

    // Run control and messages (RunTick.cpp).
    void SyncRunControl();
    void ReportMessage(std::string_view message, bool stopsTimer);

    Engine engine_;
    RunControl run_;
    std::array<ListControl, CountOf<ListId>()> lists_;
    std::array<CheckControl, CountOf<CheckId>()> checks_;
    std::array<SliderControl, CountOf<SliderId>()> sliders_;
    std::array<LabelControl, CountOf<LabelId>()> labels_;
    ButtonControl pause_;
    std::array<PictureControl, CountOf<PictureId>()> pictures_;
    std::array<DecorationControl, CountOf<DecorationId>()> decorations_;
    TimerControl timer_;
    std::array<std::unique_ptr<NullCanvas>, CountOf<PictureId>()> ownCanvases_;
    StripRecord strips_;
    FormObserver* observer_ = nullptr;
    int scene_ = 0;
    bool inTick_ = false;
};

}  // namespace linelab
