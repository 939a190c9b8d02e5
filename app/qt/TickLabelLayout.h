#pragma once
// Labels set under a spectrum panel, each centred on its tick: label i of n under the tick at
// i / (n - 1) of the panel's drawing width, as the panel's own frequency axis draws them, and
// held inside the row at its ends.

#include <QLayout>
#include <QList>
#include <QPointer>

#include "app/qt/PicturePanel.h"

namespace linelab {

class TickLabelLayout : public QLayout {
  public:
    explicit TickLabelLayout(const PicturePanel* panel) : panel_(panel) {}
    ~TickLabelLayout() override;

    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override { return sizeHint(); }
    void setGeometry(const QRect& rect) override;

    // Where each label's centre goes along a row `width` wide whose drawing runs from `left`
    // over `drawing` pixels, for `count` labels of the given widths, kept inside the row.
    static QList<int> Lefts(int width, int left, int drawing, const QList<int>& widths);

  private:
    QPointer<const PicturePanel> panel_;
    QList<QLayoutItem*> items_;
};

}  // namespace linelab
