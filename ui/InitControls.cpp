// Start-up: the properties every control has before the window loads, then the load
// sequence itself (lists and defaults, scene 0, counters, transmit eye scale).

#include "ui/Form1.h"
#include "ui/ListItems.h"

namespace linelab {
namespace {

struct CaptionEntry {
    LabelId id;
    std::string_view caption;
};

constexpr std::array<CaptionEntry, 26> kFixedCaptions = {{
    {LabelId::Label1, "Simulation"},
    {LabelId::lblPreCoding, "Pre-Coding"},
    {LabelId::lblCoding, "Coding"},
    {LabelId::lblModulation, "Modulation"},
    {LabelId::lblModulationPC, "%"},
    {LabelId::lblTxFilter, "Tx Filter"},
    {LabelId::lblPCkHz0, "kHz"},
    {LabelId::lblPCkHz1, "kHz"},
    {LabelId::lblHighPass, "High Pass"},
    {LabelId::lblHPkHz, "kHz"},
    {LabelId::lblLowPass, "Low Pass"},
    {LabelId::lblLPkHz, "kHz"},
    {LabelId::lblNoise, "Noise"},
    {LabelId::lblNoiseW, "W/kHz"},
    {LabelId::lblMultipath, "Multipath"},
    {LabelId::lblMultipathDelay, "baud"},
    {LabelId::lblMultipathPC, "%"},
    {LabelId::lblRxFilter, "Rx Filter"},
    {LabelId::lblDemod, "Demod"},
    {LabelId::lblDemodPC, "%"},
    {LabelId::lblDecode, "Decode"},
    {LabelId::lblPostCoding, "Post-Coding"},
    {LabelId::lblOutput, "Data"},
    {LabelId::lblBER, "BER"},
    {LabelId::lblAsTransmitter, "As Transmitter"},
    {LabelId::lblDiscriminator, "Discriminator"},
}};

struct SliderEntry {
    SliderId id;
    bool vertical;
    int min, max, smallChange, largeChange, value;
};

// Page steps the window leaves open are ours: a fifth of the range for the eye scale and
// the threshold, one step for the zoom.
constexpr std::array<SliderEntry, CountOf<SliderId>()> kSliders = {{
    {SliderId::hscDataZoom, false, 1, 4, 1, 1, 1},
    {SliderId::hscDataScroll, false, 0, 32767, 1, 4, 0},
    {SliderId::vscSpectrumRange, true, 1, 200, 5, 20, 1},
    {SliderId::vscTxEyeScale, true, 0, 100, 4, 20, 0},
    {SliderId::vscThreshold, true, 0, 100, 4, 20, 0},
    {SliderId::hscSample, false, -32, 32, 1, 4, 0},
}};

// Panel sizes in pixels for the model's own canvases (a view attaches canvases of its
// own size): long low strips, and eye and spectrum panels of one size each.
constexpr int kStripWidth = 600, kStripHeight = 48;
constexpr int kEyeWidth = 200, kEyeHeight = 150;
constexpr int kSpectrumWidth = 256, kSpectrumHeight = 150;

bool IsFixedList(ListId id) {
    switch (id) {
        case ListId::cmbData:
        case ListId::cmbPreCode0:
        case ListId::cmbPreCode1:
        case ListId::cmbCode0:
        case ListId::cmbCode1:
        case ListId::cmbMod0:
        case ListId::cmbMod1:
        case ListId::cmbTxFilter0:
        case ListId::cmbTxFilter1:
            return true;
        default:
            return false;
    }
}

}  // namespace

void Form1::FormLoad() {
    for (int i = 0; i < CountOf<ListId>(); ++i) {
        lists_[i].name = NameOf(static_cast<ListId>(i));
        lists_[i].editable = !IsFixedList(static_cast<ListId>(i));
    }
    for (int i = 0; i < CountOf<DecorationId>(); ++i)
        decorations_[i].name = NameOf(static_cast<DecorationId>(i));
    InitCaptions();
    InitSliders();
    InitPictures();
    pause_ = {NameOf(kPauseButton), run_.caption, true};
    timer_ = {NameOf(kTimer), run_.enabled, run_.interval};

    InitControls();
    ApplySceneLayout(0);
    engine_.RestartSpectrum(SpectrumPanel::Tx);
    engine_.RestartSpectrum(SpectrumPanel::Rx);
    engine_.RestartSpectrum(SpectrumPanel::Channel);
    engine_.RestartBer();
    engine_.SetTxEyeScale(Slider(SliderId::vscTxEyeScale).value);
}

void Form1::InitCaptions() {
    const std::string zero = "0";  // the frequency labels read 0 until a scene sets them
    for (int i = 0; i < CountOf<LabelId>(); ++i) {
        labels_[i].name = NameOf(static_cast<LabelId>(i));
        labels_[i].caption = zero;
    }
    for (const CaptionEntry& entry : kFixedCaptions)
        labels_[Index(entry.id)].caption = entry.caption;
    for (int i = 0; i < CountOf<CheckId>(); ++i)
        checks_[i].name = NameOf(static_cast<CheckId>(i));
    checks_[Index(CheckId::chkMemory)].caption = "Memory";
    checks_[Index(CheckId::chkInvert)].caption = "Invert";
    checks_[Index(CheckId::chkLinear)].caption = "Log Plot";
    checks_[Index(CheckId::chkFixedNoise)].caption = "Fixed N0";
}

void Form1::InitSliders() {
    for (const SliderEntry& e : kSliders) {
        sliders_[Index(e.id)] = {NameOf(e.id),  e.vertical,    e.min,   e.max,
                                 e.smallChange, e.largeChange, e.value, true};
    }
}

void Form1::InitPictures() {
    for (int i = 0; i < CountOf<PictureId>(); ++i) {
        const auto id = static_cast<PictureId>(i);
        const bool strip = id <= PictureId::picRxData;
        const bool eye = id >= PictureId::picTxEye && id <= PictureId::picRxEye;
        const int width = strip ? kStripWidth : eye ? kEyeWidth : kSpectrumWidth;
        const int height = strip ? kStripHeight : eye ? kEyeHeight : kSpectrumHeight;
        ownCanvases_[i] =
            std::make_unique<NullCanvas>(width * kUnitsPerPixel, height * kUnitsPerPixel);
        pictures_[i] = {NameOf(id), true, width, height, ownCanvases_[i].get()};
    }
}

void Form1::InitControls() {
    Fill(ListId::cmbData, kDataSourceNames);
    Assign(ListId::cmbData, kDataSourceNames[0]);
    // The receiver's element first: the transmitter's handlers then copy onto lists that
    // already hold their items.
    InitSideLists(1);
    InitSideLists(0);
    const auto single = [this](ListId id, std::span<const std::string_view> items) {
        Fill(id, items);
        Assign(id, items.front());
    };
    single(ListId::cmbHighPass, kHighPassItems);
    single(ListId::cmbLowPass, kLowPassItems);
    single(ListId::cmbNoise, kNoiseItems);
    single(ListId::cmbMultipathDelay, kMultipathDelayItems);
    single(ListId::cmbMultipathMag, kMultipathMagItems);
    single(ListId::cmbScene, kSceneItems);
}

void Form1::InitSideLists(int side) {
    const auto fill = [this, side](ListId first, std::span<const std::string_view> items,
                                   std::string_view text) {
        const ListId id = Element(first, side);
        Fill(id, items);
        Assign(id, text);
    };
    fill(ListId::cmbPreCode0, kPreCodingNames, "None");
    fill(ListId::cmbCode0, kLineCodeItems, "None");
    fill(ListId::cmbMod0, kFormatItems, "Unipolar (N)RZ");
    fill(ListId::cmbTxModPC0, kPulseWidths, kFullWidth);
    fill(ListId::cmbTxFilter0, FilterItems(side, true), "SteepCutoff");
    fill(ListId::cmbTxBW0, kBandwidthItems, "4");
    fill(ListId::cmbTxEB0, kExcessBandwidthItems, "50");
}

}  // namespace linelab
