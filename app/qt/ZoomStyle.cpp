#include "app/qt/ZoomStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <cmath>
#include <memory>

namespace linelab {
namespace {

// An option whose rectangle is divided by `factor`, of the option's own type.
std::unique_ptr<QStyleOptionComplex> Divided(QStyle::ComplexControl control,
                                             const QStyleOptionComplex* option, qreal factor) {
    std::unique_ptr<QStyleOptionComplex> copy;
    switch (control) {
        case QStyle::CC_ComboBox:
            if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option))
                copy = std::make_unique<QStyleOptionComboBox>(*combo);
            break;
        case QStyle::CC_ScrollBar:
        case QStyle::CC_Slider:
            if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option))
                copy = std::make_unique<QStyleOptionSlider>(*slider);
            break;
        case QStyle::CC_SpinBox:
            if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option))
                copy = std::make_unique<QStyleOptionSpinBox>(*spin);
            break;
        default:
            break;
    }
    if (copy) {
        const QRectF r(option->rect);
        copy->rect = QRectF(r.topLeft() / factor, r.size() / factor).toAlignedRect();
    }
    return copy;
}

QRect Grown(const QRect& r, qreal factor) {
    return QRectF(QPointF(r.topLeft()) * factor, QSizeF(r.size()) * factor).toAlignedRect();
}

}  // namespace

ZoomStyle::ZoomStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

bool ZoomStyle::Scaled(ComplexControl control) {
    return control == CC_ComboBox || control == CC_ScrollBar || control == CC_SpinBox;
}

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!Zoomed()) return base;
    switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
        case PM_SliderThickness:
        case PM_SliderLength:
        case PM_SliderControlThickness:
        case PM_MenuButtonIndicator:
        case PM_SmallIconSize:
        case PM_ButtonIconSize:
            return static_cast<int>(std::lround(base * factor_));
        default:
            return base;
    }
}

// A list is as much wider as its arrow grows.
QSize ZoomStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (!Zoomed() || (type != CT_ComboBox && type != CT_SpinBox)) return result;
    const auto* complex = qstyleoption_cast<const QStyleOptionComplex*>(option);
    if (complex == nullptr) return result;
    const ComplexControl control = type == CT_ComboBox ? CC_ComboBox : CC_SpinBox;
    const SubControl arrow = type == CT_ComboBox ? SC_ComboBoxArrow : SC_SpinBoxUp;
    if (auto divided = Divided(control, complex, factor_)) {
        divided->rect.setSize(result);
        ++scaled_;
        const int own = QProxyStyle::subControlRect(control, divided.get(), arrow, widget).width();
        --scaled_;
        result.rwidth() += static_cast<int>(std::lround(own * (factor_ - 1)));
    }
    return result;
}

void ZoomStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    auto divided = Zoomed() && Scaled(control) ? Divided(control, option, factor_) : nullptr;
    if (!divided) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->scale(factor_, factor_);
    ++scaled_;
    QProxyStyle::drawComplexControl(control, divided.get(), painter, widget);
    --scaled_;
    painter->restore();
}

QRect ZoomStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl sub, const QWidget* widget) const {
    auto divided = Zoomed() && Scaled(control) ? Divided(control, option, factor_) : nullptr;
    if (!divided) return QProxyStyle::subControlRect(control, option, sub, widget);
    ++scaled_;
    const QRect r = QProxyStyle::subControlRect(control, divided.get(), sub, widget);
    --scaled_;
    return Grown(r, factor_);
}

QStyle::SubControl ZoomStyle::hitTestComplexControl(ComplexControl control,
                                                    const QStyleOptionComplex* option,
                                                    const QPoint& point,
                                                    const QWidget* widget) const {
    auto divided = Zoomed() && Scaled(control) ? Divided(control, option, factor_) : nullptr;
    if (!divided) return QProxyStyle::hitTestComplexControl(control, option, point, widget);
    ++scaled_;
    const SubControl sub = QProxyStyle::hitTestComplexControl(
        control, divided.get(), (QPointF(point) / factor_).toPoint(), widget);
    --scaled_;
    return sub;
}

}  // namespace linelab
