#pragma once
// The window's warning boxes: whatever a message holds, the box fits on the screen. Its
// text is cut to a length a screen shows, and a run of characters without a space (a long
// file name, a token of a file) is given places to wrap, since a label only wraps at spaces
// and would otherwise grow as wide as the run.

#include <QMessageBox>
#include <QString>
#include <memory>

class QWidget;

namespace linelab {

// The most of a message a box shows, in characters, and the longest run without a place
// to wrap.
inline constexpr qsizetype kWarningChars = 1000;
inline constexpr qsizetype kUnbrokenChars = 40;

// The text as the box shows it: cut, with "..." marking the cut, and breakable.
QString WarningText(const QString& text);

// The box, not yet shown (tests look at it); ShowWarning runs it.
std::unique_ptr<QMessageBox> MakeWarningBox(QWidget* parent, const QString& title,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);
void ShowWarning(QWidget* parent, const QString& title, const QString& text);

}  // namespace linelab
