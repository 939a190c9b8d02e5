#include "tests/fuzz/FormFuzzHarness.h"

#include <algorithm>

#include "tests/fuzz/FormInvariants.h"

namespace linelab::fuzz {
namespace {

bool IsPauseClick(const Action& a) {
    return a.op == Op::Pause ||
           (a.op == Op::ByName && static_cast<NameVerb>(a.target) == NameVerb::Click &&
            a.name == NameOf(kPauseButton));
}

// Whether the model must take this text: not longer than the limit, and for a fixed list
// one of its items.
bool Acceptable(const ListControl& list, const std::string& text) {
    if (text.size() > kMaxListText) return false;
    return list.editable ||
           std::find(list.items.begin(), list.items.end(), text) != list.items.end();
}

}  // namespace

Action FormFuzzHarness::Resolved(const Action& action) const {
    if (action.op != Op::Slider || action.value2 != 1) return action;
    // A position in the current range; every tenth one exactly at an end.
    const SliderControl& s = form_->Slider(static_cast<SliderId>(action.target));
    Action a = action;
    a.value2 = 0;
    const int position = action.value % 20;
    if (position == 0) {
        a.value = s.min;
    } else if (position == 1) {
        a.value = s.max;
    } else {
        a.value = s.min + action.value % std::max(s.max - s.min + 1, 1);
    }
    return a;
}

FormFuzzHarness::FormFuzzHarness(HarnessLimits limits)
    : limits_(limits), form_(std::make_unique<Form1>()) {
    observer_ = std::make_unique<CheckingObserver>(*form_);
    form_->SetObserver(observer_.get());
    for (int i = 0; i < CountOf<PictureId>(); ++i)
        Resize(static_cast<PictureId>(i), -1, -1);
}

FormFuzzHarness::~FormFuzzHarness() {
    // The form holds plain pointers to the canvases and the observer: let go of them first.
    form_->SetObserver(nullptr);
    for (int i = 0; i < CountOf<PictureId>(); ++i)
        form_->AttachCanvas(static_cast<PictureId>(i), nullptr);
}

std::string FormFuzzHarness::Run(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    while (!in.Empty() && actions_ < limits_.maxActions && ticks_ < limits_.maxTicks) {
        if (std::string fault = Step(NextAction(in)); !fault.empty()) return fault;
    }
    return {};
}

std::string FormFuzzHarness::Step(const Action& given) {
    const Action action = Resolved(given);
    log_.push_back(Describe(action));
    ++actions_;
    if (action.op == Op::Tick) {
        for (int i = 0; i < action.value && ticks_ < limits_.maxTicks; ++i) {
            // The window's timer is the only thing that runs a tick.
            if (!form_->Timer().enabled) break;
            if (std::string fault = TickAndCheck(); !fault.empty()) return fault;
        }
        return {};
    }
    const bool enabledBefore = form_->Timer().enabled;
    const std::string before =
        action.op == Op::Type ? form_->List(static_cast<ListId>(action.target)).text : "";
    Perform(action);
    if (!enabledBefore && form_->Timer().enabled && !IsPauseClick(action))
        return "the timer was enabled by something other than a click on cmdPause";
    if (action.op == Op::Type) {
        if (std::string fault = CheckRefusal(action, lastAccepted_, before); !fault.empty())
            return fault;
    }
    return CheckAll();
}

void FormFuzzHarness::Perform(const Action& a) {
    Form1& f = *form_;
    lastAccepted_ = true;
    switch (a.op) {
        case Op::Type:
            lastAccepted_ = f.SetText(static_cast<ListId>(a.target), a.text);
            break;
        case Op::Pick:
            lastAccepted_ = f.PickItem(static_cast<ListId>(a.target), a.value);
            break;
        case Op::Scene:
            lastAccepted_ = f.ApplyScene(a.value);
            break;
        case Op::Check:
            lastAccepted_ = f.SetCheckValue(static_cast<CheckId>(a.target), a.value);
            break;
        case Op::Slider:
            lastAccepted_ = f.SetSliderValue(static_cast<SliderId>(a.target), a.value);
            break;
        case Op::ClickPicture:
            f.ClickPicture(static_cast<PictureId>(a.target));
            break;
        case Op::Pause:
            f.ClickPause();
            break;
        case Op::Ber:
            f.ClickBer();
            break;
        case Op::ByName:
            PerformByName(a);
            break;
        case Op::Resize:
            Resize(static_cast<PictureId>(a.target), a.value, a.value2);
            break;
        case Op::Tick:
            break;  // handled by Step
    }
}

void FormFuzzHarness::PerformByName(const Action& a) {
    Form1& f = *form_;
    switch (static_cast<NameVerb>(a.target)) {
        case NameVerb::Click:
            lastAccepted_ = f.Click(a.name);
            break;
        case NameVerb::SetText:
            lastAccepted_ = f.SetText(a.name, a.text);
            break;
        case NameVerb::PickItem:
            lastAccepted_ = f.PickItem(a.name, a.value);
            break;
        case NameVerb::SetValue:
            lastAccepted_ = f.SetValue(a.name, a.value);
            break;
    }
}

std::string FormFuzzHarness::TickAndCheck() {
    const bool designed = !form_->State().bFiltersValid;
    form_->Timer1_Timer();
    ++ticks_;
    if (std::string fault = CheckAll(); !fault.empty()) return fault;
    return CheckAfterTick(*form_, designed);
}

void FormFuzzHarness::Resize(PictureId id, int width, int height) {
    const PictureControl& picture = form_->Picture(id);
    if (width < 0) width = picture.width * kUnitsPerPixel;
    if (height < 0) height = picture.height * kUnitsPerPixel;
    auto canvas = std::make_unique<CheckingCanvas>(width, height);
    form_->AttachCanvas(id, canvas.get());
    canvases_[static_cast<std::size_t>(id)] = std::move(canvas);
}

std::string FormFuzzHarness::CheckRefusal(const Action& action, bool accepted,
                                          const std::string& before) const {
    const auto id = static_cast<ListId>(action.target);
    const ListControl& list = form_->List(id);
    const std::string name(NameOf(id));
    if (accepted != Acceptable(list, action.text))
        return name + (accepted ? " took a text it must refuse" : " refused a text it must take");
    if (!accepted && list.text != before) return name + " changed although the text was refused";
    // The handlers of an editable box never rewrite the box itself; only a tick's design
    // pass does.
    if (accepted && list.editable && list.text != action.text)
        return name + " does not show the text just typed";
    return {};
}

std::string FormFuzzHarness::CheckAll() const {
    for (const auto& canvas : canvases_) {
        if (!canvas->Fault().empty()) return canvas->Fault();
    }
    if (!observer_->Fault().empty()) return observer_->Fault();
    if (!observer_->Messages().empty())
        return "message \"" + observer_->Messages().front() +
               "\" shown, although every fixed list holds one of its own items";
    const TimerControl& view = observer_->ViewTimer();
    if (view.enabled != form_->Timer().enabled || view.interval != form_->Timer().interval)
        return "the view was not told of a change of the timer";
    if (std::string fault = CheckControls(*form_); !fault.empty()) return fault;
    return CheckCounters(*form_);
}

std::string FormFuzzHarness::Reproducer(const std::string& fault) const {
    std::string out = "linelab::Form1 form;\n";
    for (const std::string& line : log_)
        out += line + "\n";
    return out + "// broken: " + fault + "\n";
}

}  // namespace linelab::fuzz
