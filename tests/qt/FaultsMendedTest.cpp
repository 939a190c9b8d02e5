// Small faults of the window, each with the case that showed it: Space after a pick from a
// list, the status bar of a scene without a BER, File > Reset and the strips' width, the
// example lessons, the eye opening readout without noise.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/BerCurveWindow.h"
#include "app/qt/LessonActions.h"
#include "app/qt/RunStatus.h"
#include "ui/Measurements.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

class FaultsMendedTest : public WindowFixture {};

TEST_F(FaultsMendedTest, SpaceAfterAPickFromTheSceneListPauses) {
    QComboBox* scenes = W().List(ListId::cmbScene);
    scenes->setFocus();
    PickScene(kTxFilter);
    const bool running = Model().Timer().enabled;
    QTest::keyClick(scenes->lineEdit(), Qt::Key_Space);
    Settle();
    EXPECT_EQ(scenes->currentText().toStdString(), Model().List(ListId::cmbScene).text);
    EXPECT_NE(Model().Timer().enabled, running);
}

TEST_F(FaultsMendedTest, ASceneWithoutABerCountsNoBerRuns) {
    PickScene(kJustData);
    Ticks(2);
    Settle();
    EXPECT_FALSE(Window().Status().RunsText().contains(QStringLiteral("BER")));
    PickScene(6);
    Ticks(1);
    EXPECT_TRUE(Window().Status().RunsText().contains(QStringLiteral("BER")));
}

TEST_F(FaultsMendedTest, ResetGivesTheStripsTheirStartingWidth) {
    const int width = Panel(PictureId::picData)->width();
    PickScene(kTxFilter);
    ASSERT_TRUE(Model().SetText(ListId::cmbTxFilter0, "SinglePole"));
    Settle();
    Window().Reset();
    Settle();
    EXPECT_EQ(Panel(PictureId::picData)->width(), width);
}

// Every example opens with a picture it is named for switched on, under a title in words.
TEST_F(FaultsMendedTest, EveryExampleShowsAPictureUnderAReadableTitle) {
    const QDir folder(LessonActions::ExamplesFolder());
    const QStringList files = folder.entryList({QStringLiteral("*.json")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        const QString title = LessonActions::ExampleTitle(name);
        EXPECT_TRUE(title.contains(QLatin1Char(' ')) && title.at(0).isUpper())
            << title.toStdString();
        const auto problem = Window().Lessons().Open(folder.filePath(name));
        ASSERT_FALSE(problem) << problem->toStdString();
        Settle();
        int shown = 0;
        for (const PanelDescriptor& panel : kPanelTable) {
            if (panel.kind == PanelKind::Strip) continue;
            shown += Panel(panel.picture)->isVisible() && Model().Check(panel.check).value == 1;
        }
        EXPECT_GT(shown, 0) << name.toStdString();
    }
}

// Whatever the status under the buttons says, the plot beside the column stays put.
TEST_F(FaultsMendedTest, TheBerCurveControlColumnKeepsItsWidth) {
    Window().ShowBerCurve();
    Settle();
    auto* column = Window().BerCurve()->findChild<QWidget*>(QStringLiteral("berCurveControls"));
    ASSERT_NE(column, nullptr);
    const int width = column->width();
    for (QLabel* label : column->findChildren<QLabel*>())
        label->setText(QString(QStringLiteral("point 12 of 40 at 7.5 dB: ")).repeated(4));
    Settle();
    EXPECT_EQ(column->width(), width);
}

TEST(EyeOpeningReadout, GivesNoQWithoutNoise) {
    EyeFigures figures;
    figures.gaps.push_back(EyeGapFigures{});
    figures.gaps.back().dQ = 1e8;
    EXPECT_FALSE(EyeOpeningText(figures, false).find("Q ") != std::string::npos);
    EXPECT_TRUE(EyeOpeningText(figures, true).find("Q 1e+08") != std::string::npos);
}

}  // namespace
}  // namespace linelab
