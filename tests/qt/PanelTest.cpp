// The picture panels: the canvas on a persistent image, and what the user's clicks on the
// panels and their check boxes do to them.

#include <QCheckBox>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/ClickLabel.h"

namespace linelab {
namespace {

QColor At(PicturePanel& panel, int x, int y) {
    return panel.Image().pixelColor(x, y);
}

TEST(PicturePanelTest, ScaleIsFifteenUnitsPerPixelAndLinesLandOnThosePixels) {
    PicturePanel panel;
    panel.resize(100, 50);
    EXPECT_EQ(panel.ScaleWidth(), 1500);
    EXPECT_EQ(panel.ScaleHeight(), 750);
    panel.SetColour(255);  // red in blue-green-red order
    panel.Line(150, 300, 450, 300);
    EXPECT_EQ(At(panel, 20, 20), QColor(255, 0, 0));
    EXPECT_EQ(At(panel, 5, 20), QColor(Qt::white));
    EXPECT_EQ(At(panel, 20, 25), QColor(Qt::white));
}

TEST(PicturePanelTest, CollectedLinesKeepTheColourTheyWereDrawnIn) {
    PicturePanel panel;
    panel.resize(100, 50);
    panel.SetColour(16711680);  // blue
    panel.Line(0, 150, 1500, 150);
    panel.SetColour(32768);  // dark green
    panel.Line(0, 450, 1500, 450);
    EXPECT_EQ(At(panel, 50, 10), QColor(0, 0, 255));
    EXPECT_EQ(At(panel, 50, 30), QColor(0, 128, 0));
}

TEST(PicturePanelTest, ClearEmptiesTheImageAndDropsCollectedLines) {
    PicturePanel panel;
    panel.resize(100, 50);
    panel.Line(0, 150, 1500, 150);
    panel.Clear();
    EXPECT_TRUE(IsBlank(panel.Image()));
    panel.Line(0, 150, 1500, 150);
    panel.Flush();
    panel.Clear();
    EXPECT_TRUE(IsBlank(panel.Image()));
}

// A paused window that is resized keeps its pictures (they used to go blank until the next
// run); a strip is told, so it can be drawn again to its new width.
TEST(PicturePanelTest, AResizeKeepsThePictureStretchedToTheNewSize) {
    PicturePanel panel;
    int resized = 0;
    QObject::connect(&panel, &PicturePanel::Resized, [&resized] { ++resized; });
    panel.resize(100, 50);
    EXPECT_EQ(resized, 0);  // nothing drawn yet: nothing to keep
    panel.Line(0, 150, 1500, 150);
    panel.Flush();
    panel.resize(160, 90);
    EXPECT_EQ(panel.Image().deviceIndependentSize().toSize(), QSize(160, 90));
    EXPECT_FALSE(IsBlank(panel.Image()));
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(panel.ScaleWidth(), 160 * kUnitsPerPixel);
    panel.Clear();
    panel.resize(120, 60);
    EXPECT_TRUE(IsBlank(panel.Image()));
    EXPECT_EQ(resized, 1);
}

TEST(PicturePanelTest, EmptyAndHugeSizesNeverFail) {
    PicturePanel panel;
    panel.resize(0, 0);
    panel.Line(0, 0, 3000, 3000);
    panel.Clear();
    EXPECT_TRUE(panel.Image().isNull());
    EXPECT_EQ(panel.ScaleWidth(), 0);
    panel.resize(20000, 10);
    EXPECT_EQ(panel.ScaleWidth(), 8192 * kUnitsPerPixel);  // the largest image side
    panel.Line(-1e9, 5, 1e9, 5);
    panel.Line(0, std::numeric_limits<double>::quiet_NaN(), 10, 10);
    EXPECT_FALSE(panel.Image().isNull());
}

class PanelClickTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        PickScene(kFullChannel);
        // Noise makes every run's receive eye different, so a frozen eye can be told apart.
        ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.4"));
        Ticks(2);
    }
};

TEST_F(PanelClickTest, AnEyeSwitchedOffStaysFrozen) {
    const QImage before = Panel(PictureId::picRxEye)->Image().copy();
    Ticks(2);
    ASSERT_NE(Panel(PictureId::picRxEye)->Image(), before);  // a live eye keeps changing

    QTest::mouseClick(W().Check(CheckId::chkRxEye), Qt::LeftButton);
    ASSERT_EQ(Model().Check(CheckId::chkRxEye).value, 0);
    const QImage frozen = Panel(PictureId::picRxEye)->Image().copy();
    Ticks(3);
    EXPECT_EQ(Panel(PictureId::picRxEye)->Image(), frozen);
    EXPECT_FALSE(IsBlank(frozen));
}

TEST_F(PanelClickTest, ClickingAnEyeClearsIt) {
    for (PictureId eye : {PictureId::picTxEye, PictureId::picChannelEye, PictureId::picRxEye}) {
        ASSERT_FALSE(Blank(eye)) << NameOf(eye);
        ClickPanel(eye);
        EXPECT_TRUE(Blank(eye)) << NameOf(eye);
    }
}

TEST_F(PanelClickTest, ClickingASpectrumRestartsOnlyItsOwnAverage) {
    ASSERT_EQ(Model().Views().lRxSpectra, 2);
    ASSERT_EQ(Model().Views().lTxSpectra, 2);
    ClickPanel(PictureId::picRxSpectrum);
    EXPECT_EQ(Model().Views().lRxSpectra, 0);
    EXPECT_EQ(Model().Views().lTxSpectra, 2);
    Ticks(1);
    EXPECT_EQ(Model().Views().lRxSpectra, 1);  // the next run starts a fresh average
}

TEST_F(PanelClickTest, KeyboardReachesTheSameClick) {
    Panel(PictureId::picChannelEye)->setFocus();
    QTest::keyClick(Panel(PictureId::picChannelEye), Qt::Key_Return);
    EXPECT_TRUE(Blank(PictureId::picChannelEye));
}

TEST_F(PanelClickTest, AStripSwitchedOffIsGreyedAndBlank) {
    QCheckBox* box = W().Check(CheckId::chkDemodData);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(Model().Check(CheckId::chkDemodData).value, 0);
    EXPECT_TRUE(Panel(PictureId::picDemodData)->Greyed());
    EXPECT_TRUE(Blank(PictureId::picDemodData));
    Ticks(1);
    EXPECT_TRUE(Blank(PictureId::picDemodData));

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(Panel(PictureId::picDemodData)->Greyed());
    Ticks(1);
    EXPECT_FALSE(Blank(PictureId::picDemodData));
}

TEST_F(PanelClickTest, ClickingTheBitErrorRateRestartsIt) {
    ASSERT_EQ(Model().State().lBERRuns, 2);
    QTest::mouseClick(W().Label(LabelId::lblBER), Qt::LeftButton);
    EXPECT_EQ(Model().State().lBERRuns, 0);
}

}  // namespace
}  // namespace linelab
