#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace linelab {

void WindowFixture::SetUp() {
    window_ = std::make_unique<MainWindow>();
    window_->Timer1().stop();
    window_->show();
    Settle();
}

void WindowFixture::TearDown() {
    window_.reset();
}

void WindowFixture::Pick(ListId id, int index) {
    QComboBox* combo = W().List(id);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    Settle();
}

void WindowFixture::Ticks(int count) {
    for (int i = 0; i < count; ++i)
        window_->Tick();
}

void WindowFixture::Settle() {
    QApplication::processEvents();
    QApplication::processEvents();
}

bool WindowFixture::Blank(PictureId id) {
    return IsBlank(Panel(id)->Image());
}

bool IsBlank(const QImage& image) {
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xffffff) != (white & 0xffffff)) return false;
        }
    }
    return true;
}

}  // namespace linelab

namespace linelab {

void WindowFixture::ClickPanel(PictureId id) {
    QTest::mouseClick(Panel(id), Qt::LeftButton);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
}

}  // namespace linelab
