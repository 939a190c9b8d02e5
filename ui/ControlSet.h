#pragma once
// Every control of the main window as plain data, and the primitives that change them. Each
// primitive changes one control, tells the observer, and (for a list's text, a check box's or
// a slider's value) hands the change to the handlers, which the cascades implement. The set
// knows no handler of its own: what a change means is decided elsewhere.
//
// The rules of the primitives:
// - A list's text from code (Assign) runs its handler once, and only when the text changes.
//   A fixed list accepts only one of its current items; anything else is refused.
// - Picking item i (PickItem) is a click: the handler runs even when the text stays.
// - A check box's and a slider's handler run when the value changes; values outside 0/1 or
//   outside the slider's range are refused. A new range that moves the value runs it too.
// - Captions, visibility, items and ranges only tell the observer.

#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "display/Canvas.h"
#include "ui/Controls.h"
#include "ui/FormObserver.h"

namespace linelab {

// What a change of value means: the cascades.
class ControlHandlers {
  public:
    virtual void OnListChange(ListId id) = 0;
    virtual void OnCheckClick(CheckId id) = 0;
    virtual void OnSliderChange(SliderId id) = 0;

  protected:
    ~ControlHandlers() = default;
};

class ControlSet {
  public:
    // Names, fixed captions, slider ranges and the model's own canvases, as before the
    // window loads; the lists are empty until the cascades fill them.
    ControlSet();
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    const ListControl& List(ListId id) const { return lists_[Index(id)]; }
    const CheckControl& Check(CheckId id) const { return checks_[Index(id)]; }
    const SliderControl& Slider(SliderId id) const { return sliders_[Index(id)]; }
    const LabelControl& Label(LabelId id) const { return labels_[Index(id)]; }
    const ButtonControl& PauseButton() const { return pause_; }
    const PictureControl& Picture(PictureId id) const { return pictures_[Index(id)]; }
    const DecorationControl& Decoration(DecorationId id) const { return decorations_[Index(id)]; }
    const TimerControl& Timer() const { return timer_; }

    std::span<const ListControl> Lists() const { return lists_; }
    std::span<const CheckControl> Checks() const { return checks_; }
    std::span<const SliderControl> Sliders() const { return sliders_; }
    std::span<const LabelControl> Labels() const { return labels_; }
    std::span<const PictureControl> Pictures() const { return pictures_; }
    std::span<const DecorationControl> Decorations() const { return decorations_; }

    bool Visible(ControlRef control) const;

    // Not owned; nullptr detaches.
    void SetHandlers(ControlHandlers* handlers) { handlers_ = handlers; }
    void SetObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* Observer() const { return observer_; }

    // ---- values (the handlers run as the rules above say) ------------------------------
    bool Assign(ListId id, std::string_view text);
    bool PickItem(ListId id, int index);
    bool AssignCheck(CheckId id, int value);
    bool AssignSlider(SliderId id, int value);
    void SetSliderRange(SliderId id, int min, int max);

    // ---- the rest (the observer only) ---------------------------------------------------
    void Fill(ListId id, std::span<const std::string_view> items);  // empties the text too
    // The text of item `index` without its handler (a typed text given up for the item).
    void ShowItem(ListId id, std::size_t index);
    void SetSliderSteps(SliderId id, int smallChange, int largeChange);
    void SetCaption(LabelId id, std::string_view caption);
    void SetCheckCaption(CheckId id, std::string_view caption, int32_t colour);
    void SetPauseCaption(std::string_view caption);
    void SetTimer(bool enabled, int interval);  // tells TimerChanged
    void Show(ControlRef control, bool visible);
    void Notify(ControlRef control);

    // ---- panels ---------------------------------------------------------------------------
    // Draw this panel on `canvas` (not owned); nullptr returns to the set's own canvas.
    void AttachCanvas(PictureId id, Canvas* canvas);
    Canvas& CanvasOf(PictureId id) const { return *pictures_[Index(id)].canvas; }
    void ClearPicture(PictureId id) { CanvasOf(id).Clear(); }

    // Takes every control's state from `fresh`; attached canvases, the observer and the
    // handlers stay, the canvases are cleared, and the observer hears of every control.
    void TakeValues(ControlSet& fresh);

  private:
    template <typename Id>
    static constexpr std::size_t Index(Id id) {
        return static_cast<std::size_t>(id);
    }
    void InitCaptions();
    void InitSliders();
    void InitPictures();

    std::array<ListControl, CountOf<ListId>()> lists_;
    std::array<CheckControl, CountOf<CheckId>()> checks_;
    std::array<SliderControl, CountOf<SliderId>()> sliders_;
    std::array<LabelControl, CountOf<LabelId>()> labels_;
    ButtonControl pause_;
    std::array<PictureControl, CountOf<PictureId>()> pictures_;
    std::array<DecorationControl, CountOf<DecorationId>()> decorations_;
    TimerControl timer_;
    std::array<std::unique_ptr<NullCanvas>, CountOf<PictureId>()> ownCanvases_;
    ControlHandlers* handlers_ = nullptr;
    FormObserver* observer_ = nullptr;
};

}  // namespace linelab
