#pragma once
// The readouts beside the chain, in one table that both front ends walk: the desktop makes a
// label for each row and the page an element, each standing under the control the row
// names, and both show what the row reads after every run and every change.
//
// A new measurement is a row in Readouts.cpp and a test. What it shows is read from the form
// and from what the measurements keep; what it must keep over runs of its own is its tally,
// which the measurements feed with every run the tick completes, drawn or quiet.

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace linelab {

class Form1;
class Measurements;
struct EyeFigures;
struct Frame;

// Something a readout keeps over runs. A tally that restarts with the bit error rate does so
// at the run whose frame says `berRestarted`.
class ReadoutTally {
  public:
    virtual ~ReadoutTally() = default;
    virtual void AfterRun(const Frame& frame) = 0;
};

// What a readout reads from.
struct ReadoutSource {
    const Form1& form;
    const Measurements& measurements;
    const ReadoutTally* tally;  // its own, or null when its row keeps none
    bool eyeOpening;            // the receive eye's figures are asked for
};

// What a readout shows now. A hidden readout's text is dropped as it is read; its tooltip
// stays.
struct ReadoutText {
    bool shown = false;
    std::string text;
    std::string detail;  // the tooltip
    bool operator==(const ReadoutText&) const = default;
};

// How a readout's label looks:
//   Line:    one line in the controls' font, as wide as the row's `widest` text always, so
//            that a changing text never widens its column;
//   Count:   smaller, centred, wrapped within the column;
//   Figures: smaller, left-aligned lines of figures, wrapped within the column.
enum class ReadoutLook { Line, Count, Figures };

struct Readout {
    std::string_view name;    // its label's name, in the controls' naming
    std::string_view anchor;  // the control it stands under; rows with one anchor keep order
    ReadoutLook look;
    std::string_view widest;  // Line only: the widest text it shows
    ReadoutText (*read)(const ReadoutSource&);
    std::unique_ptr<ReadoutTally> (*newTally)() = nullptr;  // none: it keeps nothing
};

// Every readout, in the order the front ends place them.
std::span<const Readout> Readouts();

// "Eb/N0 6.0 dB" for the noise the next tick applies, or "no noise" when none is applied.
std::string EbN0Text(const Form1& form);

// The readout beside the receive eye: per gap its height, width, Q and the rate the Qs
// predict; a short note while the eye has too few levels to measure.
// Without noise (`noise` false) the spread of the traces is only what the filters leave, and
// a Q from it means nothing: the gaps are given without Q, and no BER is predicted.
std::string EyeOpeningText(const EyeFigures& figures, bool noise = true);

}  // namespace linelab
