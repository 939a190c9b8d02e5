#pragma once
// A help window: one read-only text (Text1) and a "Close" button (cmdClose). Closing (the
// button or Esc) only hides it; the menu shows the same window again.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace linelab {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    HelpWindow(const QString& title, const QString& text, QWidget* parent = nullptr);

    // Shows the window, centred over `owner` when it was hidden, in front and active.
    void ShowOver(const QWidget* owner);
    QString Text() const;
    QPushButton* CloseButton() const { return close_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

}  // namespace linelab
