#include "app/qt/WarningBox.h"

namespace linelab {

QString WarningText(const QString& text) {
    QString cut = text;
    if (cut.size() > kWarningChars) {
        qsizetype end = kWarningChars;
        if (cut.at(end - 1).isHighSurrogate()) --end;  // never half a character
        cut = cut.left(end) + QStringLiteral("...");
    }
    constexpr QChar kZeroWidthSpace(0x200B);
    QString out;
    out.reserve(cut.size() + cut.size() / kUnbrokenChars);
    qsizetype run = 0;
    for (qsizetype i = 0; i < cut.size(); ++i) {
        const QChar c = cut.at(i);
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run >= kUnbrokenChars && !c.isHighSurrogate()) {
            out += kZeroWidthSpace;
            run = 0;
        }
    }
    return out;
}

std::unique_ptr<QMessageBox> MakeWarningBox(QWidget* parent, const QString& title,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, title, WarningText(text),
                                             buttons, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void ShowWarning(QWidget* parent, const QString& title, const QString& text) {
    MakeWarningBox(parent, title, text)->exec();
}

}  // namespace linelab
