#pragma once
// For the tools that render without a display (screenshots, the paint benchmark).

namespace linelab {

// Selects the offscreen platform unless QT_QPA_PLATFORM says otherwise, and silences the
// warning it prints each time a window is shown (it cannot pass size hints to a window
// manager, and nothing here needs them). Call before the QApplication is made.
void UseOffscreenPlatform();

}  // namespace linelab
