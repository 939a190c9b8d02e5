#include "app/qt/BerContours.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "analysis/StatisticalEye.h"
#include "app/qt/MeasureView.h"
#include "app/qt/PicturePanel.h"
#include "display/Plots.h"
#include "sweep/EngineChunkRunner.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

// One colour per rate, from the widest contour (1e-3) inwards.
const std::array<QColor, 4> kContourColours{QColor(200, 0, 0), QColor(230, 120, 0),
                                            QColor(150, 0, 200), QColor(40, 40, 40)};
// The labels' places apart, in hscSample steps (32 a symbol period).
constexpr double kLabelSpread = 8;

QString RateLabel(double rate) {
    return QStringLiteral("1e%1").arg(static_cast<int>(std::lround(std::log10(rate))));
}

}  // namespace

std::optional<ContourMap> ContourMapOf(Form1& form) {
    const RunState& s = form.State();
    const Canvas& tx = form.CanvasOf(PictureId::picTxEye);
    const Canvas& rx = form.CanvasOf(PictureId::picRxEye);
    EyeView view = EyeViewOf(form.Controls(), s.dBaudRate);
    view.samplingOffset = 0;
    const std::optional<double> at0 = EyeSamplingX(view, rx.ScaleWidth());
    view.samplingOffset = 2;
    const std::optional<double> at2 = EyeSamplingX(view, rx.ScaleWidth());
    if (!at0 || !at2) return std::nullopt;
    ContourMap map;
    map.x0 = *at0 / kUnitsPerPixel;
    map.xStep = (*at2 - *at0) / 2 / kUnitsPerPixel;
    map.geometry = {static_cast<double>(tx.ScaleWidth()), static_cast<double>(tx.ScaleHeight()),
                    std::sqrt(2.0), s.dBaudRate};
    return map;
}

ContourResult ComputeContours(const SweepSettings& settings) {
    ContourResult out;
    try {
        const std::optional<LinkStatistics> stats =
            ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
        if (!stats) {
            out.problem = QStringLiteral("none for these settings");
            return out;
        }
        const StatisticalEye eye = ComputeStatisticalEye(*stats, stats->noiseSigma);
        out.contours = EyeContours(eye);
    } catch (const std::exception& e) {
        out.problem = QString::fromUtf8(e.what());
    }
    return out;
}

BerContours::BerContours(Form1& form, MeasureView& measure, QObject* parent)
    : QObject(parent), form_(form), measure_(measure) {
    connect(this, &BerContours::Computed, this, &BerContours::Take, Qt::QueuedConnection);
}

BerContours::~BerContours() {
    job_.Join();  // before the members its result would reach
}

void BerContours::AddViewItem(QMenu& view) {
    action_ = view.addAction(QStringLiteral("BER contours"));
    action_->setObjectName(QStringLiteral("ViewBerContours"));
    action_->setCheckable(true);
    action_->setToolTip(QStringLiteral(
        "Where the predicted rate of wrong decisions is 1e-3, 1e-6, 1e-9 and 1e-12, over the "
        "receive eye"));
    connect(action_, &QAction::toggled, this, &BerContours::SetOn);
}

void BerContours::SetOn(bool on) {
    on_ = on;
    if (action_ != nullptr && action_->isChecked() != on) action_->setChecked(on);
    if (on) {
        Refresh();
        measure_.SetRxEyeExtra(
            [this](QPainter& painter, const QRect& area) { Paint(painter, area); });
    } else {
        measure_.SetRxEyeExtra(nullptr);
    }
}

void BerContours::Refresh() {
    // While a job runs, the result's repaint asks again.
    job_.Ask(form_, [this](const SweepSettings& settings) {
        emit Computed(std::make_shared<const ContourResult>(ComputeContours(settings)));
    });
}

void BerContours::Take(std::shared_ptr<const ContourResult> result) {
    job_.Finished();
    result_ = std::move(result);
    // The repaint draws them, and asks again if the settings have moved on meanwhile.
    measure_.SetRxEyeExtra(
        on_ ? MeasureView::EyePainter(
                  [this](QPainter& painter, const QRect& area) { Paint(painter, area); })
            : MeasureView::EyePainter());
}

// `area` is the receive eye's own drawing in its pixels (the painter scales it when large).
void BerContours::Paint(QPainter& painter, const QRect& area) {
    Refresh();
    const std::optional<ContourMap> map = ContourMapOf(form_);
    painter.save();
    // Drawn in the device's pixels, so that shown large the lines stay thin and the labels
    // keep their size: only the places are scaled.
    const QTransform toDevice = painter.transform();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    painter.setFont(small);
    QString status = QStringLiteral("BER contours");
    if (result_ == nullptr) {
        status += QStringLiteral(": working");
    } else if (!result_->problem.isEmpty()) {
        status += QStringLiteral(": ") + result_->problem;
    } else if (job_.Busy()) {
        status += QStringLiteral(" (updating)");
    }
    if (map && result_ != nullptr) {
        for (std::size_t c = 0; c < result_->contours.size(); ++c) {
            const EyeContour& contour = result_->contours[c];
            const QColor colour = kContourColours[c % kContourColours.size()];
            painter.setPen(QPen(colour, 1.3));
            // Labelled where it passes nearest the opening in use, the rates side by side.
            const QPointF target =
                toDevice.map(QPointF(map->X(form_.Slider(SliderId::hscSample).value) +
                                         (double(c) - 1.5) * kLabelSpread * map->xStep,
                                     map->Y(form_.State().dThresholds[0])));
            QPointF label;
            double nearest = 0;
            bool labelled = false;
            // Only over the instants the slider reaches: a symbol period either side of the
            // middle the decision reads the neighbours, so the rates do not repeat.
            for (const ContourSegment& s : contour.segments) {
                const QPointF a = toDevice.map(QPointF(map->X(s.instant0), map->Y(s.threshold0)));
                const QPointF b = toDevice.map(QPointF(map->X(s.instant1), map->Y(s.threshold1)));
                painter.drawLine(a, b);
                const QPointF off = a - target;
                const double distance = off.x() * off.x() + off.y() * off.y();
                if (!labelled || distance < nearest) {
                    label = a;
                    nearest = distance;
                    labelled = true;
                }
            }
            if (labelled) {
                const QString text = RateLabel(contour.rate);
                const QRectF box(
                    label.x() - painter.fontMetrics().horizontalAdvance(text) / 2.0 - 2,
                    label.y() - painter.fontMetrics().height() / 2.0,
                    painter.fontMetrics().horizontalAdvance(text) + 4,
                    painter.fontMetrics().height());
                painter.fillRect(box, QColor(255, 255, 255, 200));
                painter.drawText(box, Qt::AlignCenter, text);
            }
        }
    }
    painter.setPen(kContourColours[0]);
    painter.drawText(toDevice.mapRect(QRectF(area)).adjusted(4, 2, -4, -2),
                     Qt::AlignTop | Qt::AlignRight, status);
    painter.restore();
}

}  // namespace linelab
