#pragma once
// The "BER Curve" window: sweeps Eb/N0 for the main window's current setting on worker
// threads and plots the measured bit error rate with its 95 % intervals against the ideal
// receiver's curve. Results come from the workers as queued calls, so the main window keeps
// running; closing this window or quitting cancels the sweep and waits for its workers
// (within about 100 ms).

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/curves/BerCurves.h"
#include "sweep/EngineChunkRunner.h"

class QColor;
class QCustomPlot;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace linelab {

class Form1;
class StatisticalCurves;

class BerCurveWindow : public QWidget {
    Q_OBJECT

  public:
    BerCurveWindow(Form1& form, QWidget* parent = nullptr);
    ~BerCurveWindow() override;

    // Starts a sweep of the main window's setting as it stands; false (with the reason in
    // the status line) when the range gives no points or a sweep is already running.
    bool Start();
    void Stop();   // cancels; the finished chunks' counts stay on the plot
    void Hold();   // keeps the last curve on the plot under its label
    void Clear();  // removes the held curves, and the last one when no sweep runs

    bool Running() const { return sweep_ != nullptr && !finished_; }
    std::size_t HeldCount() const { return held_.size(); }
    const std::optional<BerCurve>& Current() const { return current_; }
    std::vector<BerCurve> Curves() const;  // held first, then the current one
    QCustomPlot& Plot() { return *plot_; }

    void SetRange(double from, double to, double step);
    void SetLimits(int minErrors, double maxBits);
    // Folded (the default) or the full chain of the engine, for the next sweep.
    void SetRunner(SweepRunner runner);
    // The main window's presentation zoom: text, the controls' column, the plot's fonts,
    // lines and marks grown by `factor` from their size at actual size.
    void SetZoom(qreal factor);
    qreal Zoom() const { return zoom_; }

    bool ExportCsv(const QString& path);
    bool ExportPng(const QString& path);
    bool ExportPdf(const QString& path);

  signals:
    void Finished();  // a sweep ended (complete, cancelled or failed)

    // From the sweep's worker threads, delivered queued (a sweep's id tells stale ones).
    void ProgressReported(uint64_t sweep, const linelab::SweepProgress& progress);
    void PointReported(uint64_t sweep, const linelab::PointResult& result);
    void SweepEnded(uint64_t sweep, const linelab::SweepOutcome& outcome);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void OnProgress(uint64_t sweep, const SweepProgress& progress);
    void OnPoint(uint64_t sweep, const PointResult& result);
    void OnFinished(uint64_t sweep, const SweepOutcome& outcome);
    void EndSweep();
    void UpdateButtons();
    void Replot();
    void AddCurve(const BerCurve& curve, int colour, bool live);
    void AddTheory(const BerCurve& curve, const QColor& colour);
    void AskExport(const QString& filter, bool (BerCurveWindow::*save)(const QString&));
    void ShowStatus(const QString& text);

    Form1& form_;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QSpinBox* minErrors_ = nullptr;
    QDoubleSpinBox* maxBits_ = nullptr;
    QComboBox* runner_ = nullptr;
    QComboBox* noise_ = nullptr;       // Fixed N0 (default) or per run
    QComboBox* thresholds_ = nullptr;  // Midway (default) or as set
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* hold_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* export_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QCustomPlot* plot_ = nullptr;
    QWidget* column_ = nullptr;
    QFont baseFont_;  // at actual size
    qreal zoom_ = 1;
    QTimer replotTimer_;
    // The theory curves, computed on a worker thread: the exact rate of a line code with a
    // long memory (HDB3 or MLT3 under the 4B5B codes) takes seconds a point. Keyed by the
    // setting's label and range; drawn once ready.
    std::map<std::string, std::shared_future<std::vector<TheoryLine>>> theory_;
    StatisticalCurves* statistical_ = nullptr;  // the chain as set, beside each curve

    std::vector<BerCurve> held_;
    std::optional<BerCurve> current_;
    std::unique_ptr<Sweep> sweep_;
    uint64_t sweepId_ = 0;  // results of an older sweep still queued are dropped
    uint64_t minErrorsAsked_ = 100;
    bool finished_ = true;
    bool placed_ = false;  // fitted to its screen when first shown
};

}  // namespace linelab

Q_DECLARE_METATYPE(linelab::SweepProgress)
Q_DECLARE_METATYPE(linelab::PointResult)
Q_DECLARE_METATYPE(linelab::SweepOutcome)
