#pragma once
// The views of a frame: each fed panel drawn through the panels port, as the run left it.

#include "ports/Frame.h"
#include "ports/Panels.h"

namespace linelab {

// Draws every panel the frame fed, in the order of the chain.
void DrawFrame(const Frame& frame, Panels& panels);

}  // namespace linelab
