#pragma once
// View > Theory (ui/TheoryView.h): the line code's expected power spectrum painted over the
// panel's picture at every repaint and never drawn into it, so the panel's traces stay
// exactly as they are; where it cannot be seen the window's status line says why.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "ui/TheoryView.h"

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
    using Note = std::function<void(const QString&)>;
    TheoryOverlay(Form1& form, PicturePanel& txSpectrum, PicturePanel& channelSpectrum, Note note,
                  QObject* parent);

    void AddViewItem(QMenu& view);
    void SetOn(bool on);
    bool On() const { return on_; }
    // After a scene or a switch changed: the curve moves to the panel that now shows the
    // transmitter's output, and the status line says so where it cannot be seen.
    void Follow();
    // The panel the curve is drawn over in this scene; null where there is none.
    PicturePanel* Target() const;
    // Why the curve cannot be seen now; empty where it can.
    QString Hint() const;

    // The curve for the settings and transmit response in force, worked out again only
    // when they have changed since the last call; empty where no theory is known.
    const std::optional<SpectrumAverage>& Curve();

  private:
    void Paint(QPainter& painter, const QRect& area);

    Form1& form_;
    PicturePanel& tx_;
    PicturePanel& channel_;
    Note note_;
    PicturePanel* shownOn_ = nullptr;  // where the overlay is set
    QString hinted_;                   // the last hint given, not repeated at every action
    QAction* action_ = nullptr;
    bool on_ = false;
    TheoryCurve curve_;
};

}  // namespace linelab
