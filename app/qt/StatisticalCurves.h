#pragma once
// The BER Curve window's statistical curves: for a curve's setting, the predicted data-bit
// error rate of the chain as set (filters, channel, echo, inversion, the sampling instant and
// thresholds the curve's receiver uses) against Eb/N0, from the statistical eye, drawn dotted
// beside the measured points. Worked out on a worker per setting and range; Ready (queued)
// tells the window to plot again. Nothing on the window's thread waits for them.

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QColor;
class QCustomPlot;

namespace linelab {

struct BerCurve;
struct SweepSettings;

struct StatisticalCurve {
    std::vector<double> x, y;  // Eb/N0 (dB) and the data-bit rate
    QString problem;           // why there is none (empty when x holds the curve)
};

// The curve over [first, last] dB in `samples` steps, rates below `lowest` left out.
StatisticalCurve ComputeStatisticalCurve(const SweepSettings& settings, double first, double last,
                                         int samples, double lowest);

class StatisticalCurves : public QObject {
    Q_OBJECT

  public:
    explicit StatisticalCurves(double lowest, QObject* parent = nullptr);
    ~StatisticalCurves() override;

    // The curve for `curve`'s setting and range, or null while it is being worked out
    // (the first ask starts the work).
    const StatisticalCurve* For(const BerCurve& curve);
    // Adds the curve (when ready) to `plot` in `colour`, dotted, with its legend entry.
    void Plot(QCustomPlot& plot, const BerCurve& curve, const QColor& colour);
    int Jobs() const { return jobs_; }

  signals:
    void Ready();
    void Computed(std::string key, std::shared_ptr<const StatisticalCurve> curve);

  private:
    void Take(const std::string& key, std::shared_ptr<const StatisticalCurve> curve);

    double lowest_;
    std::map<std::string, std::shared_ptr<const StatisticalCurve>> curves_;  // null: working
    std::map<std::string, std::thread> workers_;  // running, or finished and not joined
    int jobs_ = 0;
};

}  // namespace linelab
