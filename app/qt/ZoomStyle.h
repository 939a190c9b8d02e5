#pragma once
// The window's style at a presentation zoom: the application's style with the parts it sizes
// in pixels of its own (check boxes, sliders, list and spin box arrows) grown by the zoom
// factor, as the text grows with the font. Lists, sliders and spin boxes are drawn by the
// style at their size divided by the factor on a painter scaled by it, so their arrows and
// frames grow too; their parts' rectangles and hit tests are scaled the same way.

#include <QProxyStyle>

namespace linelab {

class ZoomStyle : public QProxyStyle {
  public:
    // Over a new copy of the application's style.
    ZoomStyle();

    void SetFactor(qreal factor) { factor_ = factor; }
    qreal Factor() const { return factor_; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& point,
                                     const QWidget* widget = nullptr) const override;

  private:
    // True while the factor applies: not at 1, and not inside a drawing already scaled.
    bool Zoomed() const { return factor_ != 1.0 && scaled_ == 0; }
    static bool Scaled(ComplexControl control);

    qreal factor_ = 1.0;
    mutable int scaled_ = 0;  // the base style is drawing at the divided size
};

}  // namespace linelab
