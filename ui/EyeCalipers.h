#pragma once
// View > Eye opening: the calipers of the receive eye's measured opening, as shapes in the
// panel's pixels for a view to paint (the desktop's painter, the page's canvas).

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/EyeStatistics.h"

namespace linelab {

// How sample values and symbol periods map to an eye panel, as the eye routine draws them.
struct EyeGeometry {
    double dScaleWidth = 0;  // the transmit eye's scale, which every eye is drawn with
    double dScaleHeight = 0;
    double dScaleFactor = 0;  // the panel's amplitude factor (the receive eye's is sqrt 2)
    double dBaudRate = 1;

    // Panel pixels.
    double Y(double value) const;
    double SymbolWidth() const;
};

struct CaliperLine {
    double x1, y1, x2, y2;
    friend bool operator==(const CaliperLine&, const CaliperLine&) = default;
};
struct CaliperBox {
    double x, y, width, height;
    friend bool operator==(const CaliperBox&, const CaliperBox&) = default;
};

// Per level a band of its mean plus and minus one standard deviation (`spreads`, painted
// translucent) and a tick at its mean; per gap a vertical bracket of the measured height and
// a horizontal one of the measured width, drawn where the opening is: from the lower level's
// highest sample up, and from where the traces leave the threshold to where they cross it
// again, at the sampling instant.
struct CaliperShapes {
    std::vector<CaliperBox> spreads;
    std::vector<CaliperLine> lines;
};

// The calipers' colour (BGR) over the window's eyes, and the opacity of the spreads' bands.
inline constexpr int32_t kCaliperColour = 0xFFC850;  // a light blue
inline constexpr double kCaliperSpreadOpacity = 70.0 / 255;

// samplingX: the sampling instant in panel units (none before the first run: no calipers).
CaliperShapes CalipersOf(const EyeFigures& figures, const EyeGeometry& geometry,
                         std::optional<double> samplingX);

}  // namespace linelab
