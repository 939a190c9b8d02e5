#include "app/qt/ChainLayout.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

constexpr int kMargin = 12;
constexpr int kStageGap = 18;    // between stage columns: room for the stage frames
constexpr int kLegendRoom = 20;  // above the stage columns: room for the stage names
constexpr int kRowGap = 6;

// Rows and columns of the full layout. The eyes and spectra take every row below the lists;
// the strips, sent and received, share the last column with the output's lists.
constexpr int kTopRow = 0;
constexpr int kLegendRow = 1;
constexpr int kListRow = 2;
constexpr int kEyeRow = 3;
constexpr int kSpectrumRow = 4;
// The three stage columns share the width in this proportion to the last column's.
constexpr int kStageStretch = 3;
constexpr int kOutputStretch = 2;
constexpr int kTx = 0, kChannel = 1, kRx = 2, kOutput = 3;

QGridLayout* NewGrid() {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return grid;
}

// A label in the first column of a list grid, then the list (or a row of widgets).
void AddListRow(QGridLayout* grid, QWidget* label, QLayout* content) {
    const int row = grid->rowCount();
    if (label != nullptr) grid->addWidget(label, row, 0);
    grid->addLayout(content, row, 1);
}

QVBoxLayout* TopAligned(QLayout* content, QWidget* bottom = nullptr) {
    auto* box = new QVBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(content);
    box->addStretch(1);
    if (bottom != nullptr) box->addWidget(bottom);
    return box;
}

}  // namespace

ChainLayout::ChainLayout(QWidget* area, const ControlWidgets& widgets, const Form1& form)
    : area_(area), w_(widgets), form_(form) {}

ChainLayout::~ChainLayout() = default;  // the area deletes its layout and the fillers

void ChainLayout::Build() {
    for (QWidget* filler : fillers_)
        delete filler;
    fillers_.clear();
    for (auto& column : columns_)
        column.clear();
    delete area_->layout();  // sub-layouts go with it; the widgets stay
    grid_ = new QGridLayout(area_);
    grid_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid_->setVerticalSpacing(kRowGap);
    scene_ = form_.SceneIndex();
    full_ = !form_.CompactLayout();
    if (full_) {
        BuildFull();
    } else {
        BuildCompact();
    }
    EqualizeColumns();
}

void ChainLayout::BuildFull() {
    grid_->setHorizontalSpacing(kStageGap);
    grid_->addLayout(topBar_ = TopBar(), kTopRow, 0, 1, kStageColumns);
    grid_->setRowMinimumHeight(kLegendRow, kLegendRoom);
    AddStageCell(TopAligned(TransmitterLists(false)), kListRow, kTx);
    AddStageCell(TopAligned(ChannelLists()), kListRow, kChannel);
    AddStageCell(TopAligned(ReceiverLists(), w_.Label(LabelId::lblDiscriminator)), kListRow, kRx);
    auto* output = new QVBoxLayout;
    output->setContentsMargins(0, 0, 0, 0);
    output->setSpacing(kRowGap);
    output->addLayout(Strips(PictureId::picData, PictureId::picModData, true));
    output->addLayout(OutputLists());
    output->addLayout(Strips(PictureId::picDemodData, PictureId::picRxData, false));
    output->addLayout(OutputCell());
    AddStageCell(output, kListRow, kOutput, 3);
    AddStageCell(EyeCell(PictureId::picTxEye, CheckId::chkTxEye, w_.Slider(SliderId::vscTxEyeScale),
                         nullptr),
                 kEyeRow, kTx);
    AddStageCell(EyeCell(PictureId::picChannelEye, CheckId::chkChannelEye, nullptr, nullptr),
                 kEyeRow, kChannel);
    AddStageCell(EyeCell(PictureId::picRxEye, CheckId::chkRxEye, w_.Slider(SliderId::vscThreshold),
                         w_.Slider(SliderId::hscSample)),
                 kEyeRow, kRx);
    AddStageCell(SpectrumCell(PictureId::picTxSpectrum, CheckId::chkTxSpectrum, nullptr, false),
                 kSpectrumRow, kTx);
    AddStageCell(
        SpectrumCell(PictureId::picChannelSpectrum, CheckId::chkChannelSpectrum, nullptr, true),
        kSpectrumRow, kChannel);
    AddStageCell(SpectrumCell(PictureId::picRxSpectrum, CheckId::chkRxSpectrum,
                              w_.Slider(SliderId::vscSpectrumRange), false),
                 kSpectrumRow, kRx);
    for (int column = 0; column < kStageColumns; ++column)
        grid_->setColumnStretch(column, column == kOutput ? kOutputStretch : kStageStretch);
    grid_->setRowStretch(kEyeRow, 1);
    grid_->setRowStretch(kSpectrumRow, 1);
}

void ChainLayout::BuildCompact() {
    grid_->setHorizontalSpacing(2 * kRowGap);
    grid_->addLayout(topBar_ = TopBar(), 0, 0, 1, 2);
    QLayout* lists = TransmitterLists(true);
    const bool listsShown = !lists->isEmpty();
    grid_->addLayout(Strips(PictureId::picData, PictureId::picModData, true), 1, 0, 1,
                     listsShown ? 1 : 2);
    grid_->addLayout(TopAligned(lists), 1, 1);
    QLayout* eye = EyeCell(PictureId::picChannelEye, CheckId::chkChannelEye,
                           w_.Slider(SliderId::vscTxEyeScale), nullptr);
    grid_->addLayout(eye, 2, 0);
    grid_->addLayout(SpectrumCell(PictureId::picChannelSpectrum, CheckId::chkChannelSpectrum,
                                  w_.Slider(SliderId::vscSpectrumRange), true),
                     2, 1);
    grid_->setColumnStretch(0, 3);
    grid_->setColumnStretch(1, 2);
    // Without an eye the room goes to an empty last row, so the strips keep their height.
    grid_->setRowStretch(eye->isEmpty() ? 3 : 2, 1);
}

void ChainLayout::AddStageCell(QLayout* cell, int row, int column, int rowSpan) {
    grid_->addLayout(cell, row, column, rowSpan, 1);
    columns_[static_cast<std::size_t>(column)].push_back(cell);
}

void ChainLayout::SetAvailableWidth(int width) {
    if (available_ == width) return;
    available_ = width;
    EqualizeColumns();
}

void ChainLayout::EqualizeColumns() {
    if (!full_ || grid_ == nullptr) return;
    int preferred = 0;
    int needed = 0;
    int outputNeeded = 0;
    for (const QLayout* cell : columns_[kOutput])
        outputNeeded = std::max(outputNeeded, cell->minimumSize().width());
    for (int c = kTx; c <= kRx; ++c) {
        for (const QLayout* cell : columns_[static_cast<std::size_t>(c)]) {
            preferred = std::max(preferred, cell->sizeHint().width());
            needed = std::max(needed, cell->minimumSize().width());
        }
    }
    preferred = std::max(preferred, needed);
    int width = preferred;
    if (available_ > 0) {
        const QMargins m = grid_->contentsMargins();
        const int fixed =
            m.left() + m.right() + (kStageColumns - 1) * grid_->horizontalSpacing() + outputNeeded;
        width = std::clamp((available_ - fixed) / (kStageColumns - 1), needed, preferred);
    }
    for (int column = kTx; column <= kRx; ++column)
        grid_->setColumnMinimumWidth(column, width);
    grid_->setColumnMinimumWidth(kOutput, outputNeeded);
}

QRect ChainLayout::StageRect(int column) const {
    if (!full_ || grid_ == nullptr || column < 0 || column >= kStageColumns) return QRect();
    QRect rect;
    for (int row = kListRow; row <= kSpectrumRow; ++row)
        rect = rect.united(grid_->cellRect(row, column));
    return rect;
}

QRect ChainLayout::TopBarRect() const {
    return topBar_ != nullptr ? topBar_->geometry() : QRect();
}

QHBoxLayout* ChainLayout::TopBar() {
    QHBoxLayout* bar = Row(
        {w_.Label(LabelId::Label1), w_.List(ListId::cmbScene), w_.List(ListId::cmbData), w_.pause});
    bar->setContentsMargins(8, 4, 8, 4);
    bar->addStretch(1);
    bar->addWidget(w_.logo);
    return bar;
}

QHBoxLayout* ChainLayout::Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

QLayout* ChainLayout::TransmitterLists(bool withChannel) {
    QGridLayout* grid = NewGrid();
    AddListRow(grid, w_.Label(LabelId::lblPreCoding), Row({w_.List(ListId::cmbPreCode0)}));
    AddListRow(grid, w_.Label(LabelId::lblCoding), Row({w_.List(ListId::cmbCode0)}));
    AddListRow(grid, w_.Label(LabelId::lblModulation), Row({w_.List(ListId::cmbMod0)}));
    AddListRow(grid, nullptr,
               Row({w_.List(ListId::cmbTxModPC0), w_.Label(LabelId::lblModulationPC)}));
    AddListRow(grid, w_.Label(LabelId::lblTxFilter), Row({w_.List(ListId::cmbTxFilter0)}));
    // The bandwidth and the excess bandwidth share one place: only one is ever shown.
    AddListRow(
        grid, nullptr,
        Row({w_.List(ListId::cmbTxBW0), w_.List(ListId::cmbTxEB0), w_.Label(LabelId::lblPCkHz0)}));
    if (withChannel) {
        AddListRow(grid, w_.Label(LabelId::lblHighPass),
                   Row({w_.List(ListId::cmbHighPass), w_.Label(LabelId::lblHPkHz)}));
        grid->addWidget(w_.Check(CheckId::chkInvert), grid->rowCount(), 0, 1, 2);
    }
    return grid;
}

QLayout* ChainLayout::ChannelLists() {
    QGridLayout* grid = NewGrid();
    AddListRow(grid, w_.Label(LabelId::lblHighPass),
               Row({w_.List(ListId::cmbHighPass), w_.Label(LabelId::lblHPkHz)}));
    AddListRow(grid, w_.Label(LabelId::lblLowPass),
               Row({w_.List(ListId::cmbLowPass), w_.Label(LabelId::lblLPkHz)}));
    AddListRow(grid, w_.Label(LabelId::lblNoise),
               Row({w_.List(ListId::cmbNoise), w_.Label(LabelId::lblNoiseW)}));
    // The Eb/N0 readout under its box: its text changes, the column's width must not.
    if (w_.ebN0 != nullptr) AddListRow(grid, nullptr, Row({w_.ebN0}));
    grid->addWidget(w_.Check(CheckId::chkFixedNoise), grid->rowCount(), 0, 1, 2);
    AddListRow(grid, w_.Label(LabelId::lblMultipath),
               Row({w_.List(ListId::cmbMultipathDelay), w_.Label(LabelId::lblMultipathDelay)}));
    AddListRow(grid, nullptr,
               Row({w_.List(ListId::cmbMultipathMag), w_.Label(LabelId::lblMultipathPC)}));
    grid->addWidget(w_.Check(CheckId::chkInvert), grid->rowCount(), 0, 1, 2);
    return grid;
}

QLayout* ChainLayout::ReceiverLists() {
    QGridLayout* grid = NewGrid();
    AddListRow(grid, w_.Label(LabelId::lblRxFilter), Row({w_.List(ListId::cmbTxFilter1)}));
    AddListRow(
        grid, nullptr,
        Row({w_.List(ListId::cmbTxBW1), w_.List(ListId::cmbTxEB1), w_.Label(LabelId::lblPCkHz1)}));
    return grid;
}

QLayout* ChainLayout::OutputLists() {
    QGridLayout* grid = NewGrid();
    AddListRow(grid, w_.Label(LabelId::lblDemod), Row({w_.List(ListId::cmbMod1)}));
    AddListRow(grid, nullptr, Row({w_.List(ListId::cmbTxModPC1), w_.Label(LabelId::lblDemodPC)}));
    AddListRow(grid, w_.Label(LabelId::lblDecode), Row({w_.List(ListId::cmbCode1)}));
    // In the last scene the receiver's copies are hidden and "As Transmitter" stands there.
    AddListRow(grid, w_.Label(LabelId::lblPostCoding),
               Row({w_.List(ListId::cmbPreCode1), w_.Label(LabelId::lblAsTransmitter)}));
    return grid;
}

QLayout* ChainLayout::Strips(PictureId first, PictureId last, bool withSliders) {
    QGridLayout* grid = NewGrid();
    for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) {
        grid->addWidget(w_.Check(static_cast<CheckId>(i)), i, 0, Qt::AlignVCenter);
        grid->addWidget(w_.Picture(static_cast<PictureId>(i)), i, 1);
    }
    if (withSliders) {
        auto* sliders = new QHBoxLayout;
        sliders->setContentsMargins(0, 0, 0, 0);
        sliders->addWidget(w_.Slider(SliderId::hscDataScroll), 3);
        sliders->addWidget(w_.Slider(SliderId::hscDataZoom), 1);
        grid->addLayout(sliders, grid->rowCount(), 1);
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

// Every eye cell has the same frame around its panel (a check box, a vertical and a
// horizontal slider or a filler of the same size), so equal cells give equal eyes.
QLayout* ChainLayout::EyeCell(PictureId eye, CheckId box, QWidget* vertical, QWidget* horizontal) {
    QGridLayout* grid = NewGrid();
    const int across = w_.Slider(SliderId::vscThreshold)->sizeHint().width();
    const int down = w_.Slider(SliderId::hscSample)->sizeHint().height();
    grid->addWidget(w_.Check(box), 0, 0, Qt::AlignTop);
    grid->addWidget(w_.Picture(eye), 0, 1);
    if (QWidget* right = vertical != nullptr ? vertical : Filler(QSize(across, 0)))
        grid->addWidget(right, 0, 2);
    if (QWidget* below = horizontal != nullptr ? horizontal : Filler(QSize(0, down)))
        grid->addWidget(below, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return grid;
}

QLayout* ChainLayout::SpectrumCell(PictureId spectrum, CheckId box, QWidget* vertical,
                                   bool withAxis) {
    QGridLayout* grid = NewGrid();
    const int across = w_.Slider(SliderId::vscSpectrumRange)->sizeHint().width();
    grid->addWidget(w_.Check(box), 0, 0, Qt::AlignTop);
    grid->addWidget(w_.Picture(spectrum), 0, 1);
    if (QWidget* right = vertical != nullptr ? vertical : Filler(QSize(across, 0)))
        grid->addWidget(right, 0, 2);
    if (withAxis) {
        grid->addLayout(FrequencyAxis(), 1, 1);
        grid->addLayout(Row({w_.Check(CheckId::chkLinear), w_.Check(CheckId::chkMemory)}), 2, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return grid;
}

// The nine frequency labels spread evenly under the spectrum panel: 0 to 4 kHz.
QLayout* ChainLayout::FrequencyAxis() {
    auto* axis = new QHBoxLayout;
    axis->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 9; ++i) {
        if (i > 0) axis->addStretch(1);
        axis->addWidget(w_.Label(Element(LabelId::lblFreq0, i)));
    }
    return axis;
}

QLayout* ChainLayout::OutputCell() {
    auto* box = new QVBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(w_.Label(LabelId::lblOutput));
    box->addWidget(w_.Label(LabelId::lblBER));
    if (w_.berCount != nullptr) box->addWidget(w_.berCount);
    if (w_.eyeOpening != nullptr) box->addWidget(w_.eyeOpening);
    box->addStretch(1);
    return box;
}

// Only the full layout matches cells with fillers; the compact one has nothing to match.
QWidget* ChainLayout::Filler(QSize size) {
    if (!full_) return nullptr;
    auto* filler = new QWidget(area_);
    if (size.width() > 0) filler->setFixedWidth(size.width());
    if (size.height() > 0) filler->setFixedHeight(size.height());
    filler->setAttribute(Qt::WA_TransparentForMouseEvents);
    filler->show();
    fillers_.push_back(filler);
    return filler;
}

}  // namespace linelab
