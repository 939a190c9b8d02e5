#pragma once
// A help window: one read-only text (Text1) and a "Close" button (cmdClose). Closing only
// hides it; the menu shows the same window again.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace linelab {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    HelpWindow(const QString& title, const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QPushButton* CloseButton() const { return close_; }

  private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

}  // namespace linelab
