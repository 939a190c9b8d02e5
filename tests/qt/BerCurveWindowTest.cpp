// The BER Curve window: a sweep plotted as it comes, held curves, exports, and a clean
// cancel when the window closes mid-sweep.

#include <qcustomplot.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "WindowFixture.h"
#include "app/qt/BerCurveWindow.h"
#include "app/qt/StatisticalCurves.h"

namespace linelab {
namespace {

class BerCurveWindowTest : public WindowFixture {
  protected:
    BerCurveWindow& Curve() {
        if (Window().BerCurve() == nullptr) {
            auto* action = Window().findChild<QAction*>(QStringLiteral("ToolsBerCurve"));
            EXPECT_NE(action, nullptr);
            EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
            action->trigger();
        }
        return *Window().BerCurve();
    }

    // A short sweep: three points, a few errors each.
    void Sweep() {
        BerCurveWindow& curve = Curve();
        curve.SetRange(0, 4, 2);
        curve.SetLimits(20, 2e5);
        QSignalSpy finished(&curve, &BerCurveWindow::Finished);
        ASSERT_TRUE(curve.Start());
        EXPECT_TRUE(curve.Running());
        EXPECT_FALSE(curve.Start());  // one sweep at a time
        ASSERT_TRUE(finished.wait(60000));
        EXPECT_FALSE(curve.Running());
    }

    // Measured graphs: those with a line pen that is not dashed.
    static int MeasuredGraphs(QCustomPlot& plot) {
        int count = 0;
        for (int i = 0; i < plot.graphCount(); ++i) {
            QCPGraph* g = plot.graph(i);
            if (g->pen().style() == Qt::SolidLine && g->lineStyle() != QCPGraph::lsNone) ++count;
        }
        return count;
    }
};

TEST_F(BerCurveWindowTest, PlotsEachPointWithItsIntervalBesideTheIdealReceiver) {
    PickScene(6);
    Sweep();
    BerCurveWindow& curve = Curve();
    ASSERT_TRUE(curve.Current().has_value());
    const auto& points = curve.Current()->points;
    ASSERT_EQ(points.size(), 3u);
    for (const PointResult& p : points) {
        EXPECT_TRUE(p.complete);
        EXPECT_GE(p.counts.errors, 20u);
        EXPECT_LE(p.interval.dLow, p.dBer);
        EXPECT_GE(p.interval.dHigh, p.dBer);
    }
    EXPECT_GT(points[0].dBer, points[2].dBer);  // less noise, fewer errors

    QCustomPlot& plot = curve.Plot();
    EXPECT_EQ(plot.yAxis->scaleType(), QCPAxis::stLogarithmic);
    ASSERT_EQ(MeasuredGraphs(plot), 1);
    bool theory = false, runner = false;
    for (int i = 0; i < plot.graphCount(); ++i) {
        theory |= plot.graph(i)->name().startsWith(QStringLiteral("ideal receiver"));
        runner |= plot.graph(i)->name().endsWith(QStringLiteral("(folded runner)"));
    }
    EXPECT_TRUE(theory);
    EXPECT_TRUE(runner);  // the legend names the runner that made the points
    QCPErrorBars* bars = nullptr;
    for (int i = 0; i < plot.plottableCount(); ++i)
        if (auto* b = qobject_cast<QCPErrorBars*>(plot.plottable(i))) bars = b;
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->dataCount(), 3);
    const QCPErrorBarsData first = bars->data()->at(0);
    // The bars show the interval that holds when errors cluster, as the point's blocks give it.
    const BinomialInterval& shown = points[0].blocks.interval;
    EXPECT_NEAR(first.errorMinus, points[0].dBer - shown.dLow, 1e-15);
    EXPECT_NEAR(first.errorPlus, shown.dHigh - points[0].dBer, 1e-15);
}

TEST_F(BerCurveWindowTest, HoldKeepsCurvesAndExportsThemAll) {
    PickScene(6);
    Sweep();
    Curve().Hold();
    EXPECT_EQ(Curve().HeldCount(), 1u);
    EXPECT_FALSE(Curve().Current().has_value());
    ASSERT_TRUE(Model().SetText("cmbCode(0)", "Manchester"));
    Curve().SetRunner(SweepRunner::Engine);
    Sweep();
    EXPECT_EQ(MeasuredGraphs(Curve().Plot()), 2);
    EXPECT_EQ(RunnerOf(*Curve().Current()), "full chain");

    QTemporaryDir dir;
    const QString csvPath = dir.filePath(QStringLiteral("curves.csv"));
    ASSERT_TRUE(Curve().ExportCsv(csvPath));
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("curve,ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,"
                                       "ber_high,theory,runner,interval_low,interval_high,"
                                       "interval_method,noise,thresholds,decisions"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("\"Unipolar (N)RZ, None, ")));
    EXPECT_TRUE(lines[6].startsWith(QStringLiteral("\"Unipolar (N)RZ, Manchester, ")));

    const QString png = dir.filePath(QStringLiteral("curves.png"));
    ASSERT_TRUE(Curve().ExportPng(png));
    EXPECT_FALSE(QImage(png).isNull());
    const QString pdf = dir.filePath(QStringLiteral("curves.pdf"));
    ASSERT_TRUE(Curve().ExportPdf(pdf));
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");

    Curve().Clear();
    EXPECT_EQ(Curve().HeldCount(), 0u);
    EXPECT_FALSE(Curve().Current().has_value());
    EXPECT_EQ(MeasuredGraphs(Curve().Plot()), 0);
    // A file that cannot be written is refused, not reported as saved.
    EXPECT_FALSE(Curve().ExportCsv(dir.filePath(QStringLiteral("no/such/folder/x.csv"))));
}

TEST_F(BerCurveWindowTest, ClosingMidSweepCancelsAndKeepsFinishedChunks) {
    PickScene(6);
    BerCurveWindow& curve = Curve();
    curve.SetRange(0, 12, 1);
    curve.SetLimits(1000000, 1e12);  // far more than the test waits for
    ASSERT_TRUE(curve.Start());
    // Until the first chunk has come back (a hang here fails by the test's time limit).
    while (curve.Current()->points[0].counts.bits == 0)
        QApplication::processEvents();
    curve.close();  // returns once every worker has stopped after its current run
    EXPECT_FALSE(curve.Running());
    ASSERT_TRUE(curve.Current().has_value());
    EXPECT_FALSE(curve.Current()->points[0].complete);
    // Nothing queued by the workers arrives later to change the curve.
    const uint64_t bits = curve.Current()->points[0].counts.bits;
    Settle();
    EXPECT_EQ(curve.Current()->points[0].counts.bits, bits);
}

// A channel that passes nothing (its high-pass edge above the band) leaves every level at
// the same mean: no rate is plotted, each point says "inseparable" in place of one, and the
// status line says why.
TEST_F(BerCurveWindowTest, SaysInWordsWhereTheLevelsCannotBeSeparated) {
    PickScene(6);
    ASSERT_TRUE(Model().SetText(ListId::cmbHighPass, "6"));
    Sweep();
    BerCurveWindow& curve = Curve();
    QCustomPlot& plot = curve.Plot();
    int notes = 0;
    for (int i = 0; i < plot.itemCount(); ++i) {
        const auto* text = qobject_cast<QCPItemText*>(plot.item(i));
        if (text != nullptr && text->text() == QStringLiteral("inseparable")) ++notes;
    }
    EXPECT_EQ(notes, 3);  // one at each point
    for (int i = 0; i < plot.graphCount(); ++i) {
        if (plot.graph(i)->pen().style() == Qt::SolidLine) {
            EXPECT_TRUE(plot.graph(i)->data()->isEmpty()) << plot.graph(i)->name().toStdString();
        }
    }
    const auto* status = curve.findChild<QLabel*>(QStringLiteral("berCurveStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().contains(QStringLiteral("cannot separate")))
        << status->text().toStdString();
}

// The statistical curve of the chain as set goes through the measured points (within their
// interval, widened for the clustering of data-bit errors), in time for the first replot.
TEST_F(BerCurveWindowTest, TheStatisticalCurveOfTheChainGoesThroughTheMeasuredPoints) {
    PickScene(6);
    Sweep();
    BerCurveWindow& curve = Curve();
    QCPGraph* statistical = nullptr;
    const auto find = [&] {
        for (int i = 0; i < curve.Plot().graphCount(); ++i)
            if (curve.Plot().graph(i)->name().startsWith(QStringLiteral("statistical")))
                statistical = curve.Plot().graph(i);
        return statistical != nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(find(), 10000);
    ASSERT_EQ(statistical->pen().style(), Qt::DotLine);
    // Worked out once per setting and range, however often the plot is drawn again.
    const StatisticalCurves* curves = curve.findChild<StatisticalCurves*>();
    ASSERT_NE(curves, nullptr);
    const int jobs = curves->Jobs();
    curve.Hold();
    QCoreApplication::processEvents();
    EXPECT_EQ(curves->Jobs(), jobs);
    statistical = nullptr;  // the plot was drawn again
    ASSERT_TRUE(find());
    if (const QString folder = qEnvironmentVariable("LINELAB_SHOTS"); !folder.isEmpty()) {
        curve.Plot().replot();
        curve.grab().save(QDir(folder).filePath(QStringLiteral("statistical-ber-curve.png")));
    }
    const auto data = statistical->data();
    ASSERT_GT(data->size(), 10);
    for (auto it = data->constBegin(); it + 1 != data->constEnd(); ++it)
        EXPECT_GT(it->value, (it + 1)->value) << it->key;  // falls with Eb/N0
    const std::vector<BerCurve> held = curve.Curves();
    ASSERT_EQ(held.size(), 1u);
    for (const PointResult& p : held.front().points) {
        const auto at = data->findBegin(p.point.dEbN0dB - 1e-9, false);
        ASSERT_NE(at, data->constEnd());
        ASSERT_NEAR(at->key, p.point.dEbN0dB, 1e-6);
        EXPECT_GT(at->value, p.interval.dLow / 2) << p.point.dEbN0dB;
        EXPECT_LT(at->value, p.interval.dHigh * 2) << p.point.dEbN0dB;
    }
}

}  // namespace
}  // namespace linelab
