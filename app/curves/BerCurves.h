#pragma once
// The curves of the BER Curve window as plain data: a sweep's points as they arrive, the
// ideal receiver's rate beside them, what the plot draws of them and the CSV export.

#include <array>
#include <string>
#include <vector>

#include "sweep/Sweep.h"
#include "sweep/SweepSettings.h"

namespace linelab {

struct BerCurve {
    std::string label;                // code, mapping and filters (see CurveLabel)
    SweepSettings settings;           // what the sweep ran on, for its theory
    std::vector<PointResult> points;  // in order of Eb/N0; bits = 0 until a chunk finished

    // Starts a curve for these settings and points, every point still empty.
    static BerCurve For(const SweepSettings& settings, const std::vector<SweepPoint>& points);
    // A progress report or a finished point: counts, rate and interval of that point.
    void Update(std::size_t index, const ChunkCounts& counts, bool complete);
    // A point's result as the sweep gives it, with the interval from its chunks.
    void Update(const PointResult& result);
    double TheoryAt(double ebN0dB) const { return TheoryFor(settings, ebN0dB); }
};

// What the plot draws for a curve: the points with at least one error at their rate, with
// the distances down and up to the ends of their 95 % interval; points with bits but no
// error apart, at the upper end of their interval (all they say is "below this"). Points
// whose decisions could not separate the levels have no rate: they are listed apart, to be
// marked in words (kInseparableNote) at their Eb/N0, counted or not.
struct CurvePlotData {
    std::vector<double> x, y, below, above;
    std::vector<double> boundX, boundY;
    std::vector<double> inseparableX;
};
CurvePlotData PlotDataOf(const BerCurve& curve);

// The word a point whose levels could not be separated shows in place of a rate: the CSV's
// decisions column says the same.
inline constexpr const char* kInseparableNote = "inseparable";

// What the window says of a curve with such points, in words; empty when it has none.
std::string InseparableNote(const BerCurve& curve);

// Which runner made the curve's points, as the legend says it: "folded runner", "full chain",
// "folded runner and full chain" for a mix; empty before any run.
std::string RunnerOf(const BerCurve& curve);

// One curve: exactly linelab-batch's sweep CSV. Several: a first column "curve" with the
// curve's label (quoted), then the same columns, the curves one after the other.
std::string CurvesCsv(const std::vector<BerCurve>& curves);

// A curve's CSV lines as SweepCsvLine wrote them (no header, no end of line), under its
// label: what a front end that keeps the lines rather than the curves joins.
struct CurveCsvLines {
    std::string label;
    std::vector<std::string> lines;
};
// The same join as CurvesCsv: one curve, the header and its lines; several, each line after
// its curve's quoted label under the header's "curve" column. Nothing for no curve.
std::string JoinCurvesCsv(const std::vector<CurveCsvLines>& curves);

// Rates below this are left off the plot.
inline constexpr double kLowestShownRate = 1e-12;

// A curve of theory drawn beside a curve's points in its colour, with its legend name.
struct TheoryLine {
    enum class Style { Dashed, Dotted };
    std::string name;
    Style style = Style::Dashed;
    std::vector<double> x, y;  // rates below kLowestShownRate left out
};
// The ideal receiver over first..last dB (dashed), and for a Manchester code the optimum
// receiver's full-bit correlation, 3 dB better for polar halves (dotted), sampled finely.
std::vector<TheoryLine> TheoryLinesOf(const SweepSettings& settings, double first, double last);

// The legend name of a curve's measured points: its label and the runner that made them.
std::string MeasuredLegend(const std::string& label, const std::string& runner);
// The legend name of the statistical curve of the chain a curve was measured on.
std::string StatisticalLegend(const std::string& label);

// The curve table's cells for one point: Eb/N0 in dB, bits, errors, the rate, its 95 %
// interval ("low to high") and the ideal receiver's rate. Rates are in scientific notation
// as the table has always shown them ("1.235e-5": the rate and the ideal one with three
// decimals, the interval's ends with two); a figure that is not a number shows empty.
using CurveTableRow = std::array<std::string, 6>;
CurveTableRow CurveTableRowOf(const PointResult& result, double theory);
// A point no count has reached yet: its Eb/N0 and the ideal rate alone.
CurveTableRow CurveTableRowOf(double ebN0dB, double theory);

// x as d.ddde-5 with `decimals` digits after the point; empty when x is not finite.
std::string ScientificText(double x, int decimals);

// A label for a held curve: "Polar (N)RZ, None, Root RC / Matched, fixed N0, midway".
std::string CurveLabel(const SweepSettings& settings);

}  // namespace linelab
