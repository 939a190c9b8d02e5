// Pictures at any size: a panel draws the lines it keeps anew for a new size, an export or the
// presentation view, never stretching pixels; a paused window keeps its pictures through a
// resize and a change of scene; a switched-off panel shows its hint.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/PictureExport.h"
#include "app/qt/PresentationView.h"

namespace linelab {
namespace {

const QColor kRed(255, 0, 0);

// Pixels that are neither white nor `ink`: what a stretched or smoothed picture shows.
int Blurred(const QImage& image, QColor ink) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c != QColor(Qt::white) && c != ink ? 1 : 0;
        }
    return count;
}

int InkRows(const QImage& image, int x, QColor ink) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        rows += image.pixelColor(x, y) == ink ? 1 : 0;
    return rows;
}

// A red line across the middle of a 100x50 panel.
void DrawMiddleLine(PicturePanel& panel) {
    panel.resize(100, 50);
    panel.SetColour(255);
    panel.Line(0, 375, 1500, 375);
    panel.Flush();
}

TEST(PictureScale, ANewSizeDrawsTheKeptLinesAgainOnePixelWide) {
    PicturePanel panel;
    DrawMiddleLine(panel);
    for (QSize size : {QSize(300, 150), QSize(40, 20), QSize(100, 50)}) {
        panel.resize(size);
        const QImage& image = panel.Image();
        EXPECT_EQ(InkRows(image, image.width() / 2, kRed), 1) << size.width();
        EXPECT_EQ(Blurred(image, kRed), 0) << size.width();
    }
}

// An eye keeps the traces of its recent runs, not of every run it ever drew.
TEST(PictureScale, KeptLinesAreBounded) {
    PicturePanel panel;
    panel.resize(100, 50);
    for (int run = 0; run < 200; ++run) {
        for (int i = 0; i < 3000; ++i)
            panel.Line(0, i % 750, 1500, i % 750);
        panel.Flush();
    }
    EXPECT_GE(panel.KeptLines(), 3000);
    EXPECT_LE(panel.KeptLines(), 70000);
}

TEST(PictureScale, AnExportAtThreeTimesIsThreeTimesTheSizeAndAsSharp) {
    PicturePanel panel;
    DrawMiddleLine(panel);
    const QImage one = RenderPicture(panel, 1);
    const QImage three = RenderPicture(panel, 3);
    EXPECT_EQ(three.size(), one.size() * 3);
    // Inside the panel's border.
    const QRect area(panel.DrawingRect().topLeft() * 3, panel.DrawingRect().size() * 3);
    const QImage drawing =
        three.copy(area.adjusted(4, 4, -4, -4)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Blurred(drawing, kRed), 0);
    EXPECT_EQ(InkRows(drawing, drawing.width() / 2, kRed), 3);  // one pixel, three times
}

TEST(PictureScale, AnSvgExportDrawsTheTracesAsLines) {
    PicturePanel panel;
    DrawMiddleLine(panel);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("panel.svg"));
    ASSERT_FALSE(ExportPicture(panel, file));
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_FALSE(text.contains("<image"));
    EXPECT_TRUE(text.contains("polyline") || text.contains("<path")) << text.left(400).data();
}

class PausedPictureTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        PickScene(kFullChannel);
        Ticks(3);
        Settle();
    }
    static constexpr std::array<PictureId, 6> kPictures = {
        PictureId::picTxEye,      PictureId::picChannelEye,      PictureId::picRxEye,
        PictureId::picTxSpectrum, PictureId::picChannelSpectrum, PictureId::picRxSpectrum};
    // What the panel shows on screen, drawing area only.
    bool ShowsPicture(PictureId id) {
        PicturePanel* panel = Panel(id);
        return !IsBlank(
            panel->grab(panel->DrawingRect()).toImage().convertToFormat(QImage::Format_RGB32));
    }
};

TEST_F(PausedPictureTest, AResizeAndASceneChangeKeepThePictures) {
    Window().resize(Window().size() - QSize(120, 80));
    Settle();
    for (PictureId id : kPictures)
        EXPECT_TRUE(ShowsPicture(id)) << NameOf(id);
    PickScene(kNoise);
    for (PictureId id : kPictures) {
        if (Panel(id)->isVisible()) {
            EXPECT_TRUE(ShowsPicture(id)) << NameOf(id);
        }
    }
}

TEST_F(PausedPictureTest, ASwitchedOffPanelShowsItsHintNotItsOldPicture) {
    W().Check(CheckId::chkChannelSpectrum)->click();
    Settle();
    EXPECT_FALSE(Panel(PictureId::picChannelSpectrum)->OffHint().isEmpty());
    const QImage shown = Panel(PictureId::picChannelSpectrum)->grab().toImage();
    EXPECT_EQ(InkRows(shown, shown.width() / 3, Qt::black), 0);  // no trace left
}

// From actual size on (below it the panels share the window's room, so that back at actual
// size the window fits as it did).
TEST_F(PausedPictureTest, ZoomInGrowsEveryPanel) {
    for (int step = 0; step < 3; ++step) {
        std::vector<QSize> before;
        for (PicturePanel* panel : W().pictures)
            before.push_back(panel->size());
        Window().ZoomIn();
        Settle();
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (W().pictures[i]->isHidden()) continue;
            EXPECT_GT(W().pictures[i]->width(), before[i].width()) << step << " " << i;
            EXPECT_GT(W().pictures[i]->height(), before[i].height()) << step << " " << i;
        }
    }
    Window().ZoomActual();
}

TEST_F(PausedPictureTest, ADoubleClickShowsAPanelLargeUntilEscape) {
    PicturePanel* eye = Panel(PictureId::picRxEye);
    QTest::mouseDClick(eye, Qt::LeftButton);
    Settle();
    ASSERT_TRUE(Window().Presenting());
    EXPECT_EQ(Window().Presentation().Panel(), eye);
    const QRect large = Window().Presentation().PanelRect();
    EXPECT_GT(large.width(), 2 * eye->width());
    EXPECT_GT(large.height(), 2 * eye->height());
    EXPECT_FALSE(Blank(PictureId::picRxEye));  // the double click did not clear the eye
    QTest::keyClick(&Window().Presentation(), Qt::Key_Escape);
    EXPECT_FALSE(Window().Presenting());
}

}  // namespace
}  // namespace linelab
