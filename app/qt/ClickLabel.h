#pragma once
// A label that reports a click (lblBER restarts the running bit error rate when clicked).

#include <QLabel>
#include <QMouseEvent>

namespace linelab {

class ClickLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  signals:
    void Clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) emit Clicked();
        QLabel::mousePressEvent(event);
    }
};

}  // namespace linelab
