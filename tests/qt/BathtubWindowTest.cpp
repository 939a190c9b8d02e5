// Tools > Bathtub: the rate against the instant and the threshold, and the move to the best.

#include <qcustomplot.h>
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/BathtubWindow.h"
#include "app/qt/ControlWidgets.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {


class BathtubWindowTest : public WindowFixture {
  protected:
    BathtubWindow& Tub() { return *Window().findChild<BathtubWindow*>(); }
    void Open() {
        PickScene(kFullChannel);
        ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.002"));
        Ticks(2);
        auto* action = Window().findChild<QAction*>(QStringLiteral("ToolsBathtub"));
        ASSERT_NE(action, nullptr);
        action->trigger();
        Wait();
    }
    void Wait() {
        Tub().Refresh();
        QTRY_VERIFY_WITH_TIMEOUT(!Tub().Busy(), 20000);
        QCoreApplication::processEvents();
        ASSERT_NE(Tub().Result(), nullptr);
        ASSERT_TRUE(Tub().Result()->bathtub.has_value()) << Tub().Result()->problem.toStdString();
    }
    const Bathtub& B() { return *Tub().Result()->bathtub; }
};

TEST_F(BathtubWindowTest, PlotsBothCutsWithTheReadouts) {
    Open();
    EXPECT_TRUE(Tub().isVisible());
    if (const QString folder = qEnvironmentVariable("LINELAB_SHOTS"); !folder.isEmpty())
        Tub().grab().save(QDir(folder).filePath(QStringLiteral("bathtub.png")));
    EXPECT_EQ(Tub().InstantPlot().graph(0)->dataCount(), static_cast<int>(B().instants.size()));
    EXPECT_EQ(Tub().ThresholdPlot().graph(0)->dataCount(), static_cast<int>(B().thresholds.size()));
    // The slider in use and the best place marked on each plot, the axis down to 1e-15.
    EXPECT_EQ(Tub().InstantPlot().itemCount(), 2);
    EXPECT_EQ(Tub().ThresholdPlot().itemCount(), 2);
    EXPECT_LE(Tub().InstantPlot().yAxis->range().lower, 1e-15);
    EXPECT_EQ(B().instantInUse, Model().Slider(SliderId::hscSample).value);
    const QString readout = Tub().Readout();
    EXPECT_TRUE(readout.contains(QStringLiteral("Best: instant %1").arg(B().bestInstant)))
        << readout.toStdString();
    EXPECT_TRUE(readout.contains(QStringLiteral("At 1e-06"))) << readout.toStdString();
    EXPECT_TRUE(readout.contains(QStringLiteral("At 1e-12"))) << readout.toStdString();
    // Nothing changed: nothing worked out again.
    const int jobs = Tub().Jobs();
    Ticks(2);
    Tub().Refresh();
    EXPECT_EQ(Tub().Jobs(), jobs);
}

TEST_F(BathtubWindowTest, TheButtonMovesTheSlidersToTheBestPlaceAsAUserWould) {
    Open();
    // A user drags the sampling instant far off the middle.
    W().Slider(SliderId::hscSample)->setValue(24);
    ASSERT_EQ(Model().Slider(SliderId::hscSample).value, 24);
    Wait();
    EXPECT_EQ(B().instantInUse, 24);
    const int bestInstant = B().bestInstant;
    const double bestThreshold = B().bestThreshold;
    ASSERT_NE(bestInstant, 24);
    Tub().findChild<QPushButton*>(QStringLiteral("bathtubBest"))->click();
    EXPECT_EQ(Model().Slider(SliderId::hscSample).value, bestInstant);
    EXPECT_EQ(W().Slider(SliderId::hscSample)->value(), bestInstant);
    EXPECT_EQ(Model().Slider(SliderId::vscThreshold).value,
              std::clamp(ThresholdSliderFor(bestThreshold), 0, 100));
    // The thresholds followed the slider, as a drag makes them.
    EXPECT_NEAR(Model().State().dThresholds[0], bestThreshold, 0.02);
    Wait();
    EXPECT_EQ(B().instantInUse, bestInstant);
    EXPECT_LT(B().byInstant[static_cast<std::size_t>(bestInstant + 32)].wrongDecisions, 1e-6);
}

}  // namespace
}  // namespace linelab
