#pragma once
// One panel shown large, filling the window: the panel paints itself into this view at its
// size, from the lines it keeps, with its bands and axes, and a readout line beneath. Esc or
// a double click ends it. The panel itself stays in its place in the layout, at its size, so
// the scale every run is drawn with does not change while a panel is shown large.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/qt/PicturePanel.h"

namespace linelab {

class PresentationView : public QWidget {
    Q_OBJECT

  public:
    explicit PresentationView(QWidget* parent = nullptr);

    // The readouts shown under a panel (the BER under an eye, say); empty for none.
    using Readout = std::function<QString(const PicturePanel&)>;
    void SetReadout(Readout readout) { readout_ = std::move(readout); }

    void Show(PicturePanel* panel);
    PicturePanel* Panel() const { return panel_; }
    // Where the panel is painted inside the view.
    QRect PanelRect() const;
    // The text of the panel's bands and of the readout, larger as the picture is.
    QFont PanelFont() const;

  signals:
    void Done();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QFont ResultFont() const;
    QString ReadoutText() const;

    QPointer<PicturePanel> panel_;
    QMetaObject::Connection changed_;
    Readout readout_;
};

}  // namespace linelab
