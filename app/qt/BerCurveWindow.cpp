#include "app/qt/BerCurveWindow.h"

#include <qcustomplot.h>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/qt/StatisticalCurves.h"
#include "app/qt/WindowFit.h"
#include "common/Tables.h"
#include "receiver/Noise.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/SweepRange.h"
#include "sweep/SweepSetup.h"
#include "ui/ListTexts.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

// The lowest rate the plot shows: an ideal curve falls below any measurable rate within a
// few dB, and a log axis cannot reach 0.
constexpr double kLowestShown = kLowestShownRate;
constexpr int kReplotMs = 100;  // progress comes per chunk; the plot follows ten times a second

const QColor kColours[] = {QColor(0, 90, 181),   QColor(220, 50, 32), QColor(0, 140, 70),
                           QColor(150, 60, 170), QColor(230, 130, 0), QColor(90, 90, 90)};

QColor ColourOf(int index) {
    constexpr int count = static_cast<int>(std::size(kColours));
    return kColours[((index % count) + count) % count];
}

QVector<double> Vec(const std::vector<double>& v) {
    return QVector<double>(v.begin(), v.end());
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString RangeText(double from, double step, double to) {
    return QStringLiteral("%1:%2:%3")
        .arg(QString::number(from, 'g', 17), QString::number(step, 'g', 17),
             QString::number(to, 'g', 17));
}

QDoubleSpinBox* DbBox(double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-20, 40);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" dB"));
    box->setValue(value);
    return box;
}

}  // namespace

BerCurveWindow::BerCurveWindow(Form1& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
    setWindowTitle(QStringLiteral("BER Curve"));
    setObjectName(QStringLiteral("BerCurveWindow"));
    statistical_ = new StatisticalCurves(kLowestShown, this);
    connect(statistical_, &StatisticalCurves::Ready, this, &BerCurveWindow::Replot);
    // Emitted on the workers, received on this window's thread.
    qRegisterMetaType<SweepProgress>();
    qRegisterMetaType<PointResult>();
    qRegisterMetaType<SweepOutcome>();
    connect(this, &BerCurveWindow::ProgressReported, this, &BerCurveWindow::OnProgress,
            Qt::QueuedConnection);
    connect(this, &BerCurveWindow::PointReported, this, &BerCurveWindow::OnPoint,
            Qt::QueuedConnection);
    connect(this, &BerCurveWindow::SweepEnded, this, &BerCurveWindow::OnFinished,
            Qt::QueuedConnection);
    BuildControls();
    replotTimer_.setSingleShot(true);
    replotTimer_.setInterval(kReplotMs);
    connect(&replotTimer_, &QTimer::timeout, this, &BerCurveWindow::Replot);
    resize(860, 600);
    UpdateButtons();
    Replot();
}

BerCurveWindow::~BerCurveWindow() {
    sweep_.reset();  // cancels and joins; calls still queued for this window are dropped
}

void BerCurveWindow::BuildControls() {
    from_ = DbBox(0, this);
    to_ = DbBox(10, this);
    step_ = DbBox(1, this);
    step_->setRange(0.1, 20);
    minErrors_ = new QSpinBox(this);
    minErrors_->setRange(1, 1000000);
    minErrors_->setValue(100);
    maxBits_ = new QDoubleSpinBox(this);
    maxBits_->setDecimals(0);
    maxBits_->setRange(1000, 1e12);
    maxBits_->setSingleStep(1e6);
    maxBits_->setValue(1e8);
    maxBits_->setToolTip(
        QStringLiteral("A point stops at this many compared bits even with "
                       "fewer errors than asked for"));

    runner_ = new QComboBox(this);
    runner_->addItem(QStringLiteral("Folded"));
    runner_->addItem(QStringLiteral("Full chain"));
    runner_->setToolTip(
        QStringLiteral("Folded: the runs worked out at the decision instants only, the same in "
                       "distribution and about twenty times faster, for rates down to 1e-9.\n"
                       "Full chain: every run through the engine, as the main window runs it."));

    // The textbook's receiver by default, so that the curve compares with the theory; the
    // second entries are the main window's own receiver.
    noise_ = new QComboBox(this);
    noise_->addItem(QStringLiteral("Fixed N0"));
    noise_->addItem(QStringLiteral("Per run"));
    noise_->setToolTip(
        QStringLiteral("Fixed N0: the noise density follows the setting's mean energy, as in a "
                       "real channel.\nPer run: it follows each run's own energy, as the main "
                       "window does unless its Fixed N0 box is checked."));
    thresholds_ = new QComboBox(this);
    thresholds_->addItem(QStringLiteral("Midway"));
    thresholds_->addItem(QStringLiteral("As set"));
    thresholds_->setToolTip(
        QStringLiteral("Midway: decide midway between the levels the receiver sees.\n"
                       "As set: the thresholds of the main window's slider."));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("From"), from_);
    form->addRow(QStringLiteral("To"), to_);
    form->addRow(QStringLiteral("Step"), step_);
    form->addRow(QStringLiteral("Min errors"), minErrors_);
    form->addRow(QStringLiteral("Max bits"), maxBits_);
    form->addRow(QStringLiteral("Runner"), runner_);
    form->addRow(QStringLiteral("Noise"), noise_);
    form->addRow(QStringLiteral("Thresholds"), thresholds_);

    start_ = new QPushButton(QStringLiteral("Start"), this);
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    hold_ = new QPushButton(QStringLiteral("Hold"), this);
    clear_ = new QPushButton(QStringLiteral("Clear"), this);
    export_ = new QPushButton(QStringLiteral("Export"), this);
    hold_->setToolTip(QStringLiteral("Keep this curve on the plot to compare it with the next"));
    auto* exportMenu = new QMenu(export_);
    exportMenu->addAction(QStringLiteral("CSV..."), this, [this] {
        AskExport(QStringLiteral("CSV files (*.csv)"), &BerCurveWindow::ExportCsv);
    });
    exportMenu->addAction(QStringLiteral("PNG..."), this, [this] {
        AskExport(QStringLiteral("PNG images (*.png)"), &BerCurveWindow::ExportPng);
    });
    exportMenu->addAction(QStringLiteral("PDF..."), this, [this] {
        AskExport(QStringLiteral("PDF files (*.pdf)"), &BerCurveWindow::ExportPdf);
    });
    export_->setMenu(exportMenu);
    // Before any curve the plot shows the range's ideal curve; it follows the range.
    for (QDoubleSpinBox* box : {from_, to_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!current_ && held_.empty()) Replot();
        });
    }
    connect(start_, &QPushButton::clicked, this, [this] { Start(); });
    connect(stop_, &QPushButton::clicked, this, &BerCurveWindow::Stop);
    connect(hold_, &QPushButton::clicked, this, &BerCurveWindow::Hold);
    connect(clear_, &QPushButton::clicked, this, &BerCurveWindow::Clear);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("berCurveStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    for (QPushButton* button : {start_, stop_, hold_, clear_, export_})
        side->addWidget(button);
    side->addWidget(progress_);
    side->addWidget(status_);
    side->addStretch(1);
    // The column keeps one width whatever its status and progress say, so the plot beside
    // it never jumps during a sweep.
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("berCurveControls"));
    side->setContentsMargins(0, 0, 0, 0);
    column->setLayout(side);
    column_ = column;
    column->setFixedWidth(
        std::max(column->sizeHint().width(), fontMetrics().averageCharWidth() * 26));
    baseFont_ = font();

    plot_ = new QCustomPlot(this);
    plot_->setMinimumSize(320, 240);
    plot_->xAxis->setLabel(QStringLiteral("Eb/N0 (dB)"));
    plot_->yAxis->setLabel(QStringLiteral("Bit error rate"));
    plot_->yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot_->yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    plot_->yAxis->setNumberFormat(QStringLiteral("eb"));
    plot_->yAxis->setNumberPrecision(0);
    plot_->xAxis->grid()->setSubGridVisible(false);
    plot_->yAxis->grid()->setSubGridVisible(true);
    plot_->legend->setVisible(true);
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignLeft | Qt::AlignBottom);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(column);
    layout->addWidget(plot_, 1);
}

void BerCurveWindow::SetRange(double from, double to, double step) {
    from_->setValue(from);
    to_->setValue(to);
    step_->setValue(step);
}

void BerCurveWindow::SetLimits(int minErrors, double maxBits) {
    minErrors_->setValue(minErrors);
    maxBits_->setValue(maxBits);
}

void BerCurveWindow::SetZoom(qreal factor) {
    if (factor == zoom_) return;
    // The window grows with its text, within the screen it is on.
    QSize grown = (QSizeF(size()) * (factor / zoom_)).toSize();
    if (const QScreen* where = screen()) grown = grown.boundedTo(where->availableGeometry().size());
    resize(grown);
    zoom_ = factor;
    QFont scaled = baseFont_;
    scaled.setPointSizeF(baseFont_.pointSizeF() * factor);
    setFont(scaled);
    // The column's width is fixed for a font: measured again for this one.
    column_->setMinimumWidth(0);
    column_->setMaximumWidth(QWIDGETSIZE_MAX);
    column_->setFixedWidth(
        std::max(column_->sizeHint().width(), fontMetrics().averageCharWidth() * 26));
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        axis->setLabelFont(scaled);
        axis->setTickLabelFont(scaled);
    }
    plot_->legend->setFont(scaled);
    Replot();
}

void BerCurveWindow::SetRunner(SweepRunner runner) {
    runner_->setCurrentIndex(runner == SweepRunner::Engine ? 1 : 0);
}

bool BerCurveWindow::Start() {
    if (Running()) return false;
    const double from = from_->value();
    const double to = to_->value();
    const double step = from <= to ? step_->value() : -step_->value();
    const auto values = ParseSweepRange(RangeText(from, step, to).toStdString());
    if (!values) {
        ShowStatus(QStringLiteral("The range from %1 to %2 dB in steps of %3 gives no points, or "
                                  "more than %4")
                       .arg(from)
                       .arg(to)
                       .arg(step_->value())
                       .arg(kMaxSweepPoints));
        return false;
    }
    const SweepChoices choices{
        noise_->currentIndex() == 0 ? NoiseScaling::Fixed : NoiseScaling::PerRun,
        thresholds_->currentIndex() == 0 ? ThresholdChoice::Midway : ThresholdChoice::AsSet};
    const SweepSetup setup = SetUpSweep(SweepSnapshot(form_), choices, *values);
    if (!setup.Runnable()) {
        // The noise box takes no more than kMaxNoiseLevel: the point would run at another
        // Eb/N0 than it says.
        ShowStatus(QStringLiteral("%1 dB needs more noise than the largest level, %2 W/kHz; "
                                  "start the range higher")
                       .arg(*setup.beyondNoiseLimit)
                       .arg(kMaxNoiseLevel));
        return false;
    }
    sweep_.reset();  // the previous one has finished; join its threads
    const SweepSettings& settings = setup.settings;
    const std::vector<SweepPoint>& points = setup.points;
    current_ = BerCurve::For(settings, points);
    SweepLimits limits;
    limits.minErrors = static_cast<uint64_t>(minErrors_->value());
    limits.maxBits = static_cast<uint64_t>(std::llround(maxBits_->value()));
    minErrorsAsked_ = limits.minErrors;
    const uint64_t id = ++sweepId_;
    // Called on the workers: queued signals hand everything to this window's thread.
    SweepCallbacks callbacks;
    callbacks.onProgress = [this, id](const SweepProgress& p) { emit ProgressReported(id, p); };
    callbacks.onPoint = [this, id](const PointResult& r) { emit PointReported(id, r); };
    callbacks.onFinished = [this, id](const SweepOutcome& o) { emit SweepEnded(id, o); };
    const SweepRunner kind =
        runner_->currentIndex() == 1 ? SweepRunner::Engine : SweepRunner::Folded;
    sweep_ =
        std::make_unique<Sweep>(SweepRunners(settings, kind), points, limits, std::move(callbacks));
    finished_ = false;
    progress_->setValue(0);
    const std::string note = InseparableNote(*current_);
    ShowStatus(QStringLiteral("Sweeping %1 points of %2 on %3 threads%4")
                   .arg(points.size())
                   .arg(Text(current_->label))
                   .arg(sweep_->Threads())
                   .arg(note.empty() ? QString() : QStringLiteral(". ") + Text(note)));
    sweep_->Start();
    UpdateButtons();
    Replot();
    return true;
}

void BerCurveWindow::Stop() {
    if (Running()) sweep_->Cancel();
}

void BerCurveWindow::OnProgress(uint64_t id, const SweepProgress& p) {
    if (id != sweepId_ || !current_) return;
    current_->Update(p.point, p.counts, false);
    // The current point counts as done when it has its errors (its bits are the other end).
    const double errors =
        static_cast<double>(p.counts.errors) / static_cast<double>(minErrorsAsked_);
    const double bits = static_cast<double>(p.counts.bits) / std::max(1.0, maxBits_->value());
    const double part = std::min(1.0, std::max(errors, bits));
    const double done = (static_cast<double>(p.pointsDone) + (p.pointsDone < p.points ? part : 0)) /
                        std::max<std::size_t>(1, p.points);
    progress_->setValue(static_cast<int>(std::lround(std::min(done, 1.0) * 1000)));
    if (!replotTimer_.isActive()) replotTimer_.start();
}

void BerCurveWindow::OnPoint(uint64_t id, const PointResult& result) {
    if (id != sweepId_ || !current_ || result.index >= current_->points.size()) return;
    current_->points[result.index] = result;
    if (!replotTimer_.isActive()) replotTimer_.start();
}

void BerCurveWindow::OnFinished(uint64_t id, const SweepOutcome& outcome) {
    if (id != sweepId_) return;
    if (!outcome.error.empty()) {
        ShowStatus(QStringLiteral("Stopped: %1").arg(Text(outcome.error)));
    } else if (outcome.cancelled) {
        ShowStatus(QStringLiteral("Stopped; the points keep the chunks that finished"));
    } else {
        progress_->setValue(progress_->maximum());
        const std::string note = current_ ? InseparableNote(*current_) : std::string();
        ShowStatus(note.empty() ? QStringLiteral("Finished")
                                : QStringLiteral("Finished. %1").arg(Text(note)));
    }
    // The final counts of every point, cancelled ones included.
    if (current_ && sweep_) {
        for (const PointResult& r : sweep_->Results())
            current_->Update(r);
    }
    EndSweep();
}

void BerCurveWindow::EndSweep() {
    finished_ = true;
    UpdateButtons();
    Replot();
    emit Finished();
}

void BerCurveWindow::Hold() {
    if (Running() || !current_) return;
    held_.push_back(std::move(*current_));
    current_.reset();
    UpdateButtons();
    Replot();
}

void BerCurveWindow::Clear() {
    held_.clear();
    if (!Running()) current_.reset();
    UpdateButtons();
    Replot();
}

std::vector<BerCurve> BerCurveWindow::Curves() const {
    std::vector<BerCurve> curves = held_;
    if (current_) curves.push_back(*current_);
    return curves;
}

void BerCurveWindow::UpdateButtons() {
    const bool running = Running();
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    hold_->setEnabled(!running && current_.has_value());
    clear_->setEnabled(!held_.empty() || (!running && current_.has_value()));
    export_->setEnabled(!running && (!held_.empty() || current_.has_value()));
    for (QWidget* box : {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_),
                         static_cast<QWidget*>(step_), static_cast<QWidget*>(minErrors_),
                         static_cast<QWidget*>(maxBits_), static_cast<QWidget*>(runner_),
                         static_cast<QWidget*>(noise_), static_cast<QWidget*>(thresholds_)})
        box->setEnabled(!running);
}

void BerCurveWindow::Replot() {
    plot_->clearPlottables();
    plot_->clearItems();
    int colour = 0;
    for (const BerCurve& curve : held_)
        AddCurve(curve, colour++, false);
    if (current_) AddCurve(*current_, colour, true);
    // Until a curve exists the plot shows the ideal curve of the main window's setting.
    if (held_.empty() && !current_) {
        const std::vector<double> values = {from_->value(), to_->value()};
        const SweepSettings settings = SweepSnapshot(form_);
        AddTheory(BerCurve::For(settings, SweepPointsFor(settings, values)), ColourOf(0));
    }
    double low = 1e-1;
    double lowX = from_->value(), highX = to_->value();
    for (int i = 0; i < plot_->plottableCount(); ++i) {
        bool found = false;
        const QCPRange range = plot_->plottable(i)->getValueRange(found, QCP::sdPositive);
        if (found) low = std::min(low, range.lower);
        const QCPRange keys = plot_->plottable(i)->getKeyRange(found);
        if (found) {
            lowX = std::min(lowX, keys.lower);
            highX = std::max(highX, keys.upper);
        }
    }
    low = std::max(low, kLowestShown);
    plot_->yAxis->setRange(std::pow(10.0, std::floor(std::log10(low))), 1.0);
    plot_->xAxis->setRange(lowX - 0.5, highX + 0.5);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void BerCurveWindow::AddCurve(const BerCurve& curve, int colour, bool live) {
    if (curve.points.empty()) return;
    const QColor c = ColourOf(colour);
    AddTheory(curve, c);
    const CurvePlotData data = PlotDataOf(curve);
    QCPGraph* measured = plot_->addGraph();
    measured->setData(Vec(data.x), Vec(data.y), true);
    measured->setPen(QPen(c, (live ? 1.8 : 1.4) * zoom_));
    measured->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, c, 6 * zoom_));
    // The legend says which runner made the curve's points.
    const std::string runner = RunnerOf(curve);
    measured->setName(Text(MeasuredLegend(curve.label, runner)));
    auto* bars = new QCPErrorBars(plot_->xAxis, plot_->yAxis);
    bars->setDataPlottable(measured);
    bars->setData(Vec(data.below), Vec(data.above));
    bars->setPen(QPen(c, zoom_));
    bars->removeFromLegend();
    // Where the decision rule cannot separate the levels the point says so, upright at its
    // Eb/N0 from near the top, in place of a rate.
    for (const double x : data.inseparableX) {
        auto* note = new QCPItemText(plot_);
        note->setObjectName(QString::fromLatin1(kInseparableNote));
        note->setText(QString::fromLatin1(kInseparableNote));
        note->setColor(c);
        note->setFont(plot_->xAxis->labelFont());
        note->position->setCoords(x, 0.5);
        note->setPositionAlignment(Qt::AlignRight | Qt::AlignVCenter);
        note->setRotation(-90);
        note->setClipToAxisRect(true);
    }
    if (!data.boundX.empty()) {
        // No error yet: only an upper end, drawn as a downward triangle.
        QCPGraph* bound = plot_->addGraph();
        bound->setData(Vec(data.boundX), Vec(data.boundY), true);
        bound->setLineStyle(QCPGraph::lsNone);
        bound->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssTriangleInverted, c, 8 * zoom_));
        bound->removeFromLegend();
    }
}

// The theory of the curve's setting (TheoryLinesOf), sampled finely over its range. The samples
// come from a worker thread; until they are in, the curve is left out and the plot looks
// again shortly.
void BerCurveWindow::AddTheory(const BerCurve& curve, const QColor& colour) {
    if (curve.points.empty()) return;
    statistical_->Plot(*plot_, curve, colour);
    const double first = curve.points.front().point.dEbN0dB;
    const double last = curve.points.back().point.dEbN0dB;
    const std::string key = curve.label + '|' + std::to_string(first) + '|' + std::to_string(last);
    auto it = theory_.find(key);
    const bool fresh = it == theory_.end();
    if (fresh) {
        const SweepSettings settings = curve.settings;
        auto job = std::async(std::launch::async, [settings, first, last] {
            return TheoryLinesOf(settings, first, last);
        });
        it = theory_.emplace(key, job.share()).first;
    }
    // A quick setting is ready at once; a slow one is not waited for twice.
    const auto wait = fresh ? std::chrono::milliseconds(300) : std::chrono::milliseconds(0);
    if (it->second.wait_for(wait) != std::future_status::ready) {
        if (!replotTimer_.isActive()) replotTimer_.start();
        return;
    }
    // The ideal receiver dashed; Manchester's optimum receiver, which correlates over the
    // whole bit, dotted as its own labelled curve.
    for (const TheoryLine& line : it->second.get()) {
        QCPGraph* theory = plot_->addGraph();
        theory->setData(Vec(line.x), Vec(line.y), true);
        theory->setPen(QPen(colour, 1.2 * zoom_,
                            line.style == TheoryLine::Style::Dotted ? Qt::DotLine : Qt::DashLine));
        theory->setName(Text(line.name));
    }
}

bool BerCurveWindow::ExportCsv(const QString& path) {
    const std::string csv = CurvesCsv(Curves());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        ShowStatus(QStringLiteral("Cannot write %1").arg(path));
        return false;
    }
    return true;
}

bool BerCurveWindow::ExportPng(const QString& path) {
    Replot();
    const bool saved = plot_->savePng(path, 0, 0, 2.0);
    if (!saved) ShowStatus(QStringLiteral("Cannot write %1").arg(path));
    return saved;
}

bool BerCurveWindow::ExportPdf(const QString& path) {
    Replot();
    const bool saved = plot_->savePdf(path, 0, 0, QCP::epNoCosmetic, QStringLiteral("LineLab"),
                                      QStringLiteral("BER curve"));
    if (!saved) ShowStatus(QStringLiteral("Cannot write %1").arg(path));
    return saved;
}

void BerCurveWindow::AskExport(const QString& filter,
                               bool (BerCurveWindow::*save)(const QString&)) {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export BER curve"), QString(), filter);
    if (!path.isEmpty()) (this->*save)(path);
}

void BerCurveWindow::ShowStatus(const QString& text) {
    status_->setText(text);
}

// The main window's setting may have changed while this window was away.
void BerCurveWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        // Within the screen it opens on, however small or scaled.
        placed_ = true;
        if (const QScreen* where = screen()) {
            const QMargins frame(geometry().left() - frameGeometry().left(),
                                 geometry().top() - frameGeometry().top(),
                                 frameGeometry().right() - geometry().right(),
                                 frameGeometry().bottom() - geometry().bottom());
            const QRect outer = InitialGeometry(where->availableGeometry(), size().grownBy(frame));
            setGeometry(outer.marginsRemoved(frame));
        }
    }
    Replot();
}

void BerCurveWindow::closeEvent(QCloseEvent* event) {
    if (Running()) {
        sweep_->Cancel();
        sweep_->Wait();  // every worker stops after its current run
        if (current_) {
            for (const PointResult& r : sweep_->Results())
                current_->Update(r);
        }
        ++sweepId_;  // what the workers queued before stopping is stale now
        ShowStatus(QStringLiteral("Stopped when the window closed"));
        EndSweep();
    }
    sweep_.reset();
    QWidget::closeEvent(event);
}
}  // namespace linelab
