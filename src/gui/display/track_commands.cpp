#include "gui/display/track_commands.h"

#include <QColorDialog>
#include <QGuiApplication>
#include <QScreen>
#include <array>
#include <memory>

#include "gui/display/depth_chart.h"
#include "gui/display/elastic_correlation_dialogs.h"
#include "gui/display/set_min_max.h"
#include "gui/display/set_min_max_comp.h"
#include "gui/display/track_panel.h"
#include "gui/display/zoom_chart.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/dialog_seam.h"

namespace {

constexpr int kPrintWidth = 200;
constexpr int kPrintRightMargin = 15;
// Each zoom window opens this far right of and below the one opened before it.
constexpr int kCascadeStep = 28;

QString captionOr(const QString& caption, const QString& title) {
    return caption.isEmpty() ? title.trimmed() : caption;
}

}  // namespace

TrackCommands::TrackCommands(Context context, QObject* parent)
    : QObject(parent), c_(std::move(context)) {
    if (!c_.panel) return;
    connect(c_.panel, &TrackPanel::printRequested, this, &TrackCommands::PopPrint);
    connect(c_.panel, &TrackPanel::exportRequested, this, &TrackCommands::PopExport);
    connect(c_.panel, &TrackPanel::minMaxRequested, this, &TrackCommands::PopMinMax);
    connect(c_.panel, &TrackPanel::logarithmicRequested, this, &TrackCommands::PopLogarithmic);
    connect(c_.panel, &TrackPanel::colourRequested, this, &TrackCommands::PopColor);
    connect(c_.panel, &TrackPanel::zoomed, this, &TrackCommands::Zooming);
}

void TrackCommands::serve(DepthChart* chart, Served served) {
    if (!chart) return;
    served_.emplace_back(chart, std::move(served));
    QPointer<DepthChart> c(chart);
    auto run = [this, c](void (TrackCommands::*command)(DepthChart&)) {
        return [this, c, command] {
            if (c) (this->*command)(*c);
        };
    };
    connect(chart, &DepthChart::printRequested, this, run(&TrackCommands::print));
    connect(chart, &DepthChart::exportRequested, this, run(&TrackCommands::exportChart));
    connect(chart, &DepthChart::minMaxRequested, this, run(&TrackCommands::setLimits));
    connect(chart, &DepthChart::logarithmicRequested, this, run(&TrackCommands::toggleLogarithmic));
    connect(chart, &DepthChart::colourRequested, this, run(&TrackCommands::changeColour));
    connect(chart, &DepthChart::zoomed, this, run(&TrackCommands::zoom));
}

TrackCommands::Served TrackCommands::servedAs(const DepthChart& chart) const {
    for (const auto& [c, served] : served_)
        if (c == &chart) return served;
    return {};
}

std::vector<TZoomChart*> TrackCommands::zoomWindows() const {
    std::vector<TZoomChart*> out;
    for (const auto& w : zoomWindows_)
        if (w) out.push_back(w.data());
    return out;
}

DepthChart* TrackCommands::trackAt(int slot) const {
    return c_.panel ? c_.panel->track(slot) : nullptr;
}

void TrackCommands::warn(const QString& title, const QString& text) {
    c_.seam().message(c_.window, QMessageBox::Warning, title, text, QMessageBox::Ok);
}

void TrackCommands::PopPrint(int slot) {
    if (DepthChart* t = trackAt(slot)) print(*t);
}
void TrackCommands::PopExport(int slot) {
    if (DepthChart* t = trackAt(slot)) exportChart(*t);
}
void TrackCommands::PopMinMax(int slot) {
    if (DepthChart* t = trackAt(slot)) setLimits(*t);
}
void TrackCommands::PopLogarithmic(int slot) {
    if (DepthChart* t = trackAt(slot)) toggleLogarithmic(*t);
}
void TrackCommands::PopColor(int slot) {
    if (DepthChart* t = trackAt(slot)) changeColour(*t);
}
void TrackCommands::Zooming(int slot) {
    if (DepthChart* t = trackAt(slot)) zoom(*t);
}

void TrackCommands::print(DepthChart& chart) {
    // The copy, not the chart, is previewed and printed; it lives as long as the preview.
    std::unique_ptr<DepthChart> printed(chart.clone(nullptr));
    if (c_.depthTitle) printed->setDepthTitle(c_.depthTitle());
    printed->setRightMargin(kPrintRightMargin);
    printed->setChartSize(QSize(kPrintWidth, chart.height()));
    if (servedAs(chart).printFitsShownRanges) {
        // The printed scales are fitted once more around the ranges shown.
        for (int a = 0; a < printed->axisCount(); ++a) {
            const lithora::AxisRange shown = printed->valueRange(a);
            const lithora::AxisRange wider = lithora::rescaleLimits(shown.lo, shown.hi);
            printed->setValueRange(wider.lo, wider.hi, a);
        }
    } else {
        printed->rescaleAll();
    }
    printed->setChartSize(QSize(kPrintWidth, chart.height()));
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*printed->plot()), c_.seam(), c_.window);
    emit printCopyReady(printed.get());
    c_.seam().exec(preview);
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::exportChart(DepthChart& chart) {
    ChartExportDialog dialog(*chart.plot(), c_.seam(), c_.window);
    c_.seam().exec(dialog);
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::setLimits(DepthChart& chart) {
    if (chart.axisCount() >= 2) {
        const Served served = servedAs(chart);
        const lithora::AxisRange bottom = chart.valueRange(DepthChart::Bottom);
        const lithora::AxisRange top = chart.valueRange(DepthChart::Top);
        TSetMinMaxComp dialog(
            {captionOr(served.limitsCaptions[1], chart.axisTitle(DepthChart::Bottom)), bottom.lo,
             bottom.hi},
            {captionOr(served.limitsCaptions[0], chart.axisTitle(DepthChart::Top)), top.lo, top.hi},
            c_.seam(), c_.window);
        c_.seam().exec(dialog);
        // Only "Ok" answers; each axis takes its pair only when the minimum is below the
        // maximum.
        const auto answer = dialog.answer();
        if (!answer) return;
        const auto& v = *answer;
        if (v[0] < v[1]) chart.setValueRange(v[0], v[1], DepthChart::Bottom);
        if (v[2] < v[3]) chart.setValueRange(v[2], v[3], DepthChart::Top);
        return;
    }
    const lithora::AxisRange shown = chart.valueRange();
    TSetMinMax dialog(shown.lo, shown.hi, c_.seam(), c_.window);
    // The answer is the dialog's own: a dialog closed without "Ok" or "Cancel" changes
    // nothing, whatever an earlier use answered.
    c_.seam().exec(dialog);
    const auto answer = dialog.answer();
    if (!answer) return;
    const auto [lo, hi] = *answer;
    if (lo == 0 && hi == 0) return;  // "Cancel"
    if (lo >= hi) return;
    if (chart.isLogarithmic() && lo <= 0) {
        warn(QStringLiteral("Set Min, Max"),
             QStringLiteral(
                 "A logarithmic axis starts above 0: the minimum must be greater than 0."));
        return;
    }
    chart.setValueRange(lo, hi);
}

void TrackCommands::toggleLogarithmic(DepthChart& chart) {
    if (!chart.setLogarithmic(!chart.isLogarithmic())) {
        warn(QStringLiteral("Lithora"),
             QStringLiteral("The track \"%1\" has no value above 0, so it cannot be drawn on a "
                            "logarithmic axis.")
                 .arg(chart.title()));
    }
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::changeColour(DepthChart& chart) {
    if (chart.axisCount() < 2) {
        QColorDialog dialog(chart.colour(), c_.window);
        if (c_.seam().exec(dialog) != QDialog::Accepted) return;
        const QColor chosen = dialog.currentColor();
        if (chosen.isValid()) chart.setColour(chosen);
        return;
    }
    struct Colours {
        QColor curve, title, line;
    };
    std::array<Colours, 2> before;
    for (int a : {0, 1})
        before[static_cast<std::size_t>(a)] = {chart.curveColour(a), chart.axisTitleColour(a),
                                               chart.axisLineColour(a)};
    const Served served = servedAs(chart);
    QPointer<DepthChart> target(&chart);
    TElasticChangeColor dialog(
        captionOr(served.colourCaptions[0], chart.axisTitle(0)),
        captionOr(served.colourCaptions[1], chart.axisTitle(1)), before[0].curve, before[1].curve,
        [target](int swatch, const QColor& c) {
            if (!target) return;
            const int a = swatch == 1 ? 0 : 1;
            target->setCurveColour(a, c);
            target->setAxisTitleColour(a, c);
            target->setAxisLineColour(a, c);
        },
        c_.seam(), c_.window);
    if (c_.seam().exec(dialog) == QDialog::Accepted || !target) return;
    // Anything but "Ok" leaves the chart as it was before the dialog.
    for (int a : {0, 1}) {
        const Colours& b = before[static_cast<std::size_t>(a)];
        chart.setCurveColour(a, b.curve);
        chart.setAxisTitleColour(a, b.title);
        chart.setAxisLineColour(a, b.line);
    }
}

void TrackCommands::zoom(DepthChart& chart) {
    DepthChart* copy = chart.clone(nullptr);
    chart.undoZoom();
    auto* window =
        new TZoomChart(copy, c_.depthTitle ? c_.depthTitle() : QString(), c_.seam, c_.window);
    // Each window opens below and right of the newest one still open, so none hides another.
    const std::vector<TZoomChart*> open = zoomWindows();
    if (!open.empty()) {
        QPoint at = open.back()->pos() + QPoint(kCascadeStep, kCascadeStep);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            if (at.x() + window->width() > room.right() ||
                at.y() + window->height() > room.bottom())
                at = room.topLeft() + QPoint(kCascadeStep, kCascadeStep);
        }
        window->move(at);
    }
    zoomWindows_.emplace_back(window);
    window->show();
}
