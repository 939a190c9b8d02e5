#include "app/qt/Logo.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <array>

namespace linelab {
namespace {

constexpr int kWidth = 168;
constexpr int kHeight = 40;

constexpr std::array<int, 7> kLogoBits = {1, 0, 1, 1, 0, 0, 1};

// A few bits of a polar line code: the program's subject in one glance.
QPainterPath Wave(double left, double step, double high, double low) {
    const auto level = [high, low](int bit) { return bit == 1 ? high : low; };
    QPainterPath wave;
    wave.moveTo(left, level(kLogoBits[0]));
    for (std::size_t i = 0; i < kLogoBits.size(); ++i) {
        const double x = left + step * static_cast<double>(i);
        wave.lineTo(x, level(kLogoBits[i]));
        wave.lineTo(x + step, level(kLogoBits[i]));
    }
    return wave;
}

QPixmap LogoPixmap(qreal ratio) {
    QPixmap pixmap(QSize(kWidth, kHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(QColor(30, 90, 200), 2.5));
    painter.drawPath(Wave(4, 8.0, 9.0, 31.0));

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

QIcon LogoIcon() {
    QIcon icon;
    for (int side : {16, 32, 64, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(244, 247, 251));
        painter.drawRoundedRect(QRectF(0, 0, side, side), side / 6.0, side / 6.0);
        painter.setPen(QPen(QColor(30, 90, 200), std::max(1.5, side / 14.0)));
        const double step = side * 0.84 / static_cast<double>(kLogoBits.size());
        painter.drawPath(Wave(side * 0.08, step, side * 0.25, side * 0.75));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QLabel* MakeLogo(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(LogoPixmap(qGuiApp->devicePixelRatio()));
    label->setFixedSize(kWidth, kHeight);
    return label;
}

}  // namespace linelab
