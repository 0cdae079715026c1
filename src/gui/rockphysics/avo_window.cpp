#include "gui/rockphysics/avo_window.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <memory>

#include "core/store/table.h"
#include "core/workspace/workspace.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_commands.h"
#include "gui/rockphysics/window_parts.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/wiggle_gather.h"

namespace commands = lithora::commands;

namespace {

constexpr int kLeft = 8, kControlsTop = 8, kTop = 40, kHeight = 560;
constexpr int kInterceptWidth = 190;  // with the depth scale
constexpr int kGradientWidth = 130;
constexpr int kGatherLeft = kLeft + kInterceptWidth + kGradientWidth + 8;
constexpr int kGatherWidth = 250;
constexpr int kPlotLeft = kGatherLeft + 2 * kGatherWidth + 14;
constexpr int kWidth = kPlotLeft + CrossPlot::kWidth + 8;

const QColor kInterceptColour(200, 0, 0);
const QColor kGradientColour(0, 0, 200);
const QColor kPlotColour(0, 128, 128);

SharedColumn shared(const std::vector<double>& values) {
    return std::make_shared<const std::vector<double>>(values);
}

// 1, 2 or 5 times a power of ten: the step of about `count` labels over span.
double niceStep(double span, int count) {
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

// Round depths at the two-way times where the well reaches them (between the interfaces'
// depths and times, linearly), for the depth scale beside a gather.
std::vector<std::pair<double, QString>> depthMarks(const commands::AvoResult& avo) {
    std::vector<std::pair<double, QString>> marks;
    const auto& d = avo.depth;
    const auto& t = avo.twtMs;
    if (d.size() < 2) return marks;
    const auto [lo, hi] = std::minmax_element(d.begin(), d.end());
    if (!(*hi > *lo)) return marks;
    const double step = niceStep(*hi - *lo, 8);
    const int decimals = step < 1 ? 1 : 0;
    const QLocale locale;
    for (double depth = std::ceil(*lo / step) * step; depth <= *hi; depth += step)
        for (std::size_t i = 0; i + 1 < d.size(); ++i) {
            const double a = d[i], b = d[i + 1];
            if ((depth - a) * (depth - b) > 0 || a == b) continue;
            const double time = t[i] + (t[i + 1] - t[i]) * (depth - a) / (b - a);
            marks.emplace_back(time, locale.toString(depth, 'f', decimals));
            break;
        }
    return marks;
}

std::vector<QString> angleLabels(const std::vector<int>& angles) {
    std::vector<QString> out;
    for (int a : angles) out.push_back(QString::number(a));
    return out;
}

NumberBox* settingBox(QWidget* parent, const char* name, double value, int left, int width) {
    auto* box = new NumberBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setValue(value);
    box->setGeometry(left, kControlsTop, width, 24);
    return box;
}

}  // namespace

AvoWindow::AvoWindow(RockPhysicsContext context,
                     std::optional<commands::FluidSubstitutionRequest> substitution)
    : QDialog(context.command.parent),
      c_(std::move(context)),
      substitution_(std::move(substitution)) {
    namespace parts = rock_physics_parts;
    parts::setUpWindow(*this, QStringLiteral("AvoWindow"), QStringLiteral("AVO"),
                       QSize(kWidth, kTop + kHeight + 40));
    commands_ = parts::trackCommands(*this, c_);
    row_ = new DepthChartRow(this);
    buildControls();

    intercept_ = parts::combinationTrack(*this, 1, 1, QStringLiteral("interceptTrack"),
                                         QRect(kLeft, kTop, kInterceptWidth, kHeight));
    gradient_ =
        parts::combinationTrack(*this, 2, 1, QStringLiteral("gradientTrack"),
                                QRect(kLeft + kInterceptWidth, kTop, kGradientWidth, kHeight));
    const std::pair<DepthChart*, std::pair<const char*, QColor>> tracks[] = {
        {intercept_, {"INTERCEPT A", kInterceptColour}},
        {gradient_, {"GRADIENT B", kGradientColour}}};
    for (const auto& [chart, spec] : tracks) {
        chart->setAxisTitle(DepthChart::Top, QString::fromLatin1(spec.first));
        chart->setCurveName(DepthChart::Top, QString::fromLatin1(spec.first));
        chart->setCurveColour(DepthChart::Top, spec.second);
        chart->setAxisTitleColour(DepthChart::Top, spec.second);
        chart->setAxisLineColour(DepthChart::Top, spec.second);
        commands_->serve(chart, {});
        row_->add(chart);
    }
    gradient_->setDepthLabelsShown(false);

    const int gatherWidth = substitution_ ? kGatherWidth : 2 * kGatherWidth + 6;
    originalGather_ = new WiggleGather(this);
    originalGather_->setObjectName(QStringLiteral("originalGather"));
    originalGather_->setGeometry(kGatherLeft, kTop, gatherWidth, kHeight);
    substitutedGather_ = new WiggleGather(this);
    substitutedGather_->setObjectName(QStringLiteral("substitutedGather"));
    substitutedGather_->setGeometry(kGatherLeft + kGatherWidth + 6, kTop, kGatherWidth, kHeight);
    substitutedGather_->setVisible(substitution_.has_value());

    crossPlot_ = new CrossPlot(1, kPlotColour, this);
    crossPlot_->setObjectName(QStringLiteral("interceptGradientPlot"));
    crossPlot_->move(kPlotLeft, kTop);
    crossPlot_->setAxisTitles(QStringLiteral("INTERCEPT A"), QStringLiteral("GRADIENT B"));
    parts::serveCrossPlot(*crossPlot_, *this, c_);
    connect(crossPlot_, &CrossPlot::colourChosen, this,
            [this](int, int choice) { colourCrossPlotBy(choice); });

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("avoSummary"));
    summary_->setWordWrap(true);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    summary_->setGeometry(kPlotLeft, kTop + CrossPlot::kHeight + 8, CrossPlot::kWidth, 120);

    parts::closeButton(*this, QRect(kLeft, kTop + kHeight + 8, 75, 25));

    model();
    changes_ = rock_physics_parts::followWell(*this, c_.command.workspace, [this] { model(); });
}

AvoWindow::~AvoWindow() {
    changes_.reset();
}

void AvoWindow::buildControls() {
    int left = kLeft;
    auto caption = [&](const char* text, int width) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setGeometry(left, kControlsTop, width, 24);
        left += width;
    };
    caption("Wavelet (Hz):", 90);
    frequency_ = settingBox(this, "waveletFrequency", settings_.frequencyHz, left, 50);
    left += 60;
    caption("Time step (ms):", 100);
    step_ = settingBox(this, "timeStep", settings_.stepMs, left, 50);
    left += 60;
    caption("Angles (°) from:", 105);
    angleFrom_ = settingBox(this, "angleFrom", settings_.angles.from, left, 40);
    left += 48;
    caption("to:", 22);
    angleTo_ = settingBox(this, "angleTo", settings_.angles.to, left, 40);
    left += 48;
    caption("step:", 36);
    angleStep_ = settingBox(this, "angleStep", settings_.angles.step, left, 40);
    left += 50;
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("applyAvoSettings"));
    apply->setGeometry(left, kControlsTop, 75, 24);
    connect(apply, &QPushButton::clicked, this, &AvoWindow::applySettings);
    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("avoSettingsError"));
    error_->setStyleSheet(QStringLiteral("color: red;"));
    error_->setGeometry(left + 85, kControlsTop, kWidth - left - 93, 24);
}

QString AvoWindow::settingsError() const {
    return error_->text();
}

bool AvoWindow::applySettings() {
    AvoSettings s;
    QString error;
    const auto frequency = frequency_->value(), step = step_->value();
    const auto from = angleFrom_->value(), to = angleTo_->value(), by = angleStep_->value();
    auto whole = [](const std::optional<double>& v) { return v && *v == std::floor(*v); };
    if (!frequency || !(*frequency >= 1 && *frequency <= 250))
        error = QStringLiteral("The wavelet frequency must be from 1 to 250 Hz.");
    else if (!step || !(*step >= 0.1 && *step <= 20))
        error = QStringLiteral("The time step must be from 0.1 to 20 ms.");
    else if (*step * *frequency > 250)
        // Below a quarter of the wavelet's period, so its peak is sampled.
        error = QStringLiteral("The time step is too long for the frequency: at most %1 ms.")
                    .arg(QLocale().toString(250 / *frequency, 'g', 3));
    else if (!whole(from) || !whole(to) || !whole(by) || *from < 0 || *to > 80)
        error = QStringLiteral("The angles must be whole degrees from 0 to 80.");
    else if (*from > *to)
        error = QStringLiteral("The first angle must not be above the last.");
    else if (*by <= 0)
        error = QStringLiteral("The angle step must be above 0.");
    error_->setText(error);
    if (!error.isEmpty()) return false;
    s.frequencyHz = *frequency;
    s.stepMs = *step;
    s.angles = {static_cast<int>(*from), static_cast<int>(*to), static_cast<int>(*by)};
    settings_ = s;
    model();
    return true;
}

void AvoWindow::model() {
    const auto elastic = c_.elasticRequest ? c_.elasticRequest() : std::nullopt;
    if (!elastic) {
        close();
        return;
    }
    BusyCursor busy;
    auto& ws = c_.command.workspace;
    avo_ = commands::modelAvo(ws, {*elastic, settings_.angles});
    substitutedAvo_ = {};
    if (substitution_) {
        auto request = *substitution_;
        request.elastic = *elastic;
        const auto sub = commands::substituteFluid(ws, request);
        if (sub.error.empty())
            substitutedAvo_ =
                commands::modelAvoOfRock(ws, {sub.vpSub, sub.vsSub, sub.rhoSub}, settings_.angles);
    }
    // Each interface's depth is that of its second sample: the rows are found in order.
    interfaceRows_.clear();
    const auto& source = ws.source();
    const auto depth = source.visibleFloats(ws.sourceDepthField());
    for (std::size_t row = 1, i = 0; row < depth.size() && i < avo_.depth.size(); ++row)
        if (depth[row] == avo_.depth[i]) {
            interfaceRows_.push_back(row);
            ++i;
        }
    colourChoices_ = {QStringLiteral("None"), QStringLiteral("Depth")};
    for (int f = 1; f < source.fieldCount() - 1; ++f)
        if (f != ws.sourceDepthField())
            colourChoices_ << QString::fromStdString(source.field(f).label());
    if (colouring_ >= colourChoices_.size()) colouring_ = 0;
    showResult();
}

void AvoWindow::showResult() {
    intercept_->setData(avo_.depth, avo_.intercept);
    gradient_->setData(avo_.depth, avo_.gradient);
    for (DepthChart* t : {intercept_, gradient_}) {
        t->fitDepthAxis();
        t->rescale();
    }
    intercept_->setDepthTitle(QString::fromStdString(c_.command.workspace.depthLabel()));
    row_->align();

    const std::pair<WiggleGather*, const commands::AvoResult*> gathers[] = {
        {originalGather_, &avo_}, {substitutedGather_, &substitutedAvo_}};
    for (const auto& [view, avo] : gathers) {
        const auto gather =
            commands::syntheticGather(*avo, settings_.frequencyHz, settings_.stepMs);
        view->setTraces(gather.traces, gather.stepMs, angleLabels(gather.angles));
        view->setSideScale(QStringLiteral("Depth"), depthMarks(*avo));
    }
    originalGather_->setTitle(QStringLiteral("Original"));
    if (substitution_)
        substitutedGather_->setTitle(QStringLiteral("Substituted (Sw %1)")
                                         .arg(QLocale().toString(substitution_->swAfter, 'g', 4)));

    crossPlot_->setPoints(shared(avo_.intercept), shared(avo_.gradient), shared(avo_.depth));
    crossPlot_->setMessage(crossPlot_->hasDrawablePoint() ? QString()
                                                          : QStringLiteral("No interfaces."));
    colourCrossPlotBy(colouring_);

    const QLocale locale;
    QString text =
        avo_.error.empty()
            ? QStringLiteral(
                  "%1 interfaces; Ricker wavelet of %2 Hz, time step %3 ms, angles "
                  "%4 to %5 by %6 degrees.")
                  .arg(avo_.depth.size())
                  .arg(locale.toString(settings_.frequencyHz), locale.toString(settings_.stepMs))
                  .arg(settings_.angles.from)
                  .arg(settings_.angles.to)
                  .arg(settings_.angles.step)
            : QString::fromStdString(avo_.error);
    if (substitution_)
        text +=
            QStringLiteral("\nSubstituted rock: %1 interfaces.").arg(substitutedAvo_.depth.size());
    summary_->setText(text);
}

void AvoWindow::colourCrossPlotBy(int choice) {
    if (choice < 0 || choice >= colourChoices_.size()) return;
    colouring_ = choice;
    crossPlot_->setColourChoices(colourChoices_, choice);
    if (choice == 0 || avo_.depth.empty()) {
        crossPlot_->setColouring({}, {});
        return;
    }
    std::vector<double> values;
    if (choice == 1) {
        values = avo_.depth;
    } else {
        const auto& ws = c_.command.workspace;
        const auto& source = ws.source();
        // The choices after "Depth" are the source curves in field order, the depth left out.
        int field = 0;
        for (int f = 1, n = 2; f < source.fieldCount() - 1; ++f)
            if (f != ws.sourceDepthField() && n++ == choice) field = f;
        const auto curve = source.visibleFloats(field);
        for (std::size_t row : interfaceRows_)
            values.push_back(row < curve.size() ? curve[row] : std::nan(""));
    }
    values.resize(avo_.depth.size(), std::nan(""));
    BusyCursor busy;
    crossPlot_->setColouring(colourChoices_[choice], values);
}
