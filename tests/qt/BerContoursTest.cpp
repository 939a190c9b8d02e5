// View > "BER contours" over the receive eye.

#include <QAction>
#include <QDir>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/BerContours.h"
#include "app/qt/PresentationView.h"
#include "display/DrawFrame.h"
#include "display/Plots.h"
#include "ui/FormHost.h"

namespace linelab {
namespace {


// The 1e-6 contour's orange and the 1e-9 contour's purple: nothing else on the eye has them.
int ContourPixels(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool orange = c.red() > 190 && c.green() > 80 && c.green() < 160 && c.blue() < 60;
            const bool purple = c.red() > 110 && c.red() < 190 && c.green() < 60 && c.blue() > 160;
            count += orange || purple;
        }
    }
    return count;
}

class BerContoursTest : public WindowFixture {
  protected:
    BerContours& Contours() { return *Window().findChild<BerContours*>(); }
    QAction* Action() { return Window().findChild<QAction*>(QStringLiteral("ViewBerContours")); }
    // Paints the receive eye (which asks for the contours) and waits for the worker.
    void PaintAndWait() {
        Panel(PictureId::picRxEye)->repaint();
        QTRY_VERIFY_WITH_TIMEOUT(!Contours().Busy(), 20000);
        Settle();
    }
};

TEST_F(BerContoursTest, DrawnOverTheReceiveEyeInPlaceAndLarge) {
    PickScene(kFullChannel);
    // Typed: a noise low enough for every contour to have its place in the eye.
    ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.002"));
    Ticks(5);
    Settle();
    PicturePanel* eye = Panel(PictureId::picRxEye);
    EXPECT_EQ(ContourPixels(eye->grab().toImage()), 0);
    ASSERT_NE(Action(), nullptr);
    Action()->trigger();
    EXPECT_TRUE(Contours().On());
    PaintAndWait();
    ASSERT_NE(Contours().Result(), nullptr);
    EXPECT_TRUE(Contours().Result()->problem.isEmpty())
        << Contours().Result()->problem.toStdString();
    ASSERT_EQ(Contours().Result()->contours.size(), 4u);
    for (const EyeContour& contour : Contours().Result()->contours)
        EXPECT_FALSE(contour.segments.empty()) << contour.rate;
    EXPECT_GT(ContourPixels(eye->grab().toImage()), 50);

    Window().Present(eye);
    Settle();
    const QImage large = Window().Presentation().grab().toImage();
    // LINELAB_SHOTS=folder keeps the picture (the README's).
    if (const QString folder = qEnvironmentVariable("LINELAB_SHOTS"); !folder.isEmpty())
        large.save(QDir(folder).filePath(QStringLiteral("ber-contours.png")));
    EXPECT_GT(ContourPixels(large), 2 * ContourPixels(eye->grab().toImage()));
    Window().EndPresentation();
    Settle();

    Action()->trigger();
    EXPECT_FALSE(Contours().On());
    Settle();
    EXPECT_EQ(ContourPixels(eye->grab().toImage()), 0);
}

TEST_F(BerContoursTest, WorkedOutAgainOnlyWhenTheSettingsChange) {
    PickScene(kFullChannel);
    Ticks(2);
    Action()->trigger();
    PaintAndWait();
    const int jobs = Contours().Jobs();
    EXPECT_GE(jobs, 1);
    Ticks(3);
    PaintAndWait();
    EXPECT_EQ(Contours().Jobs(), jobs);  // runs and repaints alone ask for nothing
    Pick(ListId::cmbMod0, static_cast<int>(Format::Ami));
    Ticks(1);
    PaintAndWait();
    EXPECT_EQ(Contours().Jobs(), jobs + 1);
}

// The contours' scale is the eye's own: the sampling marker's place for every instant and the
// threshold marker's height for the threshold in use.
TEST_F(BerContoursTest, MapsOntoTheEyesMarkers) {
    PickScene(kFullChannel);
    Ticks(2);
    Settle();
    const std::optional<ContourMap> map = ContourMapOf(Model());
    ASSERT_TRUE(map.has_value());
    const RunState& s = Model().State();
    const int width = Model().CanvasOf(PictureId::picRxEye).ScaleWidth();
    const int height = Model().CanvasOf(PictureId::picRxEye).ScaleHeight();
    EyeView view = EyeViewOf(Model().Controls(), s.dBaudRate);
    for (int instant : {-32, -17, 0, 5, 32}) {
        view.samplingOffset = instant;
        const std::optional<double> x = EyeSamplingX(view, width);
        ASSERT_TRUE(x.has_value());
        EXPECT_NEAR(map->X(instant), *x / kUnitsPerPixel, 1e-9) << instant;
    }
    const std::vector<Segment> markers =
        EyeMarkersOf(EyePanel::Rx, s.dThresholds, view, width, height);
    ASSERT_GE(markers.size(), 2u);
    EXPECT_NEAR(map->Y(s.dThresholds[0]) * kUnitsPerPixel, (markers[0].y1 + markers[1].y1) / 2,
                1e-6);
}

}  // namespace
}  // namespace linelab
