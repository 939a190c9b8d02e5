// View > Theory over the transmit spectrum panel.

#include <QAction>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/TheoryOverlay.h"

namespace linelab {
namespace {

using TheoryOverlayTest = WindowFixture;

// Pixels in the overlay's red: nothing else the panel draws is red.
int RedPixels(PicturePanel* panel) {
    const QImage image = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    }
    return count;
}

constexpr int kStraight = 4;  // the first scene with the transmit spectrum panel

TEST_F(TheoryOverlayTest, PaintedOverTheSpectrumAndFollowsTheSettings) {
    auto* action = Window().findChild<QAction*>(QStringLiteral("ViewTheory"));
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isCheckable());
    PickScene(kStraight);
    Ticks(10);
    Settle();
    PicturePanel* panel = Panel(PictureId::picTxSpectrum);
    const QImage before = panel->Image();
    EXPECT_EQ(RedPixels(panel), 0);
    action->trigger();
    EXPECT_TRUE(Window().Theory().On());
    EXPECT_GT(RedPixels(panel), 50);
    // Over the picture, never into it.
    EXPECT_EQ(panel->Image(), before);

    const auto unipolar = Window().Theory().Curve();
    ASSERT_TRUE(unipolar.has_value());
    Pick(ListId::cmbMod0, static_cast<int>(Format::Ami));
    Ticks(1);
    const auto ami = Window().Theory().Curve();
    ASSERT_TRUE(ami.has_value());
    EXPECT_GT((*unipolar)[0], 100 * (*ami)[0]);  // AMI has no power at DC
    Pick(ListId::cmbMod0, static_cast<int>(Format::Hdb3));
    EXPECT_FALSE(Window().Theory().Curve().has_value());

    action->trigger();
    EXPECT_EQ(RedPixels(panel), 0);
    EXPECT_FALSE(Window().Theory().On());
}

}  // namespace
}  // namespace linelab
