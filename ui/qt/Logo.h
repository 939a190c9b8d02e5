#pragma once
// The program's logo (imgLogo): a line-coded waveform beside the program's name, drawn
// in code so the program ships no image files.

class QLabel;
class QWidget;

namespace linelab {

QLabel* MakeLogo(QWidget* parent);

}  // namespace linelab
