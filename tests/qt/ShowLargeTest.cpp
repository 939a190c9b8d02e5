// One panel shown large draws what the panel shows, at the large size: a density eye fills
// the drawing, and a trace drawn two pixels thick stays one trace. With LINELAB_SHOTS set
// to a folder, the pictures looked at are saved there too.

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "WindowFixture.h"
#include "app/qt/MeasureView.h"
#include "app/qt/PictureExport.h"
#include "app/qt/PresentationView.h"

namespace linelab {
namespace {


void Keep(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("LINELAB_SHOTS");
    if (!folder.isEmpty()) image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

bool Coloured(QColor c) {
    return c.saturation() > 100 && c.value() > 60;
}

// A density eye's colours run from dark red to pale yellow; the markers are green.
bool DensityColoured(QColor c) {
    return Coloured(c) && (c.hue() < 70 || c.hue() > 300);
}

class ShowLargeTest : public WindowFixture {
  protected:
    QImage ShowLarge(PictureId id, const QString& shot) {
        Window().Present(Panel(id));
        Settle();
        EXPECT_TRUE(Window().Presenting());
        QImage image =
            Window().Presentation().grab().toImage().convertToFormat(QImage::Format_RGB32);
        Keep(Window().grab().toImage(), shot);
        return image;
    }
};

// The density's coloured pixels' bounds inside `area`.
QRect ColouredBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (DensityColoured(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST_F(ShowLargeTest, ADensityEyeFillsTheDrawingShownLarge) {
    PickScene(kFullChannel);
    Window().Measures().SetDensity(true);
    Ticks(12);
    Settle();
    Keep(Window().grab().toImage(), QStringLiteral("density-in-place"));
    const QImage image = ShowLarge(PictureId::picRxEye, QStringLiteral("density-shown-large"));
    const QRect area = Window().Presentation().PanelRect();
    const QRect bounds = ColouredBounds(image, area);
    EXPECT_GT(bounds.width(), area.width() * 3 / 4) << bounds.width() << " of " << area.width();
    EXPECT_GT(bounds.height(), area.height() / 4) << bounds.height() << " of " << area.height();
}

// Runs of ink down one column of the drawing: a level line crossed is one run, however thick.
int InkRuns(const QImage& image, int x, const QRect& area) {
    int runs = 0;
    bool inside = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QColor c = image.pixelColor(x, y);
        const bool ink = c.value() < 160 || Coloured(c);
        if (ink && !inside) ++runs;
        inside = ink;
    }
    return runs;
}

TEST_F(ShowLargeTest, AStripShownLargeDrawsEachLevelOnce) {
    PickScene(kFullChannel);
    Ticks(3);
    Settle();
    const QImage image = ShowLarge(PictureId::picCodedData, QStringLiteral("coded-shown-large"));
    // Inside the panel's frame and bands: the middle half of its width, its drawing's height.
    const QRect panel = Window().Presentation().PanelRect();
    const QRect area(panel.left() + panel.width() / 4, panel.top() + panel.height() / 6,
                     panel.width() / 2, panel.height() * 2 / 3);
    int doubled = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        doubled += InkRuns(image, x, area) > 1 ? 1 : 0;
    EXPECT_LT(doubled, area.width() / 20) << doubled << " of " << area.width() << " columns";
}

// The receive eye's thresholds, drawn two lines two thirds of a pixel apart in the panel,
// stay one line each shown large.
TEST_F(ShowLargeTest, TheReceiveEyeThresholdsShowOnceEach) {
    PickScene(kFullChannel);
    Ticks(3);
    Settle();
    const PicturePanel::ValueAxis values = Panel(PictureId::picRxEye)->Values();
    std::set<double> shown;
    for (double mark : values.marks)
        if (mark < std::max(values.top, values.bottom) &&
            mark > std::min(values.top, values.bottom))
            shown.insert(mark);
    ASSERT_FALSE(shown.empty());
    const QImage image = ShowLarge(PictureId::picRxEye, QStringLiteral("rx-eye-shown-large"));
    const QRect panel = Window().Presentation().PanelRect();
    // A column a quarter of the way in, clear of the sampling instant's line.
    const int x = panel.left() + panel.width() / 4;
    int runs = 0;
    bool inside = false;
    for (int y = panel.top() + 20; y < panel.bottom() - 20; ++y) {
        const QColor c = image.pixelColor(x, y);
        const bool green = Coloured(c) && c.hue() >= 90 && c.hue() <= 150;
        if (green && !inside) ++runs;
        inside = green;
    }
    EXPECT_EQ(runs, static_cast<int>(shown.size()));
}

// Where the window's own labels stand under a spectrum (Tx Filter), the spectrum shown
// large numbers its kilohertz itself: the labels are not under it there.
TEST_F(ShowLargeTest, ASpectrumNumberedByLabelsBeneathNumbersItselfShownLarge) {
    constexpr int kTxFilter = 2;
    PickScene(kTxFilter);
    Ticks(2);
    Settle();
    const QImage image =
        ShowLarge(PictureId::picChannelSpectrum, QStringLiteral("tx-filter-spectrum-shown-large"));
    const QRect panel = Window().Presentation().PanelRect();
    // The band under the drawing, its middle third: "1", "2" and "3" are there, ticks are
    // light grey and nothing else is.
    const QRect band(panel.left() + panel.width() / 3, panel.bottom() - 24, panel.width() / 3, 22);
    int text = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            text += image.pixelColor(x, y).value() < 120 ? 1 : 0;
    EXPECT_GT(text, 10);
}

// The height of the text (dark pixels) inside `r`, 0 for none.
int InkHeight(const QImage& image, const QRect& r) {
    int top = -1, bottom = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).value() < 130) {
                if (top < 0) top = y;
                bottom = y;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

// The thinnest run of trace down column `x` of `r`: a level line's thickness.
int TraceWidth(const QImage& image, int x, const QRect& r) {
    int thinnest = 0, run = 0;
    for (int y = r.top(); y <= r.bottom() + 1; ++y) {
        const bool ink = y <= r.bottom() && Coloured(image.pixelColor(x, y));
        if (ink) ++run;
        if (!ink && run > 0) {
            thinnest = thinnest == 0 ? run : std::min(thinnest, run);
            run = 0;
        }
    }
    return thinnest;
}

QImage Grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Shown large, a strip's name and its trace grow with the picture, and the receive eye's
// BER is at least as large as the window shows it.
TEST_F(ShowLargeTest, NamesTracesAndTheBerGrowWithThePicture) {
    PickScene(kFullChannel);
    Ticks(3);
    Settle();
    PicturePanel* coded = Panel(PictureId::picCodedData);
    const QImage small = Grabbed(coded);
    const QRect drawing = coded->DrawingRect();
    const int name = InkHeight(small, QRect(1, 1, drawing.left() - 2, coded->height() - 2));
    const int trace = TraceWidth(small, drawing.center().x(), drawing);
    const QImage large = ShowLarge(PictureId::picCodedData, QStringLiteral("coded-large-sizes"));
    const QRect panel = Window().Presentation().PanelRect();
    EXPECT_GE(InkHeight(large, QRect(panel.left() + 1, panel.top() + 1, panel.width() / 12,
                                     panel.height() - 2)),
              name * 3 / 2)
        << "the strip's name";
    EXPECT_GE(TraceWidth(large, panel.center().x(), panel.adjusted(0, 10, 0, -10)), 2 * trace)
        << "the trace, " << trace << " in place";
    Window().EndPresentation();

    const int ber = InkHeight(Grabbed(W().Label(LabelId::lblBER)),
                              QRect(QPoint(0, 0), W().Label(LabelId::lblBER)->size()));
    const QImage eye = ShowLarge(PictureId::picRxEye, QStringLiteral("rx-eye-large-sizes"));
    const QRect below(0, Window().Presentation().PanelRect().bottom() + 6, eye.width(),
                      QFontMetrics(Window().Presentation().PanelFont()).height() * 2);
    // The first line only: from the top of the readout down to its first blank row.
    int first = 0;
    for (int y = below.top(); y <= below.bottom() && first == 0; ++y) {
        const int line =
            InkHeight(eye, QRect(below.left(), below.top(), below.width(), y - below.top() + 1));
        const bool blank =
            line > 0 && InkHeight(eye, QRect(below.left(), y, below.width(), 1)) == 0;
        if (blank) first = line;
    }
    EXPECT_GE(first, ber * 5 / 4) << "the BER, " << ber << " in the window";
}

// An SVG file drawn back into a picture of `size`.
QImage Rendered(const QString& file, QSize size) {
    QSvgRenderer svg(file);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

using SvgExportTest = ShowLargeTest;

// A trace's pixel: black (the spectra) or coloured, but not the markers' green, which also
// labels the thresholds beside the drawing. The bands' text and ticks are grey.
bool Trace(QColor c) {
    return c.value() < 40 || (Coloured(c) && (c.hue() < 80 || c.hue() > 160));
}

// A spectrum's nulls fall far below its drawing: in the file they stop at its edge, above
// the kHz numbers, as they do on screen.
TEST_F(SvgExportTest, TracesStayInsideTheirPanel) {
    PickScene(kFullChannel);
    Ticks(6);
    Settle();
    QTemporaryDir dir;
    for (PictureId id : {PictureId::picTxSpectrum, PictureId::picRxSpectrum, PictureId::picRxEye}) {
        PicturePanel* panel = Panel(id);
        const QString file = dir.filePath(QStringLiteral("panel.svg"));
        ASSERT_FALSE(ExportPicture(*panel, file));
        if (!qEnvironmentVariable("LINELAB_SHOTS").isEmpty())
            QFile::copy(file,
                        QDir(qEnvironmentVariable("LINELAB_SHOTS"))
                            .filePath(QStringLiteral("panel-%1.svg").arg(static_cast<int>(id))));
        const QImage image = Rendered(file, panel->size());
        Keep(image, QStringLiteral("svg-panel-%1").arg(static_cast<int>(id)));
        const QRect drawing = panel->DrawingRect();
        QString outside;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!drawing.adjusted(-1, -1, 1, 1).contains(x, y) && Trace(image.pixelColor(x, y)))
                    outside += QStringLiteral(" %1,%2 %3")
                                   .arg(x)
                                   .arg(y)
                                   .arg(image.pixelColor(x, y).name());
        EXPECT_TRUE(outside.isEmpty())
            << panel->Title().toStdString() << ", drawing " << drawing.left() << ","
            << drawing.top() << " " << drawing.width() << "x" << drawing.height() << ":"
            << outside.left(300).toStdString();
    }
}

// The whole window with every eye full: small enough to mail, and a density eye's hidden
// line eye left out.
TEST_F(SvgExportTest, TheWholeWindowStaysUnderAMegabyte) {
    PickScene(kFullChannel);
    Ticks(25);
    Settle();
    QTemporaryDir dir;
    const QString lines = dir.filePath(QStringLiteral("lines.svg"));
    ASSERT_FALSE(ExportPicture(Window(), lines));
    EXPECT_LT(QFileInfo(lines).size(), 1 << 20);
    Keep(Rendered(lines, Window().size()), QStringLiteral("svg-window"));
    Window().Measures().SetDensity(true);
    Ticks(2);
    const QString density = dir.filePath(QStringLiteral("density.svg"));
    ASSERT_FALSE(ExportPicture(*Panel(PictureId::picRxEye), density));
    QFile file(density);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // The density picture is the drawing; no traces or picture of them lie under it.
    EXPECT_EQ(text.count("<image"), 1);
    EXPECT_LT(text.size(), 400000);
}

}  // namespace
}  // namespace linelab
