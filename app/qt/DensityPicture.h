#pragma once
// A density eye as an image for its panel.

#include <QImage>

namespace linelab {

class DensityEye;

// One pixel per cell through DensityColour on a black background (the ramp rises
// from dark violet to pale yellow, so the most frequent paths stand out best on black). Counts are looked up in
// a table of 64 steps per octave rather than through a logarithm per pixel: the colours
// differ from the exact ramp by less than one step of 1/64 octave, far below what an eye
// can tell, and a full-window eye converts in well under a millisecond.
QImage DensityPicture(const DensityEye& eye);

}  // namespace linelab
