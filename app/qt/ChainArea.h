#pragma once
// The window's central area. It holds every control widget and paints the window-less
// decorations behind them as a quiet background: the frame of the simulation controls
// (Shape1) and the line under it (Line1), one framed area per stage (shpTx, shpChannel,
// shpRx, shpOutput) and the hint lines that follow the signal from panel to panel.

#include <QWidget>
#include <array>
#include <memory>

#include "app/qt/ChainLayout.h"
#include "app/qt/ControlWidgets.h"
#include "ui/Controls.h"

namespace linelab {

class Form1;

class ChainArea : public QWidget {
    Q_OBJECT

  public:
    explicit ChainArea(const Form1& form, QWidget* parent = nullptr);

    // Creates the control widgets (once) and lays them out for the model's scene.
    ControlWidgets& Widgets() { return widgets_; }
    ChainLayout& Layout() { return *layout_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintStages(QPainter& painter);
    void PaintHints(QPainter& painter);
    void PaintTopBar(QPainter& painter);
    // Where the stage frames and the top bar stand now.
    std::array<QRect, kStageColumns + 1> Frames() const;

    const Form1& form_;
    ControlWidgets widgets_;
    std::unique_ptr<ChainLayout> layout_;
    std::array<QRect, kStageColumns + 1> painted_;  // where the last paint put them
};

}  // namespace linelab
