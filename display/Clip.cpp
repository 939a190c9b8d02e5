#include "display/Clip.h"

#include <algorithm>
#include <cmath>

namespace linelab {
namespace {

double LimitFar(double v) {
    return std::clamp(v, -kFarCoordinate, kFarCoordinate);
}

// One boundary of Liang-Barsky: p is the segment's movement towards the outside of the
// boundary, q the room the start point has inside it. Narrows [t0, t1]; false when empty.
bool Narrow(double p, double q, double& t0, double& t1) {
    if (p == 0) return q >= 0;
    const double r = q / p;
    if (p < 0) {
        if (r > t1) return false;
        t0 = std::max(t0, r);
    } else {
        if (r < t0) return false;
        t1 = std::min(t1, r);
    }
    return true;
}

}  // namespace

Margin MarginAround(int width, int height) {
    if (width <= 0 || height <= 0) return Margin{1, 1, -1, -1, true};  // contains nothing
    const double w = width;
    const double h = height;
    return Margin{-w, -h, 2 * w, 2 * h, false};
}

bool ClipToMargin(Segment& s, const Margin& m) {
    if (m.empty) return false;
    if (std::isnan(s.x1) || std::isnan(s.y1) || std::isnan(s.x2) || std::isnan(s.y2)) {
        return false;
    }
    const double x1 = LimitFar(s.x1), y1 = LimitFar(s.y1);
    const double x2 = LimitFar(s.x2), y2 = LimitFar(s.y2);
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    if (!Narrow(-dx, x1 - m.left, t0, t1) || !Narrow(dx, m.right - x1, t0, t1) ||
        !Narrow(-dy, y1 - m.top, t0, t1) || !Narrow(dy, m.bottom - y1, t0, t1)) {
        return false;
    }
    // An end that was inside keeps its exact value; a cut end is held inside the margin
    // against rounding.
    auto inside = [&m](double v, bool horizontal) {
        return horizontal ? std::clamp(v, m.left, m.right) : std::clamp(v, m.top, m.bottom);
    };
    const Segment cut{t0 == 0 ? x1 : inside(x1 + t0 * dx, true),
                      t0 == 0 ? y1 : inside(y1 + t0 * dy, false),
                      t1 == 1 ? x2 : inside(x2 - (1 - t1) * dx, true),
                      t1 == 1 ? y2 : inside(y2 - (1 - t1) * dy, false)};
    s = cut;
    return true;
}

}  // namespace linelab
