#pragma once
// View > "BER contours": where the statistical eye's rate of wrong decisions crosses 1e-3,
// 1e-6, 1e-9 and 1e-12, drawn over the receive eye in the eye's own scale and labelled.
// The grid is worked out on a worker thread when the settings it depends on have changed
// (never in a paint), and handed back by a queued signal; until it is in, the last contours
// stay (or none). The receive eye's overlay (MeasureView) paints them, in place and large.

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/EyeContours.h"
#include "app/qt/EyeOverlay.h"
#include "app/qt/SettingsJob.h"
#include "sweep/SweepSettings.h"

class QAction;
class QMenu;
class QPainter;
class QRect;

namespace linelab {

class Form1;
class MeasureView;

// The contours of one configuration, or why there are none.
struct ContourResult {
    std::vector<EyeContour> contours;
    QString problem;  // empty when the statistics could be formed
};

// How the grid's coordinates reach the receive eye's drawing pixels: the instant (hscSample
// steps) as the eye routine places its sampling marker, the value as it places a sample.
struct ContourMap {
    double x0 = 0;     // pixels at hscSample 0
    double xStep = 0;  // pixels per hscSample step
    EyeGeometry geometry;
    double X(double instant) const { return x0 + instant * xStep; }
    double Y(double value) const { return geometry.Y(value); }
};
// None while the eyes have no area.
std::optional<ContourMap> ContourMapOf(Form1& form);

// The contours of the settings, as the worker works them out (a throwing design is a problem).
ContourResult ComputeContours(const SweepSettings& settings);

class BerContours : public QObject {
    Q_OBJECT

  public:
    BerContours(Form1& form, MeasureView& measure, QObject* parent);
    ~BerContours() override;

    void AddViewItem(QMenu& view);
    void SetOn(bool on);
    bool On() const { return on_; }
    QAction* Action() const { return action_; }

    // The contours in hand (null until the first are in) and how many were asked for.
    const ContourResult* Result() const { return result_.get(); }
    int Jobs() const { return job_.Jobs(); }
    bool Busy() const { return job_.Busy(); }

  signals:
    // Emitted on the worker; received queued on this object's thread.
    void Computed(std::shared_ptr<const ContourResult> result);

  private:
    void Paint(QPainter& painter, const QRect& area);
    // Starts the worker when the settings differ from those asked for last (and none runs).
    void Refresh();
    void Take(std::shared_ptr<const ContourResult> result);

    Form1& form_;
    MeasureView& measure_;
    QAction* action_ = nullptr;
    bool on_ = false;
    std::shared_ptr<const ContourResult> result_;
    SettingsJob job_;
};

}  // namespace linelab
