// The window on a real X server (Xvfb, with or without a window manager; ctest label xvfb):
// a seeded tour of scenes, a lesson, zoom steps and a panel shown large, and after each
// step what the server shows is compared, region by region, with what the window paints
// itself, and every stage's frame must hold its column under its title. The offscreen
// platform paints everything anew for each grab, so stale or misplaced paint shows only
// here. Skipped on any other platform.

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <random>

#include "WindowFixture.h"
#include "app/qt/ChainArea.h"
#include "app/qt/LessonActions.h"

namespace linelab {
namespace {

// Room the area's painter gives a stage frame around its cells: its pad and its title.
constexpr int kFrameRoom = 8 + 18;

struct Region {
    QString name;
    QRect rect;  // in the chain area's pixels
};

// A panel of each stage column, which its frame must hold.
constexpr std::array<std::array<PictureId, 2>, kStageColumns> kColumnPanels = {{
    {PictureId::picTxEye, PictureId::picTxSpectrum},
    {PictureId::picChannelEye, PictureId::picChannelSpectrum},
    {PictureId::picRxEye, PictureId::picRxSpectrum},
    {PictureId::picData, PictureId::picRxData},
}};

class RealDisplayTest : public WindowFixture {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "needs an X server (ctest -L xvfb)";
        WindowFixture::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        Show();
    }

    // Pending layouts, paints and their trip to the server.
    void Show() {
        for (int i = 0; i < 3; ++i) {
            QGuiApplication::sync();
            QTest::qWait(15);
        }
    }

    // What the server shows of the chain area, and what the area paints itself, both in
    // the area's pixels; the part of the area its scroll area shows.
    QRect Visible() {
        const QWidget* viewport = Window().findChild<QScrollArea*>()->viewport();
        return QRect(Window().Area().mapFrom(viewport, QPoint(0, 0)), viewport->size());
    }
    QImage Screen() {
        const QRect visible = Visible();
        const QPoint at = Window().Area().mapToGlobal(visible.topLeft());
        QImage shown = Window()
                           .screen()
                           ->grabWindow(0, at.x(), at.y(), visible.width(), visible.height())
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
        QImage image(Window().Area().size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter(&image).drawImage(visible.topLeft(), shown);
        return image;
    }
    QImage Painted() {
        return Window().Area().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::vector<Region> Regions() {
        std::vector<Region> regions;
        const ChainLayout& layout = Window().Area().Layout();
        for (int c = 0; c < kStageColumns; ++c) {
            const QRect cells = layout.StageRect(c);
            if (!cells.isEmpty())
                regions.push_back({QStringLiteral("stage %1").arg(c),
                                   cells.adjusted(-kFrameRoom, -kFrameRoom, kFrameRoom, 8)});
        }
        for (int i = 0; i < CountOf<PictureId>(); ++i) {
            const PicturePanel* panel = W().pictures[static_cast<std::size_t>(i)];
            if (panel->isVisible())
                regions.push_back({QStringLiteral("panel %1").arg(i), panel->geometry()});
        }
        return regions;
    }

    // Every stage frame holds its column's shown panels and stands below the top bar.
    void ExpectFramesHoldTheirColumns(const std::string& step) {
        const ChainLayout& layout = Window().Area().Layout();
        if (!layout.Full()) return;
        for (int c = 0; c < kStageColumns; ++c) {
            const QRect cells = layout.StageRect(c);
            for (PictureId id : kColumnPanels[static_cast<std::size_t>(c)]) {
                const PicturePanel* panel = Panel(id);
                if (!panel->isVisible()) continue;
                EXPECT_TRUE(cells.contains(panel->geometry()))
                    << step << ": column " << c << " frame " << cells.top() << ".."
                    << cells.bottom() << " misses panel " << static_cast<int>(id) << " at "
                    << panel->geometry().top() << ".." << panel->geometry().bottom();
            }
            EXPECT_GT(cells.top() - kFrameRoom, layout.TopBarRect().bottom())
                << step << ": column " << c << "'s title under the top bar";
        }
    }

    // What the server shows matches the window's own painting, region by region: a frame,
    // a title or a panel missing or misplaced on the screen fails.
    void ExpectScreenShowsThePainting(const std::string& step) {
        const QImage shown = Screen();
        const QImage painted = Painted();
        ASSERT_EQ(shown.size(), painted.size());
        const QRect visible = Visible();
        for (const Region& region : Regions()) {
            const QRect r = region.rect & visible;
            if (r.isEmpty()) continue;
            int differ = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
                const auto* b = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
                for (int x = r.left(); x <= r.right(); ++x)
                    differ += std::abs(qGray(a[x]) - qGray(b[x])) > 48 ? 1 : 0;
            }
            EXPECT_LT(differ, std::max(4, r.width() * r.height() / 200))
                << step << ": " << region.name.toStdString() << " differs in " << differ
                << " pixels of " << r.width() << "x" << r.height();
        }
        if (const QString folder = qEnvironmentVariable("LINELAB_SHOTS"); !folder.isEmpty())
            shown.save(QDir(folder).filePath(QString::fromStdString(step) + ".png"));
    }

    void Check(const std::string& step) {
        Show();
        ExpectFramesHoldTheirColumns(step);
        ExpectScreenShowsThePainting(step);
    }
};

// Scene changes in a shuffled order (the same each time), then a lesson, zoom steps and a
// panel shown large and back: each leaves the screen as the window paints it.
TEST_F(RealDisplayTest, EveryStepOfATourShowsWhatTheWindowPaints) {
    std::vector<int> scenes = {1, 2, 3, 4, 5, 6, 0, 6, 4};
    std::shuffle(scenes.begin(), scenes.end(), std::mt19937(32));
    for (int scene : scenes) {
        PickScene(scene);
        Ticks(2);
        Check("scene-" + std::to_string(scene));
    }
    Window().Lessons().OpenAndReport(
        QDir(LessonActions::ExamplesFolder()).filePath(QStringLiteral("echo-band-limited.json")));
    Ticks(2);
    Check("lesson");
    Window().ZoomIn();
    Check("zoom-in");
    Window().ZoomOut();
    Check("zoom-out");
    Window().Present(Panel(PictureId::picRxEye));
    Show();
    Window().EndPresentation();
    Check("shown-large-and-back");
}

}  // namespace
}  // namespace linelab
