#pragma once
// The window side of the measurements: the readouts beside the noise box, under the BER
// caption and beside the receive eye, the density eyes and calipers painted over the eye
// panels, View > "Density eyes" and "Eye opening", Run > "Fast" (the status bar says so).
// Every run of the window goes through Tick() (or the fast loop), so the measurements see
// every run.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "ui/FastRun.h"
#include "ui/Measurements.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QPainter;

namespace linelab {

struct ControlWidgets;
struct TimerControl;

class MeasureView : public QObject {
    Q_OBJECT

  public:
    struct Hooks {
        std::function<void()> afterDrawnRun;  // flush the panels, lay out, repaint
        std::function<void()> applyTimer;     // the window reapplies the model's timer
        // The fast loop's runs per second for the status bar (0 until it has measured a
        // second), or nullopt when Fast is off.
        std::function<void(std::optional<double>)> fastStatus;
    };

    // Creates the readout labels (placed by the layout through `widgets`) and puts the
    // measurements between the form and the panels.
    MeasureView(QMainWindow& window, Form1& form, ControlWidgets& widgets, Hooks hooks);
    ~MeasureView() override;

    // The menu items: View's two switches and Run > "Fast".
    void AddViewItems(QMenu& view);
    void AddRunItems(QMenu& run);

    // One run of Timer1, measured.
    void Tick();
    // The readouts' texts and which of them show.
    void Refresh();

    // While Fast is on it runs in place of Timer1 (when the model's timer is enabled) and
    // this returns true; the window then keeps Timer1 stopped.
    bool TakesTimer(const TimerControl& timer);
    // A modal box is open: no run until the window reapplies the timer.
    void Hold() { fastTimer_.stop(); }

    void SetFast(bool on);
    bool Fast() const { return fast_ != nullptr; }
    void SetDensity(bool on);
    void SetEyeOpening(bool on);
    bool EyeOpening() const { return eyeOpening_; }
    // More to paint over the receive eye, after the density and the calipers, in the
    // panel's own drawing pixels (scaled with them when shown large); null for none.
    using EyePainter = std::function<void(QPainter&, const QRect&)>;
    void SetRxEyeExtra(EyePainter paint);

    Measurements& Model() { return measurements_; }
    const FastRun* FastLoop() const { return fast_.get(); }
    QAction* FastAction() const { return fastAction_; }
    QAction* DensityAction() const { return densityAction_; }
    QAction* EyeOpeningAction() const { return eyeOpeningAction_; }

  private:
    void FastSlice();
    void SetOverlays();
    void PaintEye(int eye, QPainter& painter, const QRect& rect);
    void RefreshStatus();

    QMainWindow& window_;
    Form1& form_;
    ControlWidgets& w_;
    Hooks hooks_;
    Measurements measurements_;
    std::unique_ptr<FastRun> fast_;
    QTimer fastTimer_;
    QAction* fastAction_ = nullptr;
    QAction* densityAction_ = nullptr;
    QAction* eyeOpeningAction_ = nullptr;
    bool eyeOpening_ = false;
    EyePainter rxExtra_;
};

}  // namespace linelab
