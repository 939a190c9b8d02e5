#include "app/qt/BathtubWindow.h"

#include <qcustomplot.h>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/qt/SettingsJob.h"
#include "sweep/EngineChunkRunner.h"
#include "transmit/Transmit.h"
#include "ui/Form1.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

constexpr double kFloor = 1e-15;  // the axes' bottom; lower rates sit on it

QCustomPlot* NewPlot(QWidget* parent, const QString& x) {
    auto* plot = new QCustomPlot(parent);
    plot->setMinimumSize(360, 220);
    plot->xAxis->setLabel(x);
    plot->yAxis->setLabel(QStringLiteral("rate of wrong decisions"));
    plot->yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot->yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    plot->yAxis->setRange(kFloor, 1.0);
    plot->addGraph()->setPen(QPen(QColor(0, 70, 200), 1.5));
    return plot;
}

// A vertical line at x in the plot: the slider in use (solid green) or the best (dashed red).
void Mark(QCustomPlot& plot, double x, bool best) {
    auto* line = new QCPItemStraightLine(&plot);
    line->point1->setCoords(x, kFloor);
    line->point2->setCoords(x, 1.0);
    line->setPen(best ? QPen(QColor(200, 0, 0), 1.2, Qt::DashLine) : QPen(QColor(0, 150, 0), 1.5));
}

double Shown(double rate) {
    return std::max(rate, kFloor);
}

}  // namespace

BathtubResult ComputeBathtubFor(const SweepSettings& settings) {
    BathtubResult out;
    try {
        const std::optional<LinkStatistics> stats =
            ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
        if (!stats) {
            out.problem = QStringLiteral("No statistics for these settings");
            return out;
        }
        out.bathtub = ComputeBathtub(*stats, stats->noiseSigma);
    } catch (const std::exception& e) {
        out.problem = QString::fromUtf8(e.what());
    }
    return out;
}

BathtubWindow::BathtubWindow(Form1& form, std::function<void(SliderId, int)> moveSlider,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), moveSlider_(std::move(moveSlider)) {
    setObjectName(QStringLiteral("BathtubWindow"));
    setWindowTitle(QStringLiteral("Bathtub"));
    byInstant_ = NewPlot(this, QStringLiteral("sampling instant (slider steps)"));
    byThreshold_ = NewPlot(this, QStringLiteral("threshold (V)"));
    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("bathtubReadout"));
    readout_->setTextFormat(Qt::PlainText);
    best_ = new QPushButton(QStringLiteral("Move sliders to the best place"), this);
    best_->setObjectName(QStringLiteral("bathtubBest"));
    best_->setEnabled(false);
    connect(best_, &QPushButton::clicked, this, &BathtubWindow::MoveToBest);
    auto* plots = new QHBoxLayout;
    plots->addWidget(byInstant_);
    plots->addWidget(byThreshold_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(plots, 1);
    layout->addWidget(readout_);
    layout->addWidget(best_, 0, Qt::AlignLeft);
    connect(this, &BathtubWindow::Computed, this, &BathtubWindow::Take, Qt::QueuedConnection);
    // The settings are compared (not worked out) a few times a second while shown.
    poll_ = new QTimer(this);
    poll_->setInterval(250);
    connect(poll_, &QTimer::timeout, this, &BathtubWindow::Refresh);
}

BathtubWindow::~BathtubWindow() {
    job_.Join();  // before the members its result would reach
}

void BathtubWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    poll_->start();
    Refresh();
}

void BathtubWindow::Refresh() {
    if (!isVisible()) {
        poll_->stop();
        return;
    }
    // While a job runs, Take asks again.
    job_.Ask(form_, [this](const SweepSettings& settings) {
        emit Computed(std::make_shared<const BathtubResult>(ComputeBathtubFor(settings)));
    });
}

void BathtubWindow::Take(std::shared_ptr<const BathtubResult> result) {
    job_.Finished();
    result_ = std::move(result);
    Draw();
    Refresh();
}

QString BathtubWindow::Readout() const {
    if (result_ == nullptr) return QStringLiteral("Working...");
    if (!result_->bathtub) return result_->problem;
    const Bathtub& b = *result_->bathtub;
    QStringList lines;
    lines << QStringLiteral("In use: instant %1, threshold %2 V.  Best: instant %3, threshold %4 V")
                 .arg(b.instantInUse)
                 .arg(b.thresholdInUse, 0, 'f', 3)
                 .arg(b.bestInstant)
                 .arg(b.bestThreshold, 0, 'f', 3);
    for (const EyeOpening& o : b.openings) {
        lines << QStringLiteral("At %1: eye width %2 symbol, height %3 V")
                     .arg(o.rate, 0, 'g', 2)
                     .arg(o.width, 0, 'f', 3)
                     .arg(o.height, 0, 'f', 3);
    }
    return lines.join(QLatin1Char('\n'));
}

void BathtubWindow::Draw() {
    readout_->setText(Readout());
    byInstant_->clearItems();
    byThreshold_->clearItems();
    const bool have = result_ != nullptr && result_->bathtub.has_value();
    best_->setEnabled(have);
    QVector<double> ix, iy, tx, ty;
    if (have) {
        const Bathtub& b = *result_->bathtub;
        for (std::size_t i = 0; i < b.instants.size(); ++i) {
            ix << b.instants[i];
            iy << Shown(b.byInstant[i].wrongDecisions);
        }
        for (std::size_t i = 0; i < b.thresholds.size(); ++i) {
            tx << b.thresholds[i];
            ty << Shown(b.byThreshold[i]);
        }
        Mark(*byInstant_, b.instantInUse, false);
        Mark(*byInstant_, b.bestInstant, true);
        Mark(*byThreshold_, b.thresholdInUse, false);
        Mark(*byThreshold_, b.bestThreshold, true);
        if (!ix.isEmpty()) byInstant_->xAxis->setRange(ix.front(), ix.back());
        if (!tx.isEmpty()) byThreshold_->xAxis->setRange(tx.front(), tx.back());
    }
    byInstant_->graph(0)->setData(ix, iy, true);
    byThreshold_->graph(0)->setData(tx, ty, true);
    byInstant_->replot();
    byThreshold_->replot();
}

void BathtubWindow::MoveToBest() {
    if (result_ == nullptr || !result_->bathtub || !moveSlider_) return;
    const Bathtub b = *result_->bathtub;  // the moves may bring a new result
    moveSlider_(SliderId::hscSample, b.bestInstant);
    moveSlider_(SliderId::vscThreshold, std::clamp(ThresholdSliderFor(b.bestThreshold), 0, 100));
}

}  // namespace linelab
