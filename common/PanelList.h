#pragma once
// Every picture panel, described once. Each layer expands the columns it needs: the ids
// (PanelId here, StripPanel/EyePanel/SpectrumPanel for drawing, CheckId and PictureId in the
// form model), the controls' names, the tooltips, the titles, the scenes, the chain a view
// lays out and the hint arrows it draws. Adding a panel is a row here, what it draws of a
// frame (display/DrawFrame), and a test.
//
// Columns of a row X(id, kindId, stage, title, checkTip, pictureTip, scenes, beside, under,
// from, next):
//   id          the PanelId; the form model names the panel's check box and picture after it
//   kindId      its id among the panels of its kind (StripPanel, EyePanel, SpectrumPanel)
//   stage       Transmitter, Channel or Receiver: the chain column it stands in; the
//               transmitter's strips are the sent group, the receiver's the received group
//   title       a strip's name beside it and on its check box; eyes and spectra are named by
//               their stage
//   checkTip    what the check box does
//   pictureTip  what the picture shows
//   scenes      one cell per scene 0..6: _ hidden, YOn shown and on (its box hidden), BOn and
//               BOff shown with its box, on or off, HOff hidden and off
//   beside      the settings that stand beside its picture in its layout cell (its sliders)
//   under       the settings of a row of their own under its picture
//   from, next  the hint arrows: what leads into this panel, and what this panel leads on to
//
// The last four columns name panels by their ids, and the view settings and readouts that
// stand with them by what they are: StripScroll (where the strips start), TxEyeScale (the
// eyes' vertical scale), Thresholds and SamplingInstant (the receiver's decision settings),
// Discriminator and Output (the captions of the chain's last two stages), SpectrumRange,
// LinearScale and MemoryTrace (how the spectra are drawn). The form model maps each to its
// control (ui/PanelTable.h).
//
// The kinds keep their own lists, strips first, then eyes, then spectra: each kind's panels
// are consecutive in PanelId, CheckId and PictureId.

#define LINELAB_STRIP_PANELS(X)                                                                    \
    X(Data, Data, Transmitter, "Data", "Show or grey the data strip", "Data bits of the last run", \
      (YOn, YOn, YOn, YOn, YOn, YOn, YOn), (), (), (), (PreData))                                  \
    X(PreData, PreData, Transmitter, "Pre-coded", "Show or grey the pre-coded strip",              \
      "Bits after pre-coding", (_, YOn, _, YOn, BOn, BOn, BOn), (), (), (), (CodedData))           \
    X(CodedData, CodedData, Transmitter, "Coded", "Show or grey the line-coded strip",             \
      "Bits after line coding", (_, YOn, _, YOn, BOn, BOn, BOn), (), (), (), (ModData))            \
    X(ModData, ModData, Transmitter, "Sent levels", "Show or grey the transmitted levels strip",   \
      "Transmitted line levels", (_, YOn, YOn, YOn, BOn, BOn, BOn), (), (), (), (StripScroll))     \
    X(DemodData, DemodData, Receiver, "Received levels", "Show or grey the received levels strip", \
      "Received line levels as decided (red: different from sent)", (_, _, _, _, BOn, BOn, BOn),   \
      (), (), (), (DecodedData, RxData))                                                           \
    X(DecodedData, DecodedData, Receiver, "Decoded", "Show or grey the received code bits strip",  \
      "Received code bits (red: different from sent)", (_, _, _, _, BOn, BOn, HOff), (), (), (),   \
      (PostData))                                                                                  \
    X(PostData, PostData, Receiver, "Post-decoded", "Show or grey the line-decoded strip",         \
      "Bits after line decoding (red: different from sent)", (_, _, _, _, BOn, BOn, HOff), (), (), \
      (), (RxData))                                                                                \
    X(RxData, RxData, Receiver, "Received data",                                                   \
      "Show or grey the received data strip (errors in red)", "Received data bits (red: errors)",  \
      (_, _, _, _, BOn, BOn, BOn), (), (), (), (Output))

#define LINELAB_EYE_PANELS(X)                                                                \
    X(TxEye, Tx, Transmitter, "", "Add runs to the transmit eye, or freeze it",              \
      "Transmit eye, building up over runs; click to clear it", (_, _, _, _, BOn, BOn, BOn), \
      (TxEyeScale), (), (StripScroll), (TxSpectrum, ChannelEye, RxEye))                      \
    X(ChannelEye, Channel, Channel, "", "Add runs to the channel eye, or freeze it",         \
      "Eye at the channel output, building up over runs; click to clear it",                 \
      (_, _, BOff, BOff, _, _, BOn), (), (), (), (ChannelSpectrum, RxEye))                   \
    X(RxEye, Rx, Receiver, "", "Add runs to the receive eye, or freeze it",                  \
      "Receive eye with the thresholds and sampling instant in green; click to clear it",    \
      (_, _, _, _, BOn, BOn, BOn), (Thresholds, SamplingInstant), (), (Discriminator), ())

#define LINELAB_SPECTRUM_PANELS(X)                                                              \
    X(TxSpectrum, Tx, Transmitter, "", "Average runs into the transmit spectrum, or freeze it", \
      "Transmit power spectrum, 0 to 4 kHz, averaged; click to restart",                        \
      (_, _, _, _, BOn, BOn, BOn), (), (), (), (ChannelSpectrum, RxSpectrum))                   \
    X(ChannelSpectrum, Channel, Channel, "",                                                    \
      "Average runs into the channel spectrum, or freeze it",                                   \
      "Channel output power spectrum, 0 to 4 kHz; click to restart",                            \
      (_, _, BOff, BOff, _, _, BOn), (), (LinearScale, MemoryTrace), (), (RxSpectrum))          \
    X(RxSpectrum, Rx, Receiver, "", "Average runs into the receive spectrum, or freeze it",     \
      "Receive filter output power spectrum, 0 to 4 kHz; click to restart",                     \
      (_, _, _, _, BOn, BOn, BOn), (SpectrumRange), (), (SamplingInstant), ())

#define LINELAB_PANELS(X)   \
    LINELAB_STRIP_PANELS(X) \
    LINELAB_EYE_PANELS(X)   \
    LINELAB_SPECTRUM_PANELS(X)

// Counts a list's rows: 0 LINELAB_STRIP_PANELS(LINELAB_PANEL_ONE) is the number of strips.
#define LINELAB_PANEL_ONE(...) +1
