#include "gui/rockphysics/fluid_substitution_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <memory>

#include "core/compute/rock_elastic.h"
#include "core/workspace/workspace.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/display/depth_curve.h"
#include "gui/display/track_commands.h"
#include "gui/rockphysics/window_parts.h"
#include "gui/widgets/cross_plot.h"

namespace commands = lithora::commands;
namespace compute = lithora::compute;

namespace {

// The first track carries the depth scale and is wider by its room.
constexpr int kTrackLeft = 8, kTrackTop = 8, kTrackWidth = 124, kTrackHeight = 600;
constexpr int kDepthScaleWidth = 60;
constexpr int kPlotLeft =
    kTrackLeft + FluidSubstitutionWindow::kTrackCount * kTrackWidth + kDepthScaleWidth + 8;

// The colours of the original rock and of the substituted one, in the tracks and the plot.
const QColor kOriginal(0, 0, 200);
const QColor kSubstituted(220, 0, 0);

struct TrackSpec {
    compute::ElasticField field;
    const char* substituted;  // the title of the top scale
    const char* original;     // the title of the bottom scale
};
const TrackSpec kTracks[FluidSubstitutionWindow::kTrackCount] = {
    {compute::kVp, "Vp Sub (m/s)", "Vp (m/s)"},
    {compute::kVs, "Vs Sub (m/s)", "Vs (m/s)"},
    {compute::kRho, "Rho Sub (Kg/m3)", "Rho (Kg/m3)"},
    {compute::kVpVs, "Vp/Vs Sub", "Vp/Vs"},
    {compute::kPImpedance, "P-IMP Sub (Mg/sm2)", "P-IMP (Mg/sm2)"},
};

// A column of a table the window holds, shared without a copy by the charts that draw it.
SharedColumn columnOf(const std::shared_ptr<const compute::ElasticColumns>& table,
                      compute::ElasticField field) {
    return SharedColumn(table, &table->columns[static_cast<std::size_t>(field)]);
}

// A curve drawn from two shared columns.
class SharedCurve : public CurveSource {
  public:
    SharedCurve(SharedColumn depths, SharedColumn values)
        : depths_(std::move(depths)), values_(std::move(values)) {}
    CurveView view() const override { return {*depths_, *values_}; }

  private:
    SharedColumn depths_, values_;
};

}  // namespace

FluidSubstitutionWindow::FluidSubstitutionWindow(RockPhysicsContext context,
                                                 commands::FluidSubstitutionRequest request,
                                                 commands::FluidSubstitutionResult result)
    : QDialog(context.command.parent),
      c_(std::move(context)),
      request_(std::move(request)),
      result_(std::move(result)) {
    namespace parts = rock_physics_parts;
    parts::setUpWindow(*this, QStringLiteral("FluidSubstitutionWindow"),
                       QStringLiteral("Fluid Substitution"),
                       QSize(kPlotLeft + CrossPlot::kWidth + 8, kTrackTop + kTrackHeight + 40));
    commands_ = parts::trackCommands(*this, c_);
    connect(commands_, &TrackCommands::printCopyReady, this,
            &FluidSubstitutionWindow::printCopyReady);
    row_ = new DepthChartRow(this);
    buildTracks();
    buildCrossPlot();

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("substitutionSummary"));
    summary_->setWordWrap(true);
    summary_->setGeometry(kPlotLeft, kTrackTop + CrossPlot::kHeight + 40, CrossPlot::kWidth, 120);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const int buttonTop = kTrackTop + kTrackHeight + 8;
    auto* save = new QPushButton(QStringLiteral("Save as LAS"), this);
    save->setObjectName(QStringLiteral("saveAsLasButton"));
    save->setGeometry(kTrackLeft, buttonTop, 100, 25);
    connect(save, &QPushButton::clicked, this, &FluidSubstitutionWindow::saveAsLas);
    parts::closeButton(*this, QRect(kTrackLeft + 108, buttonTop, 75, 25));

    showResult();
    changes_ =
        rock_physics_parts::followWell(*this, c_.command.workspace, [this] { substituteAgain(); });
}

FluidSubstitutionWindow::~FluidSubstitutionWindow() {
    changes_.reset();
}

DepthChart* FluidSubstitutionWindow::track(int number) const {
    if (number < 1 || number > kTrackCount) return nullptr;
    return tracks_[static_cast<std::size_t>(number - 1)];
}

QString FluidSubstitutionWindow::summary() const {
    return summary_->text();
}

void FluidSubstitutionWindow::buildTracks() {
    for (int k = 1; k <= kTrackCount; ++k) {
        const TrackSpec& s = kTracks[k - 1];
        const int left =
            k == 1 ? kTrackLeft : kTrackLeft + kDepthScaleWidth + (k - 1) * kTrackWidth;
        auto* t = rock_physics_parts::combinationTrack(
            *this, k, 2, QStringLiteral("substitutionTrack%1").arg(k),
            QRect(left, kTrackTop, kTrackWidth + (k == 1 ? kDepthScaleWidth : 0), kTrackHeight));
        const std::pair<int, const char*> axes[] = {{DepthChart::Top, s.substituted},
                                                    {DepthChart::Bottom, s.original}};
        for (const auto& [axis, title] : axes) {
            const QColor colour = axis == DepthChart::Top ? kSubstituted : kOriginal;
            t->setCurveName(axis, QString::fromLatin1(title));
            t->setCurveColour(axis, colour);
            t->setAxisTitle(axis, QString::fromLatin1(title));
            t->setAxisTitleColour(axis, colour);
            t->setAxisLineColour(axis, colour);
        }
        t->setDepthLabelsShown(k == 1);
        TrackCommands::Served served;
        served.limitsCaptions = {QString::fromLatin1(s.substituted),
                                 QString::fromLatin1(s.original)};
        served.colourCaptions = served.limitsCaptions;
        commands_->serve(t, served);
        row_->add(t);
        tracks_[static_cast<std::size_t>(k - 1)] = t;
    }
}

void FluidSubstitutionWindow::buildCrossPlot() {
    auto* caption = new QLabel(QStringLiteral("P-impedance against Vp/Vs"), this);
    caption->setObjectName(QStringLiteral("crossPlotCaption"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setGeometry(kPlotLeft, kTrackTop, CrossPlot::kWidth, 20);
    crossPlot_ = new CrossPlot(1, kOriginal, this);
    crossPlot_->move(kPlotLeft, kTrackTop + 22);
    crossPlot_->setAxisTitles(QStringLiteral("P-IMPEDANCE (Mg/sm2)"), QStringLiteral("Vp/Vs"));
    rock_physics_parts::serveCrossPlot(*crossPlot_, *this, c_);
    auto* legend = new QLabel(this);
    legend->setObjectName(QStringLiteral("crossPlotLegend"));
    legend->setText(QStringLiteral("<span style='color:%1'>&#9679;</span> original &nbsp; "
                                   "<span style='color:%2'>&#9679;</span> substituted")
                        .arg(kOriginal.name(), kSubstituted.name()));
    legend->setGeometry(kPlotLeft, kTrackTop + 24 + CrossPlot::kHeight, CrossPlot::kWidth, 18);
}

void FluidSubstitutionWindow::showResult() {
    // Each table is made once; the tracks and the cross plot draw from it without copies.
    const auto original = std::make_shared<const compute::ElasticColumns>(
        compute::elasticOfRock(result_.rec, result_.depth, {result_.vp, result_.vs, result_.rho}));
    const auto substituted =
        std::make_shared<const compute::ElasticColumns>(commands::substitutedElastic(result_));
    const SharedColumn depth = columnOf(original, compute::kDepth);
    for (int k = 1; k <= kTrackCount; ++k) {
        const auto field = kTracks[k - 1].field;
        DepthChart* t = track(k);
        t->setSource(std::make_shared<SharedCurve>(depth, columnOf(substituted, field)),
                     DepthChart::Top);
        t->setSource(std::make_shared<SharedCurve>(depth, columnOf(original, field)),
                     DepthChart::Bottom);
        t->fitDepthAxis();
        // Both curves on one range, so the change of the fluid reads off the scale.
        t->rescale(DepthChart::Top);
        t->rescale(DepthChart::Bottom);
        if (t->hasValues(DepthChart::Top) && t->hasValues(DepthChart::Bottom)) {
            const auto a = t->valueRange(DepthChart::Top), b = t->valueRange(DepthChart::Bottom);
            const double lo = std::min(a.lo, b.lo), hi = std::max(a.hi, b.hi);
            t->setValueRange(lo, hi, DepthChart::Top);
            t->setValueRange(lo, hi, DepthChart::Bottom);
        }
    }
    track(1)->setDepthTitle(QString::fromStdString(c_.command.workspace.depthLabel()));
    row_->align();

    crossPlot_->setPoints(columnOf(original, compute::kPImpedance),
                          columnOf(original, compute::kVpVs), depth);
    crossPlot_->setOverlayPoints(columnOf(substituted, compute::kPImpedance),
                                 columnOf(substituted, compute::kVpVs), kSubstituted);
    crossPlot_->setMessage(crossPlot_->hasDrawablePoint() ? QString()
                                                          : QStringLiteral("No points to draw."));
    summary_->setText(result_.error.empty()
                          ? QString::fromStdString(commands::fluidSubstitutionSummary(result_))
                          : QString::fromStdString(result_.error));
}

void FluidSubstitutionWindow::substituteAgain() {
    const auto elastic = c_.elasticRequest ? c_.elasticRequest() : std::nullopt;
    if (!elastic) {
        close();
        return;
    }
    request_.elastic = *elastic;
    BusyCursor busy;
    result_ = commands::substituteFluid(c_.command.workspace, request_);
    showResult();
}

bool FluidSubstitutionWindow::saveAsLas() {
    const QString file =
        c_.command.seam.saveFileName(this, QStringLiteral("Save as LAS"),
                                     QStringLiteral("LAS file (*.las)"), QStringLiteral("las"));
    if (c_.command.restoreFolder) c_.command.restoreFolder();
    if (file.isEmpty()) return false;
    std::string error;
    {
        BusyCursor busy;
        error = commands::saveFluidSubstitutionLas(c_.command.workspace, request_, result_,
                                                   file.toStdString());
    }
    if (!error.empty()) {
        c_.command.message(QMessageBox::Critical, QString::fromStdString(error));
        return false;
    }
    if (c_.command.status) c_.command.status(QStringLiteral("Saved %1").arg(file));
    return true;
}
