#include "app/qt/TickLabelLayout.h"

#include <algorithm>

namespace linelab {

TickLabelLayout::~TickLabelLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

QLayoutItem* TickLabelLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize TickLabelLayout::sizeHint() const {
    QSize size;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;  // hidden: the row takes no room for it
        const QSize hint = item->sizeHint();
        size = QSize(size.width() + hint.width(), std::max(size.height(), hint.height()));
    }
    return size;
}

QList<int> TickLabelLayout::Lefts(int width, int left, int drawing, const QList<int>& widths) {
    QList<int> lefts;
    const int n = static_cast<int>(widths.size());
    for (int i = 0; i < n; ++i) {
        // The panel's ticks: i eighths of the drawing for nine labels, the last a pixel inside.
        const double at = n > 1 ? std::min(double(i) * drawing / (n - 1), drawing - 1.0) : 0;
        const int centre = left + static_cast<int>(at);
        lefts.append(std::clamp(centre - widths[i] / 2, 0, std::max(0, width - widths[i])));
    }
    return lefts;
}

void TickLabelLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    QList<int> widths;
    for (const QLayoutItem* item : items_)
        widths.append(item->sizeHint().width());
    // The drawing's place in this row: the panel stands in the same column above.
    int left = 0;
    int drawing = rect.width();
    if (panel_ != nullptr) {
        const QRect area = panel_->DrawingRect();
        left = panel_->x() + area.left() - rect.left();
        drawing = area.width();
    }
    const QList<int> lefts = Lefts(rect.width(), left, drawing, widths);
    for (qsizetype i = 0; i < items_.size(); ++i) {
        items_[i]->setGeometry(
            QRect(rect.left() + lefts[i], rect.top(), widths[i], items_[i]->sizeHint().height()));
    }
}

}  // namespace linelab
