#include "tests/fuzz/CheckingCanvas.h"

#include <cmath>
#include <sstream>

namespace linelab::fuzz {
namespace {

bool Within(double v, int size) {
    return std::isfinite(v) && v >= -static_cast<double>(size) && v <= 2.0 * size;
}

}  // namespace

void CheckingCanvas::SetColour(int32_t bgr) {
    if (bgr < 0 || bgr > 0xFFFFFF) Record("colour " + std::to_string(bgr) + " is not 24-bit");
    colour_ = bgr;
}

void CheckingCanvas::Line(double x1, double y1, double x2, double y2) {
    ++lines_;
    const bool area = width_ > 0 && height_ > 0;
    if (area && Within(x1, width_) && Within(x2, width_) && Within(y1, height_) &&
        Within(y2, height_))
        return;
    std::ostringstream out;
    out.precision(17);
    out << "line (" << x1 << ", " << y1 << ") - (" << x2 << ", " << y2 << ") on a " << width_
        << " x " << height_ << " panel " << (area ? "leaves the margin" : "that has no area");
    Record(out.str());
}

void CheckingCanvas::Record(std::string what) {
    if (fault_.empty()) fault_ = std::move(what);
}

}  // namespace linelab::fuzz
