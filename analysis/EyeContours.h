#pragma once
// Contour lines of a statistical eye: where the rate crosses 1e-3, 1e-6, 1e-9, 1e-12, as
// line segments in the grid's own units (sampling instant in the sampling slider's steps, threshold
// in signal units), ready for a view to map into its eye's scale and draw.

#include <span>
#include <vector>

#include "analysis/StatisticalEye.h"

namespace linelab {

struct ContourSegment {
    double instant0 = 0, threshold0 = 0;
    double instant1 = 0, threshold1 = 0;
};

struct EyeContour {
    double rate = 0;
    std::vector<ContourSegment> segments;
};

inline constexpr double kContourRates[] = {1e-3, 1e-6, 1e-9, 1e-12};

// Marching squares over log10 of the rate, each crossing placed by linear interpolation
// along the cell's edge; a cell with two opposite corners on each side (a saddle) is
// resolved by its centre's mean. Rates of 0 count as 1e-300.
std::vector<EyeContour> EyeContours(const StatisticalEye& eye,
                                    std::span<const double> rates = kContourRates);

}  // namespace linelab
