// The window on the screen it opens on: within its available area and centred, and every
// scene's controls and bit error rate in view or reachable by scrolling. The same tests run
// on a 1280x800 screen, a 1024x768 projector and a 1920x1080 screen at 200 % (see
// CMakeLists.txt).

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "WindowFixture.h"
#include "app/qt/BerCurveWindow.h"
#include "app/qt/ChainArea.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

class ScreenFitTest : public WindowFixture {
  protected:
    QRect Available() { return Window().screen()->availableGeometry(); }
    QScrollArea* Scroll() { return Window().findChild<QScrollArea*>(); }
    // The screen has at least the room of a 1024x768 projector: no scene needs scrolling.
    bool Roomy() { return Available().width() >= 1024 && Available().height() >= 768; }
};

TEST_F(ScreenFitTest, OpensWithinTheAvailableAreaCentred) {
    const QRect available = Available();
    const QRect frame = Window().frameGeometry();
    EXPECT_TRUE(available.contains(frame)) << frame.width() << "x" << frame.height();
    EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - available.center().y()), 1);
}

TEST_F(ScreenFitTest, EveryControlOfEverySceneCanBeReached) {
    QScrollArea* scroll = Scroll();
    ASSERT_NE(scroll, nullptr);
    for (int scene = 0; scene < kSceneCount; ++scene) {
        PickScene(scene);
        if (Roomy()) {
            EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "scene " << scene;
            EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << "scene " << scene;
        }
        const QRect view(QPoint(0, 0), scroll->viewport()->size());
        for (ControlRef control : AllControls()) {
            QWidget* widget = W().WidgetOf(control);
            if (widget == nullptr || !widget->isVisibleTo(&Window())) continue;
            scroll->ensureWidgetVisible(widget, 0, 0);
            Settle();
            const QRect shown(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(view.contains(shown) ||
                        (shown.width() > view.width() || shown.height() > view.height()))
                << "scene " << scene << ": " << NameOf(control);
        }
        scroll->ensureVisible(0, 0);
    }
}

// The eyes and spectra of Full Channel cover this share of a window filling the screen: 40 %
// on a 1280x800 screen, 30 % on a 1024x768 projector.
TEST_F(ScreenFitTest, ThePicturesTakeTheRoom) {
    Window().setGeometry(Available());
    PickScene(6);
    double pictures = 0;
    for (const PanelDescriptor& d : kPanelTable) {
        if (d.kind == PanelKind::Strip) continue;  // the eyes and spectra
        const PicturePanel* panel = Panel(d.picture);
        pictures += double(panel->width()) * panel->height();
    }
    const double share = pictures / (double(Window().width()) * Window().height());
    const bool laptop = Available().width() >= 1280 && Available().height() >= 800;
    EXPECT_GE(share, laptop ? 0.40 : Roomy() ? 0.30 : 0.10) << Available().width();
}

// A noise level typed changes the readout beside it, never a column: no horizontal scroll.
TEST_F(ScreenFitTest, TypingANoiseLevelMovesNoColumn) {
    if (!Roomy()) GTEST_SKIP() << "the screen scrolls anyway";
    QScrollArea* scroll = Scroll();
    for (int scene = 0; scene < kSceneCount; ++scene) {
        PickScene(scene);
        if (!W().List(ListId::cmbNoise)->isVisible()) continue;
        const QRect eye = Panel(PictureId::picRxEye)->geometry();
        ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.4"));
        Ticks(1);
        Settle();
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "scene " << scene;
        EXPECT_EQ(Panel(PictureId::picRxEye)->geometry(), eye) << "scene " << scene;
        ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "None"));
    }
}

TEST_F(ScreenFitTest, TheBerCurveWindowOpensWithinTheScreen) {
    Window().ShowBerCurve();
    Settle();
    EXPECT_TRUE(Available().contains(Window().BerCurve()->frameGeometry()))
        << Window().BerCurve()->frameGeometry().height();
}

}  // namespace
}  // namespace linelab
