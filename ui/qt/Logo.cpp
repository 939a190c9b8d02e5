#include "ui/qt/Logo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace linelab {
namespace {

constexpr int kWidth = 168;
constexpr int kHeight = 40;

QPixmap LogoPixmap(qreal ratio) {
    QPixmap pixmap(QSize(kWidth, kHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A few bits of a polar line code: the program's subject in one glance.
    constexpr std::array<int, 7> kBits = {1, 0, 1, 1, 0, 0, 1};
    QPainterPath wave;
    const double step = 8.0;
    const auto level = [](int bit) { return bit == 1 ? 9.0 : 31.0; };
    wave.moveTo(4, level(kBits[0]));
    for (std::size_t i = 0; i < kBits.size(); ++i) {
        const double x = 4 + step * static_cast<double>(i);
        wave.lineTo(x, level(kBits[i]));
        wave.lineTo(x + step, level(kBits[i]));
    }
    painter.setPen(QPen(QColor(30, 90, 200), 2.5));
    painter.drawPath(wave);

    QFont font = painter.font();
    font.setPointSizeF(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 48, 60));
    painter.drawText(QRect(68, 0, kWidth - 68, kHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("LineLab"));
    return pixmap;
}

}  // namespace

QLabel* MakeLogo(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(LogoPixmap(qGuiApp->devicePixelRatio()));
    label->setFixedSize(kWidth, kHeight);
    return label;
}

}  // namespace linelab
