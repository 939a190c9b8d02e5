#include "ui/qt/HelpTexts.h"

#include <QStringList>

namespace linelab {

QString AboutText() {
    const QStringList paragraphs = {
        QStringLiteral("LineLab: a line transmission teaching simulator."),
        QStringLiteral("Version %1").arg(QStringLiteral(LINELAB_VERSION)),
        QString(),
        QStringLiteral("This is an early version. Please report anything that looks wrong or "
                       "confusing: your reports make the next version better."),
        QString(),
        QStringLiteral("All rates are relative to a data stream of 1 kbit/s. Line codes change "
                       "the symbol rate: Manchester-coded data is sent at 2 kbaud, and 4B5B "
                       "coded NRZ at 1.2 kbaud."),
        QString(),
        QStringLiteral("The noise is calibrated in watts per kHz, but the energy coming out of "
                       "the transmit filter is not calibrated. Curves of bit error rate against "
                       "Es/No therefore have the right shape, but are shifted by an offset."),
        QString(),
        QStringLiteral("LineLab is free software: you can redistribute it and/or modify it "
                       "under the terms of the GNU General Public License, version 3 or (at "
                       "your option) any later version. It comes with NO WARRANTY. See the "
                       "LICENSE file installed with it."),
    };
    return paragraphs.join(QLatin1Char('\n'));
}

QString InstructionsText() {
    const QStringList paragraphs = {
        QStringLiteral("Pick a lesson view in the list at the top left; each view shows only "
                       "the stages that lesson needs. The Pause button stops the simulation, "
                       "continues it slowly, and runs it at full speed again."),
        QString(),
        QStringLiteral("Strips. The two sliders under the strips work on the last run: the "
                       "long one picks which part of the run the strips show, from its start "
                       "to its end, and the short one fits up to four times as much of the run "
                       "into the strips. They are easiest to use while the simulation is "
                       "paused."),
        QString(),
        QStringLiteral("Check boxes. The box beside each graph switches that graph on or off. "
                       "A strip that is off is greyed; an eye diagram or spectrum that is off "
                       "is frozen as it is. Switching graphs off also makes the simulation run "
                       "faster, which helps when measuring small error rates."),
        QString(),
        QStringLiteral("Error rates. The error rates are not absolute: the level of the "
                       "transmitted signal is not calibrated and depends on the modulation "
                       "chosen. Compare rates with each other rather than with textbook values. "
                       "Click the BER figure to restart it."),
        QString(),
        QStringLiteral("Receive eye. The sliders beside the receive eye move the "
                       "sampling time (the horizontal one) and the decision threshold voltages "
                       "(the vertical one). Two-level codes have one threshold, three-level codes "
                       "have two and four-level codes three; the thresholds are always kept "
                       "symmetrical about zero."),
        QString(),
        QStringLiteral("Clicking an eye diagram clears it; clicking a spectrum starts its "
                       "average again."),
    };
    return paragraphs.join(QLatin1Char('\n'));
}

}  // namespace linelab
