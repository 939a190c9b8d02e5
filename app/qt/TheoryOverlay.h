#pragma once
// View > Theory: the line code's expected power spectrum drawn over the transmit spectrum
// panel, in the panel's own scale, and labelled. It is painted over the panel's picture at
// every repaint and never drawn into it, so the panel's traces stay exactly as they are.

#include <QObject>
#include <optional>

#include "analysis/LineSpectrum.h"
#include "common/RunState.h"
#include "common/Signal.h"

class QAction;
class QMenu;
class QPainter;
class QRect;

namespace linelab {

class Form1;
class PicturePanel;

class TheoryOverlay : public QObject {
    Q_OBJECT

  public:
    TheoryOverlay(Form1& form, PicturePanel& txSpectrum, QObject* parent);

    void AddViewItem(QMenu& view);
    void SetOn(bool on);
    bool On() const { return on_; }

    // The curve for the settings and transmit response in force, worked out again only
    // when they have changed since the last call; empty where no theory is known.
    const std::optional<SpectrumAverage>& Curve();

  private:
    void Paint(QPainter& painter, const QRect& area);

    Form1& form_;
    PicturePanel& panel_;
    QAction* action_ = nullptr;
    bool on_ = false;
    // What the cached curve was worked out for.
    bool cached_ = false;
    LineSpectrumSettings settings_;
    double rate_ = 0;
    Signal response_{};
    std::optional<SpectrumAverage> curve_;
};

}  // namespace linelab
