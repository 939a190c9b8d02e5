#include "analysis/EyeContours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace linelab {
namespace {

struct Point {
    double instant, threshold;
};

double Level(double rate) {
    return std::log10(std::max(rate, 1e-300));
}

// The cell between instants i, i + 1 and thresholds j, j + 1: its corners counter-clockwise
// from (i, j), the values less the contour's level.
struct Cell {
    std::array<Point, 4> corner;
    std::array<double, 4> value;
};

// Where the contour crosses the edge from corner a to corner b.
Point Crossing(const Cell& c, int a, int b) {
    const double va = c.value[static_cast<std::size_t>(a)];
    const double vb = c.value[static_cast<std::size_t>(b)];
    const double t = va == vb ? 0.5 : va / (va - vb);
    const Point& pa = c.corner[static_cast<std::size_t>(a)];
    const Point& pb = c.corner[static_cast<std::size_t>(b)];
    return {pa.instant + t * (pb.instant - pa.instant),
            pa.threshold + t * (pb.threshold - pa.threshold)};
}

void AddSegment(const Cell& c, int e0a, int e0b, int e1a, int e1b,
                std::vector<ContourSegment>& out) {
    const Point p = Crossing(c, e0a, e0b);
    const Point q = Crossing(c, e1a, e1b);
    out.push_back({p.instant, p.threshold, q.instant, q.threshold});
}

// Edges are numbered by their first corner: edge k joins corner k and corner k + 1.
void March(const Cell& c, std::vector<ContourSegment>& out) {
    int mask = 0;
    for (int k = 0; k < 4; ++k)
        if (c.value[static_cast<std::size_t>(k)] > 0) mask |= 1 << k;
    if (mask == 0 || mask == 15) return;
    std::array<int, 4> crossed{};
    int edges = 0;
    for (int k = 0; k < 4; ++k) {
        const bool a = (mask >> k) & 1;
        const bool b = (mask >> ((k + 1) % 4)) & 1;
        if (a != b) crossed[static_cast<std::size_t>(edges++)] = k;
    }
    const auto edge = [&](int n) { return crossed[static_cast<std::size_t>(n)]; };
    if (edges == 2) {
        AddSegment(c, edge(0), (edge(0) + 1) % 4, edge(1), (edge(1) + 1) % 4, out);
        return;
    }
    // A saddle: corners 0 and 2 on one side, 1 and 3 on the other. The centre decides which
    // pair the contour separates from the rest.
    const double centre = (c.value[0] + c.value[1] + c.value[2] + c.value[3]) / 4;
    const bool withZero = (centre > 0) == (c.value[0] > 0);
    if (withZero) {  // corner 0's side joins through the centre: cut off corners 1 and 3
        AddSegment(c, 0, 1, 1, 2, out);
        AddSegment(c, 2, 3, 3, 0, out);
    } else {  // cut off corners 0 and 2
        AddSegment(c, 3, 0, 0, 1, out);
        AddSegment(c, 1, 2, 2, 3, out);
    }
}

}  // namespace

std::vector<EyeContour> EyeContours(const StatisticalEye& eye, std::span<const double> rates) {
    std::vector<EyeContour> contours;
    const std::size_t n = eye.instants.size(), m = eye.thresholds.size();
    for (double rate : rates) {
        EyeContour contour{rate, {}};
        const double level = Level(rate);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            for (std::size_t j = 0; j + 1 < m; ++j) {
                Cell c;
                const std::array<std::pair<std::size_t, std::size_t>, 4> at = {
                    {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}};
                for (std::size_t k = 0; k < 4; ++k) {
                    const auto [a, b] = at[k];
                    c.corner[k] = {static_cast<double>(eye.instants[a]), eye.thresholds[b]};
                    c.value[k] = Level(eye.At(a, b)) - level;
                }
                March(c, contour.segments);
            }
        }
        contours.push_back(std::move(contour));
    }
    return contours;
}

}  // namespace linelab
