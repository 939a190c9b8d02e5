// An engine owned without a window behaves as the window would make it: the plain records
// reach the stages, and forcing the threshold slider runs the slider's change handling.

#include <gtest/gtest.h>

#include <memory>

#include "dsp/DesignFilters.h"
#include "engine/Engine.h"
#include "engine/RecordPorts.h"
#include "tests/support/FakePorts.h"

namespace linelab::test {
namespace {

TEST(RecordPorts, RecordsReachTheStagesAndTheDesign) {
    Engine engine;
    RecordPorts owner(engine);
    owner.config = StartupConfig();
    owner.config.iPulseWidth = owner.filters.side[0].iPulseWidth = 10;
    engine.SetSymbolRate(1.0);
    owner.slider = engine.LoadDefaultThresholds(Format::UnipolarNrz);
    owner.Tick();
    EXPECT_EQ(engine.State().iTxDutyCycle, 10);
    auto expected = std::make_unique<Responses>();
    DesignFilters(owner.filters, 1.0, *expected);
    EXPECT_EQ(engine.State().responses.dTxResponse, expected->dTxResponse);
    EXPECT_EQ(owner.messageCount, 0);
    EXPECT_EQ(engine.State().lBERRuns, 1);
}

TEST(RecordPorts, ForcedSliderRescalesAndRestartsTheBer) {
    Engine engine;
    RecordPorts owner(engine);
    owner.config = StartupConfig();
    owner.config.format = Both(Format::Ami);
    owner.config.shown.Set(PanelId::RxEye,
                           true);  // the receive eye rescales the thresholds every run
    engine.SetSymbolRate(1.0);
    engine.LoadDefaultThresholds(Format::Ami);
    owner.slider = 50;
    owner.Tick();
    owner.Tick();
    ASSERT_EQ(engine.State().lBERRuns, 2);
    owner.slider = 100;  // as a window that set it without its handling
    owner.Tick();
    EXPECT_EQ(owner.slider, 99);
    EXPECT_NEAR(engine.State().dThresholds[0], 0.014142136, 1e-9);
    EXPECT_EQ(engine.State().dThresholds[1], -engine.State().dThresholds[0]);
    // The forcing restarted the count before this run was counted.
    EXPECT_EQ(engine.State().lBERRuns, 1);
}

}  // namespace
}  // namespace linelab::test
