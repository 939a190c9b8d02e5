#include "ui/HelpTexts.h"

#include <vector>

namespace linelab {
namespace {

std::string Joined(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        text += paragraphs[i];
    }
    return text;
}

}  // namespace

std::string AboutHelpText(std::string_view version) {
    const std::vector<std::string> paragraphs = {
        "LineLab: a line transmission teaching simulator.",
        "Version " + std::string(version),
        "",
        "Please report anything that looks wrong or confusing: your reports make "
        "the next version better.",
        "",
        "All rates are relative to a data stream of 1 kbit/s. Line codes change "
        "the symbol rate: Manchester-coded data is sent at 2 kbaud, and 4B5B "
        "coded NRZ at 1.2 kbaud.",
        "",
        "The noise is calibrated in watts per kHz, and the window gives the "
        "energy per bit over the noise density it makes, Eb/N0 in dB, beside "
        "the noise level: bit error rates can be set against Eb/N0 and compared "
        "with the ideal curves of Tools > BER Curve.",
        "",
        "LineLab is free software: you can redistribute it and/or modify it "
        "under the terms of the GNU General Public License, version 3 or (at "
        "your option) any later version. It comes with NO WARRANTY. See the "
        "LICENSE file installed with it.",
    };
    return Joined(paragraphs);
}

namespace {

// What both the window and the page do.
std::vector<std::string> SharedInstructions() {
    return {
        "Pick a lesson view in the list at the top left; each view shows only "
        "the stages that lesson needs. The Pause button (or Space, whenever no "
        "text is being typed) stops the simulation, continues it slowly, and "
        "runs it at full speed again.",
        "",
        "Strips. The two sliders under the strips work on the last run: the "
        "long one picks which part of the run the strips show, from its start "
        "to its end, and the short one fits up to four times as much of the run "
        "into the strips. They are easiest to use while the simulation is "
        "paused. The strips' axis counts symbol periods.",
        "",
        "Check boxes. The box beside each graph switches that graph on or off. "
        "A strip that is off is greyed; an eye diagram or spectrum that is off "
        "shows a hint in its place. Switching graphs off also makes the "
        "simulation run faster, which helps when measuring small error rates.",
        "",
        "Scales. An eye diagram's left axis gives the signal's value, with the "
        "receive eye's thresholds in green, and its bottom axis symbol periods; "
        "a spectrum's left axis is in dB (or in power when Linear is ticked) and "
        "its bottom axis in kHz.",
        "",
        "Error rates. Beside the noise level the window gives Eb/N0 in dB. The "
        "BER counts errors and bits and says how sure the figure is: with few "
        "errors it gives an interval at 95 %, with none an upper limit. Click "
        "the BER figure to restart it. Run > Fast runs without drawing, for "
        "small error rates; Tools > BER Curve (Ctrl+B) measures a whole curve "
        "against Eb/N0 beside the ideal one.",
        "",
        "Receive eye. The sliders beside the receive eye move the "
        "sampling time (the horizontal one) and the decision threshold voltages "
        "(the vertical one). Two-level codes have one threshold, three-level codes "
        "have two and four-level codes three; the thresholds are always kept "
        "symmetrical about zero.",
        "",
        "Clicking an eye diagram clears it; clicking a spectrum starts its "
        "average again.",
        "",
    };
}

}  // namespace

std::string InstructionsHelpText() {
    std::vector<std::string> paragraphs = SharedInstructions();
    paragraphs.insert(paragraphs.end(),
                      {"Lessons. File > Save Lesson keeps every setting in a file, File > Open "
                       "Lesson (or a lesson file named when LineLab starts) brings them back, "
                       "and File > Examples holds lessons to start from. A guided lesson shows "
                       "its steps in the lesson pane: Next and Previous (Page Down and Page Up) "
                       "move through them, Show answer reveals a question's answer, and Add "
                       "Step takes the present settings as a new step. View > Lesson Pane (F9) "
                       "hides and shows it.",
                       "",
                       "Presenting. View > Zoom In (Ctrl++), Zoom Out (Ctrl+-) and Actual "
                       "Size (Ctrl+0) scale text, controls and pictures together. Double-click "
                       "any graph (or use View > Show Large) to show it filling the window "
                       "with its axes; Esc or another double click brings the window back. F11 "
                       "switches full screen on and off. Right-click a graph to export it, or "
                       "File > Export Picture for the window: PNG at one, two or three times "
                       "the size, or SVG, whose traces stay sharp at any size.",
                       "",
                       "Shortcuts. Space: pause and continue. Ctrl+B: BER Curve. F1: these "
                       "instructions. F11: full screen. Esc: leave a graph shown large. "
                       "Ctrl+Shift+C: copy the window's picture. Ctrl+Q: quit."});
    return Joined(paragraphs);
}

std::string PageInstructionsHelpText() {
    std::vector<std::string> paragraphs = SharedInstructions();
    paragraphs.insert(paragraphs.end(),
                      {"Lessons. File > Save Lesson downloads every setting as a lesson file, "
                       "File > Open Lesson (or a lesson file dropped on the page) brings them "
                       "back, and the File menu's examples are lessons to start from. A "
                       "guided lesson shows its steps in the lesson pane: Next and Previous "
                       "(Page Down and Page Up) move through them and Show answer reveals a "
                       "question's answer; View > Lesson Pane (F9) hides and shows it. File > "
                       "Copy Share Link gives a link that opens the page with the same "
                       "settings, a guided lesson at the step shown.",
                       "",
                       "The statistical eye. View > BER contours draws over the receive eye "
                       "where the predicted rate of wrong decisions is 1e-3, 1e-6, 1e-9 and "
                       "1e-12; Tools > Bathtub plots the rate against the sampling instant and "
                       "the threshold, and moves the sliders to the best place.",
                       "",
                       "Presenting. View > Zoom In (Ctrl++), Zoom Out (Ctrl+-) and Actual "
                       "Size (Ctrl+0) scale the pictures, their text and the controls "
                       "together. Double-click any graph, or press Enter on it (or use View > "
                       "Show Large), to show it filling the page with its axes; Esc or another "
                       "double click brings the page back. Right-click a graph to export it: "
                       "PNG at one, two or three times the size, or SVG, whose traces stay "
                       "sharp at any size; Copy Picture puts it on the clipboard where the "
                       "browser allows it (over https).",
                       "",
                       "Shortcuts. Space: pause and continue (on a check box it ticks the "
                       "box). Ctrl+O: open a lesson. Ctrl+S: save it. Ctrl+B: BER Curve. Page "
                       "Down and Page Up: the lesson's next and previous step. F9: the lesson "
                       "pane. F1: these instructions. Ctrl++, Ctrl+- and Ctrl+0: zoom. Esc: "
                       "leave a graph shown large. In a menu the arrow keys move, Enter "
                       "chooses and Esc closes it."});
    return Joined(paragraphs);
}

}  // namespace linelab
