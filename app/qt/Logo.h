#pragma once
// The program's logo (imgLogo): a line-coded waveform beside the program's name, drawn
// in code so the program ships no image files.

class QIcon;
class QLabel;
class QWidget;

namespace linelab {

QLabel* MakeLogo(QWidget* parent);
// The waveform of the logo on its own, square: the window icon.
QIcon LogoIcon();

}  // namespace linelab
