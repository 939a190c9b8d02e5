#include "ui/TypedText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/TextNumber.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "ui/FilterBoxes.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

struct Reading {
    const char* label;
    const char* unit;
    double value;      // the value in effect
    const char* zero;  // what a value of 0 means, or nullptr when 0 is just a number
};

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A text that is a number and nothing else (Val reads all of it).
bool PlainNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return false;
    bool digit = false;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            digit = true;
        } else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
            return false;
        }
    }
    return digit;
}

Reading Read(ListId id, std::string_view typed) {
    const double v = Val(typed);
    switch (id) {
        case ListId::cmbTxModPC0:
        case ListId::cmbTxModPC1:
            return {"Pulse width", "%", Val(PulseWidthText(typed)), nullptr};
        case ListId::cmbTxBW0:
        case ListId::cmbTxBW1:
            return {"Bandwidth", "kHz", Val(BandwidthText(typed)), nullptr};
        case ListId::cmbTxEB0:
        case ListId::cmbTxEB1:
            return {"Excess bandwidth", "%", Val(ExcessBandwidthText(typed)), nullptr};
        case ListId::cmbHighPass:
            return {"High pass", "kHz", v, "no high-pass edge"};
        case ListId::cmbLowPass:
            return {"Low pass", "kHz", v, "a cut-off at 0 kHz: nothing passes"};
        case ListId::cmbNoise:
            return {"Noise", "W/kHz", NoiseLevel(v), "no noise"};
        case ListId::cmbMultipathDelay:
            return {"Multipath delay", "baud", EchoDelay(v) / 16.0, "no delay"};
        case ListId::cmbMultipathMag:
            return {"Multipath", "%", EchoGain(v) * 100, "no echo"};
        default:
            return {nullptr, nullptr, 0, nullptr};
    }
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text.substr(0, 40));
    if (text.size() > 40) quoted.append("...");
    quoted.push_back('"');
    return quoted;
}

}  // namespace

std::string TypedTextNote(ListId id, std::string_view typed, std::span<const std::string> items) {
    const Reading r = Read(id, typed);
    if (r.label == nullptr) return {};
    for (const std::string& item : items) {
        if (item == typed) return {};
    }
    const bool plain = PlainNumber(typed);
    if (plain && r.value == Val(typed)) return {};
    std::string note(r.label);
    note.append(": ").append(Quoted(typed));
    if (r.value == 0 && r.zero != nullptr) {
        note.append(plain ? " means " : " is no number, so ").append(r.zero).append(".");
        return note;
    }
    note.append(plain ? " is limited or rounded: " : " is no plain number: ");
    note.append(NumberText(r.value)).append(" ").append(r.unit).append(" is in effect.");
    return note;
}

std::string TypedNote(const Form1& form, ListId id, std::string_view typed) {
    const ListControl& list = form.List(id);
    if (id == ListId::cmbScene && typed != list.text)
        return "Simulation: " + Quoted(typed) + " names no scene; " + list.text + " stays laid out";
    return TypedTextNote(id, typed, list.items);
}

}  // namespace linelab
