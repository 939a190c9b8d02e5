#pragma once
// Where a picture panel's axes put their ticks and what their numbers read: positions in
// pixels along the band, no drawing and no Qt, so each rule is checked without a window.

#include <string>
#include <vector>

namespace linelab::axes {

// A tick `at` pixels from the band's start (the top edge for a value axis), numbered with
// `label` unless that is empty.
struct Tick {
    double at = 0;
    std::string label;
    bool operator==(const Tick&) const = default;
};

// Tick values 1, 2 or 5 times a power of ten apart, about `count` of them over `span`; 0
// when there is nothing to divide.
double NiceStep(double span, int count);

// `v` with the decimals a step of `step` needs (none for a step of 1 or more, at most 4); a
// value within a millionth of a step of zero reads 0.
std::string ValueText(double v, double step);

// A value axis `length` pixels long, `top` at its start and `bottom` at its end: a tick at
// every multiple of a nice step for about `count` ticks, numbered.
std::vector<Tick> ValueTicks(double top, double bottom, double length, int count);

// 0 to 4 kHz across `width`: a tick every 0.5 kHz (the last one a pixel inside the band),
// the whole kilohertz 0 to 3 numbered when `numbers` (the unit takes the 4's place).
std::vector<Tick> FrequencyTicks(double width, bool numbers);

// Ticks `period` pixels apart from the start while inside `width`, numbered with their count
// of periods; every tick, or every 2nd, 5th, 10th, 20th or 50th, so that numbered ticks are
// at least `room` pixels apart. None when a period is under 4 pixels.
std::vector<Tick> SymbolTicks(double width, double period, double room);

}  // namespace linelab::axes
