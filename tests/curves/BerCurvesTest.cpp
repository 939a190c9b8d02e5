// The BER Curve window's data: points as they arrive, what is plotted, the CSV.

#include <gtest/gtest.h>

#include <cmath>

#include "app/curves/BerCurves.h"
#include "sweep/SweepCsv.h"
#include "tests/support/FilterRecords.h"
#include "ui/ListTexts.h"

namespace linelab {
namespace {

BerCurve TwoPoints(const char* format) {
    SweepSettings settings;
    settings.config.format[0] = FindFormat(format);
    settings.config.code[0] = LineCoding::None;
    settings.filters = test::Filters(FilterType::RootRC, FilterType::Matched);
    return BerCurve::For(settings, {{2, 0.6}, {6, 0.25}});
}

TEST(BerCurves, LateProgressNeverUndoesAFinishedPoint) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    curve.Update(0, {40, 1000, 9}, false);
    EXPECT_DOUBLE_EQ(curve.points[0].dBer, 0.04);
    EXPECT_LT(curve.points[0].interval.dLow, 0.04);
    curve.Update(0, {100, 2500, 22}, true);
    curve.Update(0, {60, 1500, 13}, false);  // a report queued before the point finished
    EXPECT_EQ(curve.points[0].counts.errors, 100u);
    EXPECT_TRUE(curve.points[0].complete);
    curve.Update(7, {1, 1, 1}, true);  // no such point: ignored
    EXPECT_EQ(curve.points.size(), 2u);
}

// Scientific texts as the curve table has always written them: the exponent signed and
// unpadded, correctly rounded; nothing for a figure that is not a number.
TEST(BerCurves, ScientificTextsOfTheTable) {
    const struct {
        double x;
        int decimals;
        const char* text;
    } cases[] = {{1.23456e-5, 3, "1.235e-5"}, {0.5, 3, "5.000e-1"},       {0.0, 3, "0.000e+0"},
                 {12.0, 3, "1.200e+1"},       {9.9996e-3, 3, "1.000e-2"}, {1e-123, 2, "1.00e-123"},
                 {2.5e-7, 2, "2.50e-7"},      {std::nan(""), 3, ""},      {HUGE_VAL, 2, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ScientificText(c.x, c.decimals), c.text) << c.x;
}

TEST(BerCurves, TableRowsBeforeAndAfterCounts) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    EXPECT_EQ(CurveTableRowOf(2.5, 1.25e-3), (CurveTableRow{"2.5", "", "", "", "", "1.250e-3"}));
    EXPECT_EQ(CurveTableRowOf(-0.0, std::nan("")), (CurveTableRow{"0", "", "", "", "", ""}));
    curve.Update(0, {40, 1000000000, 9}, false);
    const PointResult& p = curve.points[0];
    const CurveTableRow row = CurveTableRowOf(p, 2e-8);
    EXPECT_EQ(row[0], "2");
    EXPECT_EQ(row[1], "1000000000");  // counts whole, never in exponent form
    EXPECT_EQ(row[2], "40");
    EXPECT_EQ(row[3], "4.000e-8");
    EXPECT_EQ(row[4],
              ScientificText(p.interval.dLow, 2) + " to " + ScientificText(p.interval.dHigh, 2));
    EXPECT_EQ(row[5], "2.000e-8");
}

TEST(BerCurves, PlotsRatesWithIntervalsAndErrorFreePointsAsBounds) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    CurvePlotData empty = PlotDataOf(curve);
    EXPECT_TRUE(empty.x.empty() && empty.boundX.empty());  // nothing measured yet
    curve.Update(0, {37, 30720, 1}, true);
    curve.Update(1, {0, 1000000, 1}, true);
    const CurvePlotData data = PlotDataOf(curve);
    ASSERT_EQ(data.x.size(), 1u);
    EXPECT_NEAR(data.y[0] - data.below[0], 0.85e-3, 0.005e-3);
    EXPECT_NEAR(data.y[0] + data.above[0], 1.66e-3, 0.005e-3);
    ASSERT_EQ(data.boundX.size(), 1u);
    EXPECT_EQ(data.boundX[0], 6);
    EXPECT_NEAR(data.boundY[0], 3.7e-6, 0.05e-6);
}

TEST(BerCurves, CsvIsTheBatchFormatAndLabelsSeveralCurves) {
    BerCurve polar = TwoPoints("Polar (N)RZ");
    polar.Update(0, {10, 1000, 1}, true);
    const std::string one = CurvesCsv({polar});
    EXPECT_EQ(one.substr(0, one.find('\n')), kSweepCsvHeader);
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 3);

    BerCurve ami = TwoPoints("AMI");
    ami.label = "AMI \"alt\", None";
    const std::string two = CurvesCsv({polar, ami});
    EXPECT_EQ(two.substr(0, two.find('\n')), std::string("curve,") + kSweepCsvHeader);
    EXPECT_NE(
        two.find("\n\"Polar (N)RZ, None, Root RC / Matched, per-run N0, thresholds as set\",2,0.6,"
                 "1000,10,0.01,"),
        std::string::npos);
    EXPECT_NE(two.find("\n\"AMI \"\"alt\"\", None\",6,"), std::string::npos);
}

// The page keeps each point's CSV line and has them joined here: the same text as the
// desktop's export of the same curves, byte for byte, for one curve and for several.
TEST(BerCurves, JoinedLinesAreTheCurvesCsv) {
    BerCurve polar = TwoPoints("Polar (N)RZ");
    polar.Update(0, {10, 1000, 1}, true);
    polar.Update(1, {3, 5000, 4}, false);
    BerCurve ami = TwoPoints("AMI");
    ami.label = "AMI \"alt\", None";
    const auto linesOf = [](const BerCurve& curve) {
        CurveCsvLines lines{curve.label, {}};
        for (const PointResult& p : curve.points)
            lines.lines.push_back(
                SweepCsvLine(p, curve.TheoryAt(p.point.dEbN0dB), curve.settings.config));
        return lines;
    };
    EXPECT_EQ(JoinCurvesCsv({linesOf(polar)}), CurvesCsv({polar}));
    EXPECT_EQ(JoinCurvesCsv({linesOf(polar)}),
              SweepCsv(polar.points,
                       {polar.TheoryAt(polar.points[0].point.dEbN0dB),
                        polar.TheoryAt(polar.points[1].point.dEbN0dB)},
                       polar.settings.config));
    EXPECT_EQ(JoinCurvesCsv({linesOf(polar), linesOf(ami)}), CurvesCsv({polar, ami}));
    EXPECT_EQ(JoinCurvesCsv({}), "");
    // A curve with no line yet still heads the export with its columns.
    EXPECT_EQ(JoinCurvesCsv({{"empty", {}}}), std::string(kSweepCsvHeader) + "\n");
}

// Beside each curve its theory: the ideal receiver dashed; for Manchester with polar halves
// the optimum receiver dotted, 3 dB better (below the ideal curve at every Eb/N0); only the
// rates the plot shows.
TEST(BerCurves, TheoryLinesNameTheReceiverAndAddManchestersOptimum) {
    const struct {
        const char* format;
        LineCoding code;
        std::size_t lines;
    } cases[] = {{"Polar (N)RZ", LineCoding::Manchester, 2},
                 {"Polar (N)RZ", LineCoding::None, 1},
                 {"AMI", LineCoding::None, 1}};
    for (const auto& c : cases) {
        BerCurve curve = TwoPoints(c.format);
        curve.settings.config.code[0] = c.code;
        const auto lines = TheoryLinesOf(curve.settings, 0, 14);
        ASSERT_EQ(lines.size(), c.lines) << c.format;
        EXPECT_EQ(lines[0].style, TheoryLine::Style::Dashed);
        EXPECT_EQ(lines[0].name.rfind("ideal receiver (fixed N0, midway thresholds): ", 0), 0u);
        ASSERT_FALSE(lines[0].x.empty());
        EXPECT_EQ(lines[0].x.front(), 0);
        for (std::size_t i = 0; i < lines[0].x.size(); ++i) {
            EXPECT_GE(lines[0].y[i], kLowestShownRate);
            EXPECT_EQ(lines[0].y[i], curve.TheoryAt(lines[0].x[i]));
        }
        if (c.lines < 2) continue;
        const TheoryLine& optimum = lines[1];
        EXPECT_EQ(optimum.style, TheoryLine::Style::Dotted);
        EXPECT_EQ(optimum.name, "optimum receiver (full-bit correlation): Polar (N)RZ, Manchester");
        ASSERT_FALSE(optimum.x.empty());
        for (std::size_t i = 0; i < optimum.x.size(); ++i) {
            EXPECT_EQ(optimum.x[i], lines[0].x[i]);
            EXPECT_LT(optimum.y[i], lines[0].y[i]) << optimum.x[i];
        }
    }
}

TEST(BerCurves, TheLegendNamesTheRunnerOnceThereIsOne) {
    EXPECT_EQ(MeasuredLegend("AMI, None", ""), "AMI, None");
    EXPECT_EQ(MeasuredLegend("AMI, None", "full chain"), "AMI, None (full chain)");
    EXPECT_EQ(StatisticalLegend("AMI, None"),
              "statistical, the chain as set (fixed N0): AMI, None");
}

// The runner of a curve follows its points' runs: none yet, all folded, all engine, a mix;
// the CSV line ends with the point's runner.
TEST(BerCurves, RunnerOfFollowsThePointsRuns) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    EXPECT_EQ(RunnerOf(curve), "");
    curve.Update(0, {1, 100, 2, 2}, true);
    EXPECT_EQ(RunnerOf(curve), "folded runner");
    EXPECT_TRUE(SweepCsvLine(curve.points[0], 0, curve.settings.config).find(",folded,") !=
                std::string::npos);
    curve.Update(1, {1, 100, 3, 0}, true);
    EXPECT_EQ(RunnerOf(curve), "folded runner and full chain");
    curve.Update(0, {1, 100, 2, 0}, true);
    EXPECT_EQ(RunnerOf(curve), "full chain");
}

// A point whose levels no thresholds could separate has no rate worth drawing: it is marked
// in words instead, counted or not, the window's note says how many, and its CSV line says
// the same word.
TEST(BerCurves, MarksInWordsThePointsWhoseLevelsCouldNotBeSeparated) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    EXPECT_EQ(InseparableNote(curve), "");
    curve.points[1].point.decisions = Decisions::Inseparable;
    EXPECT_EQ(PlotDataOf(curve).inseparableX, std::vector<double>{6});  // before any bits
    EXPECT_NE(InseparableNote(curve).find("No rate at 1 of 2 points"), std::string::npos);
    curve.Update(0, {37, 30720, 1}, true);
    curve.Update(1, {15000, 30720, 1}, true);
    const CurvePlotData data = PlotDataOf(curve);
    ASSERT_EQ(data.x.size(), 1u);
    EXPECT_EQ(data.x[0], 2);
    EXPECT_TRUE(data.boundX.empty());
    EXPECT_EQ(data.inseparableX, std::vector<double>{6});
    EXPECT_TRUE(SweepCsvLine(curve.points[1], 0, curve.settings.config).ends_with(",inseparable"));
    EXPECT_TRUE(SweepCsvLine(curve.points[0], 0, curve.settings.config).ends_with(",as-set"));
    curve.points[0].point.decisions = Decisions::Inseparable;
    EXPECT_NE(InseparableNote(curve).find("No rate at any point"), std::string::npos);
    EXPECT_NE(InseparableNote(curve).find(kInseparableNote), std::string::npos);
}

// Before a point's blocks are known its interval is the exact one over clusters of the size
// the code gives its errors: wider than the binomial one where they cluster.
TEST(BerCurves, ProgressIntervalAllowsForTheCodesClusters) {
    BerCurve curve = TwoPoints("Polar (N)RZ");
    curve.points[0].point.dClusterBits = 2;
    curve.Update(0, {40, 1000, 9}, false);
    EXPECT_LT(curve.points[0].blocks.interval.dLow, curve.points[0].interval.dLow);
    EXPECT_GT(curve.points[0].blocks.interval.dHigh, curve.points[0].interval.dHigh);
}

}  // namespace
}  // namespace linelab
