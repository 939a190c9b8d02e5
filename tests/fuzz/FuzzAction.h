#pragma once
// One thing a user (or the batch tool) can do to the form, as data: decoded from a fuzzer's
// bytes, replayed by the harness, and printed as the call that repeats it.

#include <string>

#include "tests/fuzz/ByteReader.h"
#include "ui/Controls.h"

namespace linelab::fuzz {

enum class Op {
    Type,          // SetText(ListId, text)
    Pick,          // PickItem(ListId, index)
    Scene,         // ApplyScene(index)
    Check,         // SetCheckValue(CheckId, value)
    Slider,        // SetSliderValue(SliderId, value)
    ClickPicture,  // ClickPicture(PictureId)
    Pause,         // ClickPause()
    Ber,           // ClickBer()
    ByName,        // Click / SetText / PickItem / SetValue by a name that may not exist
    Tick,          // Timer1_Timer(), when the timer is enabled, as the window's timer would
    Resize,        // a panel's canvas replaced by one of another size
};

enum class NameVerb { Click, SetText, PickItem, SetValue };

struct Action {
    Op op = Op::Tick;
    int target = 0;  // the id's number; for ByName the verb
    int value = 0;   // index, value, or the new width for Resize
    int value2 = 0;  // the new height for Resize; for Slider 1 when value is a position
                     // within the slider's current range rather than the value itself
    std::string text;
    std::string name;  // ByName only
};

// The actions the tests spell out.
Action TypeAction(ListId id, std::string text);
Action TickAction(int ticks);
Action SceneAction(int index);
Action CheckAction(CheckId id, int value);

// Decodes the next action; any bytes (or none) give a valid one.
Action NextAction(ByteReader& in);

// The action as a line of C++ against a Form1 named `form`, texts fully escaped.
std::string Describe(const Action& action);

// The text as a C++ expression: a string literal, runs of one character as std::string(n, c).
std::string CppText(const std::string& text);

}  // namespace linelab::fuzz
