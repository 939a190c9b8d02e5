// The parts a picture panel is made of, each on its own: the axes' ticks and numbers, the
// one-pixel rasteriser, and the scope that makes the panels of one widget paint as lines.

#include <gtest/gtest.h>

#include <QImage>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "app/qt/LineRaster.h"
#include "app/qt/PanelAxes.h"
#include "app/qt/PicturePanel.h"
#include "app/qt/TickLabelLayout.h"

namespace linelab {
namespace {

using axes::Tick;

struct StepCase {
    double span;
    int count;
    double step;
};
class NiceStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(NiceStepTest, IsOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(axes::NiceStep(GetParam().span, GetParam().count), GetParam().step);
}
INSTANTIATE_TEST_SUITE_P(Spans, NiceStepTest,
                         ::testing::Values(StepCase{2, 4, 0.5}, StepCase{2, 5, 0.5},
                                           StepCase{2, 10, 0.2}, StepCase{1.6, 4, 0.5},
                                           StepCase{10, 3, 2}, StepCase{1, 1, 1},
                                           StepCase{0.07, 3, 0.02}, StepCase{900, 1, 1000},
                                           StepCase{0, 4, 0}, StepCase{-1, 4, 0},
                                           StepCase{1, 0, 0}));

struct TextCase {
    double v;
    double step;
    const char* text;
};
class ValueTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(ValueTextTest, HasTheDecimalsOfItsStep) {
    EXPECT_EQ(axes::ValueText(GetParam().v, GetParam().step), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Values, ValueTextTest,
    ::testing::Values(TextCase{0.5, 0.5, "0.5"}, TextCase{1, 0.5, "1.0"}, TextCase{-1, 0.2, "-1.0"},
                      TextCase{2, 1, "2"}, TextCase{20, 10, "20"}, TextCase{0.25, 0.05, "0.25"},
                      TextCase{1e-17, 0.1, "0.0"}, TextCase{-1e-17, 0.1, "0.0"},
                      TextCase{0.69, 0.01, "0.69"}, TextCase{0.123456, 1e-7, "0.1235"}));

std::vector<double> Positions(const std::vector<Tick>& ticks) {
    std::vector<double> at;
    for (const Tick& t : ticks)
        at.push_back(t.at);
    return at;
}
std::vector<std::string> Labels(const std::vector<Tick>& ticks) {
    std::vector<std::string> labels;
    for (const Tick& t : ticks)
        labels.push_back(t.label);
    return labels;
}

TEST(ValueTicksTest, RunFromTopToBottomAtEveryStepBothEndsIncluded) {
    // 1 at the top edge, -1 at the bottom of 100 px, ticks 0.5 apart.
    const auto ticks = axes::ValueTicks(1, -1, 100, 4);
    EXPECT_EQ(Positions(ticks), (std::vector<double>{100, 75, 50, 25, 0}));
    EXPECT_EQ(Labels(ticks), (std::vector<std::string>{"-1.0", "-0.5", "0.0", "0.5", "1.0"}));
}

TEST(ValueTicksTest, BothEndsOfARangeInTenthsAreTicked) {
    // A step of 0.1 times seven is not exactly 0.7: the last tick must still be there.
    const auto ticks = axes::ValueTicks(0.7, 0, 70, 7);
    ASSERT_EQ(ticks.size(), 8u);
    EXPECT_EQ(ticks.front().label, "0.0");
    EXPECT_EQ(ticks.back().label, "0.7");
    EXPECT_NEAR(ticks.back().at, 0, 1e-9);
}

TEST(ValueTicksTest, NoneWithoutARangeOrARoom) {
    EXPECT_TRUE(axes::ValueTicks(1, 1, 100, 4).empty());
    EXPECT_TRUE(axes::ValueTicks(1, 0, 0, 4).empty());
}

TEST(FrequencyTicksTest, EveryHalfKilohertzNumberedEveryKilohertzButTheLast) {
    const auto ticks = axes::FrequencyTicks(400, true);
    EXPECT_EQ(Positions(ticks), (std::vector<double>{0, 50, 100, 150, 200, 250, 300, 350, 399}));
    EXPECT_EQ(Labels(ticks), (std::vector<std::string>{"0", "", "1", "", "2", "", "3", "", ""}));
    for (const Tick& t : axes::FrequencyTicks(400, false))
        EXPECT_TRUE(t.label.empty());
    EXPECT_TRUE(axes::FrequencyTicks(0, true).empty());
}

struct SymbolCase {
    double width;
    double period;
    double room;
    std::vector<std::string> labels;
};
class SymbolTicksTest : public ::testing::TestWithParam<SymbolCase> {};
TEST_P(SymbolTicksTest, NumberOnlyTicksFarEnoughApart) {
    const SymbolCase& c = GetParam();
    const auto ticks = axes::SymbolTicks(c.width, c.period, c.room);
    EXPECT_EQ(Labels(ticks), c.labels);
    for (size_t k = 0; k < ticks.size(); ++k)
        EXPECT_DOUBLE_EQ(ticks[k].at, k * c.period);
}
INSTANTIATE_TEST_SUITE_P(
    Periods, SymbolTicksTest,
    ::testing::Values(SymbolCase{100, 30, 20, {"0", "1", "2", "3"}},
                      SymbolCase{100, 20, 30, {"0", "", "2", "", "4"}},
                      SymbolCase{100, 10, 30, {"0", "", "", "", "", "5", "", "", "", ""}},
                      SymbolCase{100, 3.9, 10, {}}, SymbolCase{0, 10, 10, {}},
                      // The right edge itself is outside: 100 px of 25 px periods is 4 ticks.
                      SymbolCase{100, 25, 10, {"0", "1", "2", "3"}}));

// The rasteriser: pixels set in a white 8x6 image, as rows of '#' and '.'.
std::string Rastered(const QVector<QLineF>& lines) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    RasterLines(image, lines, qRgb(0, 0, 0));
    std::string rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            rows += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

struct RasterCase {
    const char* name;
    QVector<QLineF> lines;
    const char* rows;
};
class RasterLinesTest : public ::testing::TestWithParam<RasterCase> {};
TEST_P(RasterLinesTest, SetsThePixelsOfEachLine) {
    EXPECT_EQ(Rastered(GetParam().lines), GetParam().rows) << GetParam().name;
}
INSTANTIATE_TEST_SUITE_P(
    Lines, RasterLinesTest,
    ::testing::Values(RasterCase{"across",
                                 {QLineF(1.5, 1.2, 6.9, 1.9)},
                                 "........\n.######.\n........\n........\n........\n........\n"},
                      RasterCase{"down, backwards",
                                 {QLineF(2, 5, 2, 3)},
                                 "........\n........\n........\n..#.....\n..#.....\n..#.....\n"},
                      RasterCase{"diagonal",
                                 {QLineF(0, 0, 3, 3)},
                                 "#.......\n.#......\n..#.....\n...#....\n........\n........\n"},
                      RasterCase{"a point",
                                 {QLineF(7, 5, 7.9, 5.9)},
                                 "........\n........\n........\n........\n........\n.......#\n"},
                      RasterCase{"clipped at both ends",
                                 {QLineF(-50, 2, 50, 2)},
                                 "........\n........\n########\n........\n........\n........\n"},
                      RasterCase{"far outside",
                                 {QLineF(-1e300, 0, 1e300, 0), QLineF(9, 0, 20, 5)},
                                 "########\n........\n........\n........\n........\n........\n"},
                      RasterCase{"all outside",
                                 {QLineF(-3, -3, -1, 9), QLineF(0, 6, 7, 6)},
                                 "........\n........\n........\n........\n........\n........\n"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(ExportScopeTest, HoldsThePanelsOfItsWidgetOnlyAndOnlyWhileItLives) {
    QWidget window;
    auto* inside = new PicturePanel(&window);
    auto* nested = new PicturePanel(new QWidget(&window));
    PicturePanel elsewhere;
    {
        const PicturePanel::ExportScope scope(window);
        EXPECT_TRUE(inside->Exporting());
        EXPECT_TRUE(nested->Exporting());
        EXPECT_FALSE(elsewhere.Exporting());
        {
            const PicturePanel::ExportScope alone(elsewhere);
            EXPECT_TRUE(elsewhere.Exporting());
        }
        EXPECT_FALSE(elsewhere.Exporting());
        delete nested;  // a panel gone before the scope ends is passed over
    }
    EXPECT_FALSE(inside->Exporting());
}

// Labels under a spectrum stand on its ticks: nine labels over a drawing from 40 to 440
// in a 460-pixel row, centred on every 50 pixels, the ends held inside the row.
TEST(TickLabelLayoutTest, CentresEachLabelOnItsTick) {
    const QList<int> widths = {10, 20, 10, 20, 10, 20, 10, 20, 60};
    const QList<int> lefts = TickLabelLayout::Lefts(460, 40, 400, widths);
    EXPECT_EQ(lefts, (QList<int>{35, 80, 135, 180, 235, 280, 335, 380, 400}));
    // A label wider than the room before the first tick starts at the row's edge.
    EXPECT_EQ(TickLabelLayout::Lefts(100, 2, 90, {30, 30}), (QList<int>{0, 70}));
}

// A linear spectrum's numbers reach 18000: the band is wide enough for all of them.
TEST(ValueAxisBandTest, IsAsWideAsItsLongestNumber) {
    PicturePanel panel;
    panel.resize(300, 200);
    PicturePanel::ValueAxis axis;
    axis.top = 1;
    axis.bottom = -1;
    panel.SetValueAxis(axis);
    const int narrow = panel.DrawingRect().left();
    axis.top = 18000;
    axis.bottom = 0;
    panel.SetValueAxis(axis);
    const QFontMetrics fm = panel.fontMetrics();
    EXPECT_GE(panel.DrawingRect().left() - narrow,
              fm.horizontalAdvance(QStringLiteral("18000")) -
                  fm.horizontalAdvance(QStringLiteral("-0.00")));
    EXPECT_GT(panel.DrawingRect().left(), fm.horizontalAdvance(QStringLiteral("18000")));
}

}  // namespace
}  // namespace linelab
