// The measurement readouts, the density eyes and the fast run in the window.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "WindowFixture.h"
#include "analysis/BerCountText.h"
#include "app/qt/DensityPicture.h"
#include "app/qt/MeasureView.h"
#include "ui/Readouts.h"

namespace linelab {
namespace {

using MeasureViewTest = WindowFixture;


TEST_F(MeasureViewTest, ReadoutsStandBesideTheirControls) {
    QLabel* ebN0 = W().Readout("lblEbN0");
    QLabel* count = W().Readout("lblBERCount");
    ASSERT_NE(ebN0, nullptr);
    ASSERT_NE(count, nullptr);
    EXPECT_FALSE(ebN0->isVisible());  // the start-up scene has no noise box
    PickScene(kFullChannel);
    ASSERT_TRUE(Model().SetText("cmbNoise", "0.1"));
    Ticks(20);
    Settle();
    EXPECT_TRUE(ebN0->isVisible());
    EXPECT_EQ(ebN0->text(), QStringLiteral("Eb/N0 10.0 dB"));
    EXPECT_TRUE(count->isVisible());
    const BerCounts& counts = Window().Measures().Model().Counts();
    EXPECT_EQ(counts.Bits(), 20u * 112u);
    EXPECT_EQ(count->text().replace(QStringLiteral(",\n"), QStringLiteral(", ")).toStdString(),
              BerCountLine(counts.Errors(), counts.Bits(), counts.Interval()));
    // Every readout the table has stands under its control, in that control's column.
    for (const Readout& row : Readouts()) {
        const QWidget* label = W().Readout(row.name);
        const QWidget* anchor = W().WidgetOf(*FindControl(row.anchor));
        if (!label->isVisible()) continue;
        const QRect at = label->geometry();
        const QRect under = anchor->geometry();
        EXPECT_GE(at.top(), under.bottom()) << row.name;
        EXPECT_TRUE(at.left() < under.right() && under.left() < at.right()) << row.name;
        EXPECT_FALSE(label->toolTip().isEmpty()) << row.name;
    }
    // The caption itself is left as it always was.
    EXPECT_TRUE(W().Label(LabelId::lblBER)->text().startsWith(QStringLiteral("BER = ")));

    QTest::mouseClick(W().Label(LabelId::lblBER), Qt::LeftButton);
    Ticks(1);
    EXPECT_TRUE(count->text().endsWith(QStringLiteral(" in 112 bits")) ||
                count->text().contains(QStringLiteral(" in 112 bits,\n")));
}

TEST_F(MeasureViewTest, EyeOpeningReadoutAndCalipersFollowTheReceiveEye) {
    MeasureView& view = Window().Measures();
    QAction* opening = view.EyeOpeningAction();
    ASSERT_NE(opening, nullptr);
    opening->trigger();
    PickScene(kFullChannel);
    Ticks(5);
    Settle();
    QLabel* readout = W().Readout("lblEyeOpening");
    EXPECT_TRUE(readout->isVisible());
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("Eye opening\ngap 1: height")));
    // Painted over the image, never into it.
    const QImage before = Panel(PictureId::picRxEye)->Image();
    const QImage shown = Panel(PictureId::picRxEye)->grab().toImage();
    EXPECT_EQ(Panel(PictureId::picRxEye)->Image(), before);
    EXPECT_NE(shown.convertToFormat(QImage::Format_RGB32),
              before.convertToFormat(QImage::Format_RGB32));

    PickScene(0);  // no receive eye
    EXPECT_FALSE(readout->isVisible());
    opening->trigger();
    PickScene(kFullChannel);
    EXPECT_FALSE(readout->isVisible());
}

TEST_F(MeasureViewTest, DensityEyesReplaceTheLinesAndClearWithThem) {
    PickScene(kFullChannel);
    Window().Measures().DensityAction()->trigger();
    Ticks(10);
    Settle();
    const DensityEye& rx = Window().Measures().Model().DensityOf(2);
    ASSERT_GT(rx.MaxCount(), 0u);
    // The density's background is black; the line eye's is white.
    const auto blackPixels = [this] {
        const QImage shown =
            Panel(PictureId::picRxEye)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                count += (shown.pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
        return count;
    };
    EXPECT_GT(blackPixels(), 100);
    ClickPanel(PictureId::picRxEye);
    EXPECT_EQ(rx.MaxCount(), 0u);
    Window().Measures().DensityAction()->trigger();
    EXPECT_FALSE(Window().Measures().Model().Density());
    EXPECT_EQ(blackPixels(), 0);
}

// The table lookup against the exact colour ramp: exact for small counts, and for large ones
// the colour of a count no more than 1/64 octave below.
TEST(DensityPicture, FollowsTheColourRamp) {
    DensityEye eye(3, 1);
    const int kUnits = kUnitsPerPixel;
    // A line's first end is not counted: each line below adds one hit to the pixel it ends in.
    const double y = kUnits / 2;
    for (int i = 0; i < 40; ++i)  // pixel 0: 40 hits
        eye.Line(-kUnits / 2, y, kUnits / 2, y);
    for (int i = 0; i < 100000; ++i)  // pixel 2: the most frequent
        eye.Line(kUnits * 3 / 2, y, kUnits * 5 / 2, y);
    const QImage image = DensityPicture(eye);
    ASSERT_EQ(image.size(), QSize(3, 1));
    const uint32_t max = eye.MaxCount();
    ASSERT_EQ(eye.Counts()[0], 40u);
    EXPECT_EQ(image.pixel(0, 0), DensityColour(40, max, 0xFF000000));
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);  // no hit: the background
    const QRgb top = image.pixel(2, 0);
    bool near = false;
    for (uint32_t c = max - max / 64; c <= max; ++c)
        near |= DensityColour(c, max, 0xFF000000) == top;
    EXPECT_TRUE(near);
}

TEST_F(MeasureViewTest, FastRunsInPlaceOfTheTimerAndHandsItBack) {
    MeasureView& view = Window().Measures();
    QTimer& timer1 = Window().Timer1();
    QPushButton* pause = W().pause;
    QTest::mouseClick(pause, Qt::LeftButton);  // "Cont": stopped
    QTest::mouseClick(pause, Qt::LeftButton);  // "Slow": every second
    ASSERT_EQ(pause->text(), QStringLiteral("Slow"));
    view.FastAction()->trigger();
    EXPECT_TRUE(view.Fast());
    EXPECT_FALSE(timer1.isActive());
    auto* state = Window().findChild<QLabel*>(QStringLiteral("statusRun"));
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->text(), QStringLiteral("Fast"));
    ASSERT_NE(view.FastLoop(), nullptr);
    // The runs come from the event loop alone, not from Timer1's one a second.
    while (view.FastLoop()->Runs() < 50)
        QApplication::processEvents();
    EXPECT_EQ(Model().State().lBERRuns, static_cast<int32_t>(view.Model().Counts().Bits() / 112));

    // The button still pauses, and Fast resumes with it.
    QTest::mouseClick(pause, Qt::LeftButton);  // "Slow" -> "Pause": running at 100 ms
    QTest::mouseClick(pause, Qt::LeftButton);  // "Cont": stopped
    const uint64_t runs = view.FastLoop()->Runs();
    Settle();
    EXPECT_EQ(view.FastLoop()->Runs(), runs);
    EXPECT_FALSE(timer1.isActive());
    QTest::mouseClick(pause, Qt::LeftButton);  // "Slow" again
    view.FastAction()->trigger();
    EXPECT_FALSE(view.Fast());
    EXPECT_TRUE(timer1.isActive());
    EXPECT_EQ(timer1.interval(), 1000);
    EXPECT_EQ(state->text(), QStringLiteral("Slow"));
}

}  // namespace
}  // namespace linelab
