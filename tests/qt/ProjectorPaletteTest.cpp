// View > High Contrast, the palette for a projector: markers that stand 3:1 against the panel,
// their numbers 4.5:1, colours drawn together that stay apart for the common colour-vision
// deficiencies, and markers at least two device pixels wide in either palette. Also run on a
// real X server (ctest label xvfb).

#include <QAction>
#include <cmath>

#include "WindowFixture.h"
#include "app/qt/BgrColour.h"
#include "common/Colours.h"

namespace linelab {
namespace {

double Linear(double channel) {
    const double c = channel / 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The relative luminance and contrast ratio of web accessibility guidelines.
double Luminance(QColor c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A colour as seen with protanopia or deuteranopia (Vienot, Brettel and Mollon's linear
// RGB projections), as linear RGB.
enum class Vision { Protan, Deutan };
std::array<double, 3> Seen(QColor c, Vision v) {
    const double r = Linear(c.red()), g = Linear(c.green()), b = Linear(c.blue());
    const double k = v == Vision::Protan ? 0.11238 : 0.29275;
    const double d = v == Vision::Protan ? 0.00401 : -0.02234;
    const double rg = k * r + (1 - k) * g;
    return {rg, rg, b + d * (g - r)};
}
double Apart(QColor a, QColor b, Vision v) {
    const auto x = Seen(a, v), y = Seen(b, v);
    return std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]);
}

const QColor kWhite(255, 255, 255);

TEST(ProjectorPaletteTest, MarkersAndTheirNumbersStandAgainstThePanel) {
    EXPECT_LT(Contrast(FromBgr(kGreen), kWhite), 3.0);  // why the palette exists
    EXPECT_GE(Contrast(HighContrastOf(kGreen), kWhite), 3.0);
    EXPECT_GE(Contrast(HighContrastOf(kGreen).darker(200), kWhite), 4.5);
    EXPECT_GE(Contrast(FromBgr(kGreen).darker(200), kWhite), 4.5);  // the numbers, in either
}

// Colours drawn over each other: an eye's traces and markers, a strip and its errors, the
// live and the stored spectrum.
struct Pair {
    int32_t a;
    int32_t b;
};
class ApartTest : public ::testing::TestWithParam<std::tuple<Pair, Vision>> {};
TEST_P(ApartTest, ColoursDrawnTogetherStayApart) {
    const auto [pair, vision] = GetParam();
    EXPECT_GT(Apart(HighContrastOf(pair.a), HighContrastOf(pair.b), vision), 0.15)
        << pair.a << " and " << pair.b;
}
INSTANTIATE_TEST_SUITE_P(Palette, ApartTest,
                         ::testing::Combine(::testing::Values(Pair{kBlue, kGreen},
                                                              Pair{kBlue, kRed},
                                                              Pair{kBlack, kDarkGreen}),
                                            ::testing::Values(Vision::Protan, Vision::Deutan)));

class MarkerWidthTest : public WindowFixture, public ::testing::WithParamInterface<bool> {};

// Down a column of the receive eye a quarter of the way in: each threshold crossed is one
// run of the marker's colour, at least two device pixels tall.
TEST_P(MarkerWidthTest, TheReceiveEyeMarkersAreTwoDevicePixelsWide) {
    auto* action = Window().findChild<QAction*>(QStringLiteral("ViewHighContrast"));
    ASSERT_NE(action, nullptr);
    if (GetParam()) action->trigger();
    PickScene(6);
    Ticks(3);
    Settle();
    PicturePanel* eye = Panel(PictureId::picRxEye);
    const QColor marker = eye->Ink(kGreen);
    EXPECT_EQ(marker, GetParam() ? HighContrastOf(kGreen) : FromBgr(kGreen));
    const QImage image = eye->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = image.devicePixelRatio();
    const QRect area = eye->DrawingRect();
    const int x = static_cast<int>((area.left() + area.width() / 4) * ratio);
    std::vector<int> runs;
    bool inside = false;
    for (int y = static_cast<int>(area.top() * ratio); y < (area.bottom() + 1) * ratio; ++y) {
        const bool on = image.pixelColor(x, y) == marker;
        if (on && !inside) runs.push_back(0);
        if (on) ++runs.back();
        inside = on;
    }
    ASSERT_FALSE(runs.empty());
    for (int run : runs)
        EXPECT_GE(run, 2) << "high contrast " << GetParam();
}
INSTANTIATE_TEST_SUITE_P(Palettes, MarkerWidthTest, ::testing::Bool());

}  // namespace
}  // namespace linelab
