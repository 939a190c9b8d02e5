#pragma once
// The bathtub view: the predicted rate of wrong decisions against the sampling instant (at
// the thresholds in use) and against the threshold (at the instant in use), on log axes down
// to 1e-15, with the sliders' places, the best place and the eye's opening at 1e-6 and 1e-12.
// A worker works the curves out when the settings change; a queued signal hands them back.
// "Move sliders to the best place" moves the window's sliders as a user would.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/Bathtub.h"
#include "app/qt/SettingsJob.h"
#include "sweep/SweepSettings.h"
#include "ui/Controls.h"

class QCustomPlot;
class QLabel;
class QPushButton;
class QTimer;

namespace linelab {

class Form1;

struct BathtubResult {
    std::optional<Bathtub> bathtub;
    QString problem;  // empty when the statistics could be formed
};
BathtubResult ComputeBathtubFor(const SweepSettings& settings);

class BathtubWindow : public QWidget {
    Q_OBJECT

  public:
    // `moveSlider` moves one of the window's sliders as a user's drag does.
    BathtubWindow(Form1& form, std::function<void(SliderId, int)> moveSlider,
                  QWidget* parent = nullptr);
    ~BathtubWindow() override;

    // Asks for the curves again when the settings have changed (and none are being worked
    // out); the window calls it after every action and run while shown.
    void Refresh();
    void MoveToBest();

    const BathtubResult* Result() const { return result_.get(); }
    bool Busy() const { return job_.Busy(); }
    int Jobs() const { return job_.Jobs(); }
    QString Readout() const;
    QCustomPlot& InstantPlot() { return *byInstant_; }
    QCustomPlot& ThresholdPlot() { return *byThreshold_; }

  signals:
    void Computed(std::shared_ptr<const BathtubResult> result);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Take(std::shared_ptr<const BathtubResult> result);
    void Draw();

    Form1& form_;
    std::function<void(SliderId, int)> moveSlider_;
    QCustomPlot* byInstant_ = nullptr;
    QCustomPlot* byThreshold_ = nullptr;
    QLabel* readout_ = nullptr;
    QPushButton* best_ = nullptr;
    QTimer* poll_ = nullptr;
    std::shared_ptr<const BathtubResult> result_;
    SettingsJob job_;
};

}  // namespace linelab
