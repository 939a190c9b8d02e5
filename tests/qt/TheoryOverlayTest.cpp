// View > Theory over the transmit spectrum panel.

#include <QAction>
#include <QTest>
#include <optional>

#include "WindowFixture.h"
#include "app/qt/RunStatus.h"
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

// Each scene: whether the spectrum's box is ticked first, the panel the curve must be seen
// on (none), and what the status line then says.
struct SceneCase {
    int scene;
    bool tick;
    std::optional<PictureId> shownOn;
    const char* note;  // a part of the status line's note; "" for none
};

class TheoryInSceneTest : public WindowFixture, public ::testing::WithParamInterface<SceneCase> {};

TEST_P(TheoryInSceneTest, IsDrawnOrSaysWhyNot) {
    const SceneCase& c = GetParam();
    PickScene(c.scene);
    if (c.tick) {
        for (CheckId id : {CheckId::chkTxSpectrum, CheckId::chkChannelSpectrum})
            if (Model().Check(id).visible) Model().SetCheckValue(id, 1);
    }
    Ticks(3);
    Window().Theory().SetOn(true);
    Settle();
    for (PictureId id : {PictureId::picTxSpectrum, PictureId::picChannelSpectrum}) {
        if (Panel(id)->isHidden()) continue;
        const bool expected = c.shownOn == id;
        EXPECT_EQ(RedPixels(Panel(id)) > 50, expected)
            << "scene " << c.scene << " panel " << static_cast<int>(id);
    }
    const QString note = Window().Status().Note();
    if (*c.note == 0) {
        EXPECT_FALSE(note.startsWith(QStringLiteral("Theory"))) << note.toStdString();
    } else {
        EXPECT_TRUE(note.contains(QString::fromLatin1(c.note))) << note.toStdString();
    }
}
INSTANTIATE_TEST_SUITE_P(Scenes, TheoryInSceneTest,
                         ::testing::Values(SceneCase{0, false, std::nullopt, "shows no spectrum"},
                                           SceneCase{1, false, std::nullopt, "shows no spectrum"},
                                           SceneCase{2, false, std::nullopt,
                                                     "tick the box of the channel spectrum"},
                                           SceneCase{2, true, PictureId::picChannelSpectrum, ""},
                                           SceneCase{3, true, PictureId::picChannelSpectrum, ""},
                                           SceneCase{4, true, PictureId::picTxSpectrum, ""},
                                           SceneCase{6, true, PictureId::picTxSpectrum, ""}));

}  // namespace
}  // namespace linelab
