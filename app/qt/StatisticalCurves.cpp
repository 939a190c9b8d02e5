#include "app/qt/StatisticalCurves.h"

#include <qcustomplot.h>
#include <QPen>
#include <exception>
#include <utility>

#include "app/curves/BerCurves.h"
#include "app/curves/StatisticalCurve.h"
#include "sweep/EngineChunkRunner.h"

namespace linelab {
namespace {

constexpr int kSamples = 60;

}  // namespace

StatisticalCurve ComputeStatisticalCurve(const SweepSettings& settings, double first, double last,
                                         int samples, double lowest) {
    StatisticalCurveData data = StatisticalCurveFor(settings, first, last, samples, lowest);
    return {std::move(data.ebN0), std::move(data.rate), QString::fromStdString(data.problem)};
}

StatisticalCurves::StatisticalCurves(double lowest, QObject* parent)
    : QObject(parent), lowest_(lowest) {
    connect(this, &StatisticalCurves::Computed, this, &StatisticalCurves::Take,
            Qt::QueuedConnection);
}

StatisticalCurves::~StatisticalCurves() {
    for (auto& [key, worker] : workers_)
        if (worker.joinable()) worker.join();
}

const StatisticalCurve* StatisticalCurves::For(const BerCurve& curve) {
    if (curve.points.empty()) return nullptr;
    const double first = curve.points.front().point.dEbN0dB;
    const double last = curve.points.back().point.dEbN0dB;
    // The label names the code, mapping, filters and receiver; the rest of what the
    // statistics read is added.
    const LinkConfig& c = curve.settings.config;
    const std::string key = curve.label + '|' + std::to_string(first) + '|' + std::to_string(last) +
                            '|' + std::to_string(c.echo.gain) + '|' + std::to_string(c.echo.delay) +
                            '|' + std::to_string(c.invert) + '|' +
                            std::to_string(c.samplingOffset) + '|' + std::to_string(c.iPulseWidth) +
                            '|' + std::to_string(curve.settings.dThresholds[0]) + '|' +
                            std::to_string(curve.settings.thresholdSlider);
    const auto it = curves_.find(key);
    if (it != curves_.end()) return it->second.get();
    curves_.emplace(key, nullptr);
    const SweepSettings settings = curve.settings;
    const double lowest = lowest_;
    ++jobs_;
    workers_[key] = std::thread([this, key, settings, first, last, lowest] {
        emit Computed(key, std::make_shared<const StatisticalCurve>(
                               ComputeStatisticalCurve(settings, first, last, kSamples, lowest)));
    });
    return nullptr;
}

void StatisticalCurves::Take(const std::string& key,
                             std::shared_ptr<const StatisticalCurve> curve) {
    curves_[key] = std::move(curve);
    // Its worker has handed the curve over and is ending.
    if (const auto it = workers_.find(key); it != workers_.end()) {
        if (it->second.joinable()) it->second.join();
        workers_.erase(it);
    }
    emit Ready();
}

void StatisticalCurves::Plot(QCustomPlot& plot, const BerCurve& curve, const QColor& colour) {
    const StatisticalCurve* stat = For(curve);
    if (stat == nullptr || stat->x.empty()) return;
    QCPGraph* graph = plot.addGraph();
    graph->setData(QVector<double>(stat->x.begin(), stat->x.end()),
                   QVector<double>(stat->y.begin(), stat->y.end()), true);
    graph->setPen(QPen(colour, 1.6, Qt::DotLine));
    graph->setName(QString::fromStdString(StatisticalLegend(curve.label)));
}

}  // namespace linelab
