// The control primitives on their own: which values they refuse, when the handlers run, and
// that the observer hears only real changes.

#include <gtest/gtest.h>

#include <string>

#include "FormTestSupport.h"
#include "ui/ControlSet.h"

namespace linelab {
namespace {

struct Calls final : ControlHandlers {
    std::vector<std::string> log;
    void OnListChange(ListId id) override { log.emplace_back(NameOf(id)); }
    void OnCheckClick(CheckId id) override { log.emplace_back(NameOf(id)); }
    void OnSliderChange(SliderId id) override { log.emplace_back(NameOf(id)); }
};

struct Bare : ::testing::Test {
    ControlSet controls;
    Calls calls;
    test::Recorder recorder{controls};
    void SetUp() override {
        controls.SetHandlers(&calls);
        controls.SetObserver(&recorder);
    }
    std::size_t Heard() const { return recorder.changed.size() + calls.log.size(); }
};

TEST_F(Bare, ListsRefuseWhatTheyCannotHoldAndRunTheirHandlerOnChangeOnly) {
    static constexpr std::array<std::string_view, 2> kItems = {"A", "B"};
    controls.Fill(ListId::cmbMod0, kItems);  // a fixed list
    EXPECT_FALSE(controls.Assign(ListId::cmbMod0, "C"));
    EXPECT_TRUE(controls.Assign(ListId::cmbMod0, "B"));
    EXPECT_TRUE(controls.Assign(ListId::cmbMod0, "B"));  // no change, no handler
    EXPECT_TRUE(controls.PickItem(ListId::cmbMod0, 1));  // a click runs it again
    EXPECT_FALSE(controls.PickItem(ListId::cmbMod0, 2));
    EXPECT_EQ(calls.log, (std::vector<std::string>{"cmbMod(0)", "cmbMod(0)"}));
    EXPECT_FALSE(controls.Assign(ListId::cmbNoise, std::string(kMaxListText + 1, '1')));
    EXPECT_TRUE(controls.Assign(ListId::cmbNoise, std::string(kMaxListText, '1')));
}

TEST_F(Bare, ValuesOutsideTheirRangeAreRefusedAndANewRangeMovesTheValue) {
    EXPECT_FALSE(controls.AssignCheck(CheckId::chkInvert, 2));
    EXPECT_FALSE(controls.AssignSlider(SliderId::hscDataZoom, 5));
    EXPECT_EQ(Heard(), 0u);
    controls.SetSliderRange(SliderId::hscDataZoom, 2, 4);  // 1 moves to 2: a change
    EXPECT_EQ(controls.Slider(SliderId::hscDataZoom).value, 2);
    EXPECT_EQ(calls.log, (std::vector<std::string>{"hscDataZoom"}));
    controls.SetSliderRange(SliderId::hscDataZoom, 1, 4);  // the value stays: no handler
    EXPECT_EQ(calls.log.size(), 1u);
}

TEST_F(Bare, TheObserverHearsOnlyRealChanges) {
    controls.SetCaption(LabelId::lblBER, controls.Label(LabelId::lblBER).caption);
    controls.Show(ListId::cmbData, true);
    controls.SetSliderSteps(SliderId::hscSample, 1, 4);
    controls.SetTimer(true, 100);
    EXPECT_EQ(Heard(), 0u);
    EXPECT_TRUE(recorder.timers.empty());
    controls.Show(ListId::cmbData, false);
    controls.SetTimer(false, 100);
    EXPECT_TRUE(recorder.WasChanged("cmbData"));
    EXPECT_EQ(recorder.timers.size(), 1u);
}

TEST_F(Bare, TakingValuesKeepsTheAttachedCanvasesAndClearsThem) {
    test::CountingCanvas canvas;
    controls.AttachCanvas(PictureId::picRxEye, &canvas);
    ControlSet fresh;
    ASSERT_TRUE(controls.AssignCheck(CheckId::chkInvert, 1));
    controls.TakeValues(fresh);
    EXPECT_EQ(controls.Check(CheckId::chkInvert).value, 0);
    EXPECT_EQ(&controls.CanvasOf(PictureId::picRxEye), &canvas);
    EXPECT_EQ(canvas.clears, 1);
    EXPECT_EQ(recorder.changed.size(), AllControls().size() + 1);  // the check box, then all
}

}  // namespace
}  // namespace linelab
