#include "gui/crossplot/cross_plots.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"
#include "gui/widgets/cross_plot.h"
#include "gui/display/set_min_max_comp.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"

using lithora::workspace::ColourOption;
namespace compute = lithora::compute;

namespace {

struct PlotSpec {
    int left, top;
    compute::ElasticField x, y;
    const char* xTitle;  // empty: the field's display label
    const char* yTitle;
    QColor colour;
    bool depthLabels;
    bool fixed;  // 0 .. 160000 on X, 0 .. 80000 on Y
};

const std::array<PlotSpec, 4> kPlots{{
    {8, 8, compute::kRho, compute::kVpVs, "", "", QColor(255, 0, 0), false, false},
    {360, 8, compute::kLandaRho, compute::kMiuRho, "LAMBDA.RHO (GPa.Kg/m3)", "MU.RHO (GPa.Kg/m3)",
     QColor(0, 255, 0), true, true},
    {8, 264, compute::kPImpedance, compute::kSImpedance, "P-IMPEDANCE (Mg/sm2)",
     "S-IMPEDANCE (Mg/sm2)", QColor(0, 255, 255), true, false},
    {360, 264, compute::kVp, compute::kVpVs, "Vp (m/s)", "Vp/Vs", QColor(255, 0, 255), true, false},
}};

QString fieldLabel(const lithora::store::Table& t, int field) {
    if (t.isOpen() && field < t.fieldCount()) return QString::fromStdString(t.field(field).label());
    return QString::fromLatin1(compute::kElasticFieldLabels[static_cast<std::size_t>(field)]);
}

}  // namespace

TCrossPlots::TCrossPlots(CommandContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ctx_(std::move(context)) {
    setObjectName(QStringLiteral("CrossPlots"));
    setWindowTitle(QStringLiteral("Cross Plots"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(717, 546);

    for (int k = 1; k <= 4; ++k) {
        const PlotSpec& s = kPlots[static_cast<std::size_t>(k - 1)];
        auto* p = new CrossPlot(k, s.colour, this);
        p->move(s.left, s.top);
        if (s.fixed) {
            p->setFixedXRange(0, 160000);
            p->setFixedYRange(0, 80000);
        }
        connect(p, &CrossPlot::printRequested, this, &TCrossPlots::printPlot);
        connect(p, &CrossPlot::exportRequested, this, &TCrossPlots::exportPlot);
        connect(p, &CrossPlot::minMaxRequested, this, &TCrossPlots::setPlotLimits);
        connect(p, &CrossPlot::colourChosen, this, &TCrossPlots::colourPlotBy);
        plots_[static_cast<std::size_t>(k - 1)] = p;
    }

    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setGeometry(9, 517, 75, 25);
    QFont bold = closeButton_->font();
    bold.setBold(true);
    closeButton_->setFont(bold);
    closeButton_->setStyleSheet(QStringLiteral("color: red;"));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The plots follow both tables: the elastic one for their points, the source one for
    // the curves they may be coloured by. Events only mark the window for reading again,
    // once, when the program is idle: a command that changes a table row by row costs one
    // reading, and nothing is read while the table is half changed.
    // A move of the current record (the grids scrolling) changes no point.
    auto listener = [this](const lithora::store::TableEvent& e) {
        if (e.kind != lithora::store::TableEvent::CurrentChanged) refreshSoon();
    };
    elasticChanges_ = ctx_.workspace.elastic().subscribe(listener);
    sourceChanges_ = ctx_.workspace.source().subscribe(listener);
    FormShow();
}

TCrossPlots::~TCrossPlots() = default;

CrossPlot* TCrossPlots::plot(int k) const {
    return k >= 1 && k <= 4 ? plots_[static_cast<std::size_t>(k - 1)] : nullptr;
}

const ColourOption& TCrossPlots::colouring(int k) const {
    return colouring_[static_cast<std::size_t>(std::clamp(k, 1, 4) - 1)];
}

void TCrossPlots::refreshSoon() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &TCrossPlots::FormShow, Qt::QueuedConnection);
}

void TCrossPlots::FormShow() {
    refreshPending_ = false;
    ++readings_;
    auto& ws = ctx_.workspace;
    const auto& elastic = ws.elastic();
    const bool computed = elastic.isOpen() && !elastic.isEmpty();

    // Each field is read once and shared by the plots that draw it.
    std::array<SharedColumn, compute::kElasticFieldCount> columns;
    auto column = [&](int f) {
        auto& c = columns[static_cast<std::size_t>(f)];
        if (!c)
            c = std::make_shared<const std::vector<double>>(
                computed ? lithora::workspace::visibleElasticColumn(ws, f) : std::vector<double>());
        return c;
    };
    for (int k = 1; k <= 4; ++k) {
        const PlotSpec& s = kPlots[static_cast<std::size_t>(k - 1)];
        CrossPlot* p = plot(k);
        p->setAxisTitles(*s.xTitle ? QString::fromLatin1(s.xTitle) : fieldLabel(elastic, s.x),
                         *s.yTitle ? QString::fromLatin1(s.yTitle) : fieldLabel(elastic, s.y));
        p->setPoints(column(s.x), column(s.y),
                     s.depthLabels ? column(compute::kDepth) : SharedColumn());
        const bool any = p->hasDrawablePoint();
        p->setMessage(!computed ? QString::fromLatin1(kComputeFirst)
                      : any     ? QString()
                                : QString::fromLatin1(kNoPoints));
    }

    options_ = lithora::workspace::colourOptions(ws);
    showChoices();
    for (int k = 1; k <= 4; ++k) showColouring(k);
}

void TCrossPlots::showChoices() {
    QStringList captions;
    for (const auto& o : options_) captions.push_back(QString::fromStdString(o.caption));
    for (int k = 1; k <= 4; ++k) {
        auto& chosen = colouring_[static_cast<std::size_t>(k - 1)];
        // A curve that went with the well it belonged to leaves the plot uncoloured.
        int checked = 0;
        for (std::size_t i = 0; i < options_.size(); ++i)
            if (options_[i] == chosen) {
                checked = static_cast<int>(i);
                break;
            }
        chosen = options_[static_cast<std::size_t>(checked)];
        plot(k)->setColourChoices(captions, checked);
    }
}

void TCrossPlots::showColouring(int k) {
    CrossPlot* p = plot(k);
    const ColourOption& o = colouring(k);
    if (o.kind == ColourOption::None || p->pointCount() == 0) {
        p->setColouring({}, {});
        return;
    }
    p->setColouring(QString::fromStdString(o.caption),
                    lithora::workspace::colourValues(ctx_.workspace, o));
}

void TCrossPlots::colourPlotBy(int k, int choice) {
    if (!plot(k) || choice < 0 || choice >= static_cast<int>(options_.size())) return;
    colouring_[static_cast<std::size_t>(k - 1)] = options_[static_cast<std::size_t>(choice)];
    BusyCursor busy;
    showColouring(k);
}

void TCrossPlots::printPlot(int k) {
    CrossPlot* p = plot(k);
    if (!p) return;
    // The plot itself is printed, as it stands (zoomed, coloured), not a copy.
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*p->plot()), ctx_.seam, this);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    ctx_.seam.exec(preview);
    if (ctx_.restoreFolder) ctx_.restoreFolder();
}

void TCrossPlots::exportPlot(int k) {
    CrossPlot* p = plot(k);
    if (!p) return;
    ChartExportDialog dialog(*p->plot(), ctx_.seam, this);
    ctx_.seam.exec(dialog);
    if (ctx_.restoreFolder) ctx_.restoreFolder();
}

void TCrossPlots::setPlotLimits(int k) {
    CrossPlot* p = plot(k);
    if (!p) return;
    const auto y = p->yRange();
    const auto x = p->xRange();
    TSetMinMaxComp dialog({p->yTitle(), y.lo, y.hi}, {p->xTitle(), x.lo, x.hi}, ctx_.seam, this);
    ctx_.seam.exec(dialog);
    // "Cancel" and the close box answer nothing; each row applies on its own when its
    // minimum is below its maximum.
    const auto answer = dialog.answer();
    if (!answer) return;
    const auto& a = *answer;
    if (a[0] < a[1]) p->setFixedYRange(a[0], a[1]);
    if (a[2] < a[3]) p->setFixedXRange(a[2], a[3]);
}
