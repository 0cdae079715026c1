#include "gui/display/elastic_correlations.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "core/store/table.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_navigation.h"
#include "gui/display/elastic_correlation_dialogs.h"
#include "gui/display/table_curve.h"
#include "gui/display/track_commands.h"
#include "gui/display/zoom_chart.h"
#include "gui/widgets/command_context.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/grid_style.h"

using lithora::store::Table;
using lithora::store::TableEvent;

namespace {

constexpr int kClientWidth = 641;
constexpr int kClientHeight = 640;
constexpr int kTrackTop = 8;
constexpr int kTrackHeight = 600;

// One combination track as laid out: place, the two curves (field, name, colour), the axis
// titles with their line and title colours, and the captions its dialogs show. Empty
// texts are filled when the window is shown (the display labels of the chosen fields).
struct CurveSpec {
    const char* field;
    const char* name;
    unsigned colour;
    const char* title;
    unsigned lineColour;
    unsigned titleColour;
    const char* minMaxCaption;  // empty: the axis title
    const char* colourCaption;  // empty: the axis title
};
struct TrackSpec {
    int left, width;
    bool elastic;
    CurveSpec top, bottom;
};

// Colours are desktop colour values (0x00BBGGRR).
const TrackSpec kTracks[TElasticCorrelationPage::kTrackCount] = {
    {32,
     161,
     true,
     {"P-Impedance", "P-IMPEDANCE", 255, "P-IMP(Mg/sm2)", 255, 255, "", "P-IMP(Mg/sm2)"},
     {"S-Impedance", "S-IMPEDANCE", 10485760, "S-IMP(Mg/sm2)", 8404992, 8388608, "",
      "S-IMP(Mg/sm2)"}},
    {192,
     105,
     true,
     {"Landa.Rho", "LAMBDA.RHO", 56576, "LAMBDA.RHO", 57088, 57088, "LAMBDA.RHO", "LAMBDA.RHO"},
     {"Miu.Rho", "MU.RHO", 16711808, "MU.RHO", 16711808, 16711808, "MU.RHO", "MU.RHO"}},
    {296,
     105,
     true,
     {"Poisson Ratio", "POISSON", 4210816, "POISSON RATIO", 4210816, 4210816, "POISSON RATIO",
      "POISSON RATIO"},
     {"Young Modulus", "YOUNG", 16711680, "YOUNG MOD. (GPa)", 16711680, 16711680, "YOUNG MOD.",
      "YOUNG MOD.(GPa)"}},
    {400,
     105,
     true,
     {"Vp/Vs", "VP/VS", 16744448, "Vp/Vs", 16744448, 16744448, "", "Vp/Vs"},
     {"Rho", "RHO", 16711935, "", 16711935, 16711935, "", "DENSITY(Kg/m3)"}},
    {504,
     105,
     false,
     {"", "G-Ray", 8388863, "", 8388863, 8388863, "", ""},
     {"", "Density", 32768, "", 32768, 32768, "", ""}},
};

const TrackSpec& specOf(int number) {
    return kTracks[number - 1];
}

QString text(const char* s) {
    return QString::fromLatin1(s);
}

// The source field a chosen name stands for: a curve or the depth, never "Rec" or the
// hidden "Counting". -1 when there is none.
int curveField(const Table& source, const QString& name) {
    if (!source.isOpen() || name.isEmpty()) return -1;
    const int f = source.findField(name.toStdString());
    return f >= 1 && f < source.fieldCount() - 1 ? f : -1;
}

QStringList toList(const std::vector<std::string>& names) {
    QStringList out;
    for (const auto& n : names) out << QString::fromStdString(n);
    return out;
}

// Keeps every word of a track's notice whole: where the plotting area is narrower than the
// widest word in the notice's own font (the first track, which also carries the depth labels),
// the notice takes smaller sizes of that font, down to 6 points, and is placed again.
class WholeNoticeWords : public QObject {
  public:
    explicit WholeNoticeWords(DepthChart* track)
        : QObject(track), track_(track), notice_(track->findChild<QLabel*>(kNoticeName)) {
        if (!notice_) return;
        font_ = notice_->font();
        notice_->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == notice_ && event->type() == QEvent::Resize && !notice_->isHidden()) fit();
        return false;
    }

  private:
    static constexpr const char* kNoticeName = "Notice";
    static constexpr double kSmallestPoints = 6;

    int widestWord(const QFont& font) const {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& word : notice_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, metrics.horizontalAdvance(word));
        return widest;
    }

    void fit() {
        const int room = notice_->contentsRect().width();
        QFont font = font_;
        double points = font.pointSizeF() > 0 ? font.pointSizeF()
                                              : font.pixelSize() * 72.0 / notice_->logicalDpiY();
        while (widestWord(font) > room && points > kSmallestPoints) {
            points = std::max(kSmallestPoints, points - 0.5);
            font.setPointSizeF(points);
        }
        if (font == notice_->font()) return;
        notice_->setFont(font);
        track_->setNotice(notice_->text());  // placed again at the height the new font needs
    }

    DepthChart* track_;
    QLabel* notice_;
    QFont font_;
};

}  // namespace

TElasticCorrelationPage::TElasticCorrelationPage(ElasticCorrelationContext context)
    : QDialog(context.window), c_(std::move(context)) {
    setObjectName(QStringLiteral("ElasticCorrelationPage"));
    setWindowTitle(QStringLiteral("Elastic Correlations"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setGeometry(1, 610, 75, 25);
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    close->setStyleSheet(QStringLiteral("color: red;"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    TrackCommands::Context commands;
    commands.window = this;
    commands.seam = c_.seam;
    commands.programFolder = c_.programFolder;
    commands.depthTitle = c_.depthTitle;
    commands.restoreFolder = c_.restoreFolder;
    commands_ = new TrackCommands(std::move(commands), this);
    connect(commands_, &TrackCommands::printCopyReady, this,
            &TElasticCorrelationPage::printCopyReady);
    row_ = new DepthChartRow(this);
    // The depth range the five tracks show, beside the Close button.
    auto* range = new DepthRangeBar(*row_->navigation(), this);
    range->setGeometry(90, 610, 360, 25);
    connect(row_, &DepthChartRow::aligned, range, &DepthRangeBar::refresh);
}

TElasticCorrelationPage::~TElasticCorrelationPage() {
    subscriptions_.clear();
}

DepthChart* TElasticCorrelationPage::track(int number) const {
    if (number < 1 || number > kTrackCount) return nullptr;
    return tracks_[static_cast<std::size_t>(number - 1)];
}

std::vector<TZoomChart*> TElasticCorrelationPage::zoomWindows() const {
    return commands_->zoomWindows();
}

QString TElasticCorrelationPage::FormShow(const QString& chosenDensity,
                                          const QString& chosenGammaRay) {
    if (!c_.source || !c_.elastic) return QStringLiteral("No log is loaded.");
    // Both names are checked before anything is built, so a wrong one leaves no window.
    const int density = curveField(*c_.source, chosenDensity);
    const int gammaRay = curveField(*c_.source, chosenGammaRay);
    if (gammaRay < 0) return QStringLiteral("Field '%1' not found.").arg(chosenGammaRay);
    if (density < 0) return QStringLiteral("Field '%1' not found.").arg(chosenDensity);

    buildTracks();
    const auto& grField = c_.source->field(gammaRay);
    const auto& densityField = c_.source->field(density);
    DepthChart* t5 = track(5);
    t5->setAxisTitle(DepthChart::Top, QString::fromStdString(grField.label()));
    t5->setAxisTitle(DepthChart::Bottom, QString::fromStdString(densityField.label()));
    bind(5, *c_.source, grField.def.name, densityField.def.name);
    for (int k = 1; k <= 4; ++k) bind(k, *c_.elastic, specOf(k).top.field, specOf(k).bottom.field);
    const int rho = c_.elastic->isOpen() ? c_.elastic->findField("Rho") : -1;
    track(4)->setAxisTitle(
        DepthChart::Bottom,
        rho >= 0 ? QString::fromStdString(c_.elastic->field(rho).label()) : QStringLiteral("Rho"));
    track(1)->setDepthTitle(c_.depthTitle ? c_.depthTitle() : QString());

    for (DepthChart* t : tracks_) {
        t->fitDepthAxis();
        t->rescale(DepthChart::Top);
        t->rescale(DepthChart::Bottom);
    }
    showElasticState();
    followTables();
    return {};
}

void TElasticCorrelationPage::buildTracks() {
    for (int k = 1; k <= kTrackCount; ++k) {
        const TrackSpec& s = specOf(k);
        DepthChart::Setup setup;
        setup.number = k;
        setup.axisCount = 2;
        setup.raised = false;
        setup.compactTitles = true;
        setup.depthMinorGrid = true;
        setup.logarithmicItem = false;
        setup.limitsCaption = QStringLiteral("Set Min, Max");
        auto* t = new DepthChart(setup, this);
        t->setObjectName(QStringLiteral("correlationTrack%1").arg(k));
        t->setGeometry(s.left, kTrackTop, s.width, kTrackHeight);
        const std::pair<int, const CurveSpec*> curves[] = {{DepthChart::Top, &s.top},
                                                           {DepthChart::Bottom, &s.bottom}};
        for (const auto& [axis, c] : curves) {
            t->setCurveName(axis, text(c->name));
            t->setCurveColour(axis, desktopColor(c->colour));
            t->setAxisTitle(axis, text(c->title));
            t->setAxisLineColour(axis, desktopColor(c->lineColour));
            t->setAxisTitleColour(axis, desktopColor(c->titleColour));
        }
        // Only the first track shows the depths; the others line up with it.
        t->setDepthLabelsShown(k == 1);
        new WholeNoticeWords(t);
        TrackCommands::Served served;
        served.limitsCaptions = {text(s.top.minMaxCaption), text(s.bottom.minMaxCaption)};
        served.colourCaptions = {text(s.top.colourCaption), text(s.bottom.colourCaption)};
        served.printFitsShownRanges = true;
        commands_->serve(t, served);
        row_->add(t);
        tracks_[static_cast<std::size_t>(k - 1)] = t;
    }
}

void TElasticCorrelationPage::bind(int number, const Table& table, const std::string& top,
                                   const std::string& bottom) {
    Binding& b = bindings_[static_cast<std::size_t>(number - 1)];
    b.top = std::make_shared<TableCurve>(table, top);
    b.bottom = std::make_shared<TableCurve>(table, bottom);
    track(number)->setSource(b.top, DepthChart::Top);
    track(number)->setSource(b.bottom, DepthChart::Bottom);
}

void TElasticCorrelationPage::followTables() {
    subscriptions_.clear();
    for (Table* table : {c_.source, c_.elastic}) {
        subscriptions_.push_back(table->subscribe([this, table](const TableEvent& e) {
            if (e.kind == TableEvent::CurrentChanged) return;
            if (e.kind == TableEvent::Closed && table == c_.source) {
                // The log the window shows is gone (Empty Table, exit): so is the window.
                subscriptions_.clear();
                close();
                return;
            }
            tableChanged(table, e.kind != TableEvent::RowChanged);
        }));
    }
}

void TElasticCorrelationPage::tableChanged(const Table* table, bool recordsChanged) {
    // The tracks of the changed table read it again; without elastic results the elastic
    // tracks keep standing on the source log's depths.
    for (int k = 1; k <= kTrackCount; ++k) {
        Binding& b = bindings_[static_cast<std::size_t>(k - 1)];
        if (!b.top || &b.top->table() != table) continue;
        b.top->changed();
        b.bottom->changed();
        DepthChart* t = track(k);
        if (recordsChanged)
            t->fitDepthAxis();
        else
            t->plot()->replot(QCustomPlot::rpQueuedReplot);
    }
    showElasticState();
}

void TElasticCorrelationPage::showElasticState() {
    const bool results = c_.elastic->isOpen() && !c_.elastic->isEmpty();
    for (int k = 1; k <= 4; ++k) {
        DepthChart* t = track(k);
        if (results) {
            // Value scales are fitted when results first come; later changes keep them.
            if (!t->notice().isEmpty()) {
                t->setNotice({});
                t->rescale(DepthChart::Top);
                t->rescale(DepthChart::Bottom);
            }
        } else {
            t->setNotice(text(kComputeFirst));
            // Without samples of their own the tracks stand on the source log's depths.
            const lithora::AxisRange depths = track(5)->depthRange();
            t->setDepthRange(depths.lo, depths.hi);
        }
    }
    if (results) {
        const int rho = c_.elastic->findField("Rho");
        if (rho >= 0)
            track(4)->setAxisTitle(DepthChart::Bottom,
                                   QString::fromStdString(c_.elastic->field(rho).label()));
    }
    alignTracks();
}

void TElasticCorrelationPage::alignTracks() {
    row_->align();
}

void TElasticCorrelationPage::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && c_.window)
        c_.window->update();
}

void TElasticCorrelationPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    alignTracks();
}

ElasticCorrelations::ElasticCorrelations(ElasticCorrelationContext context, QObject* parent)
    : QObject(parent), c_(std::move(context)) {}

ElasticCorrelations::~ElasticCorrelations() {
    closeAll();
}

std::vector<TElasticCorrelationPage*> ElasticCorrelations::windows() const {
    std::vector<TElasticCorrelationPage*> out;
    for (const auto& w : windows_)
        if (w) out.push_back(w.data());
    return out;
}

void ElasticCorrelations::closeAll() {
    for (const auto& w : windows_) delete w.data();
    windows_.clear();
}

void ElasticCorrelations::showElasticCorrelations() {
    if (!c_.source || !c_.source->isOpen() || c_.source->isEmpty()) return;
    const lithora::RoleLists roles = c_.roles ? c_.roles() : lithora::RoleLists{};
    QString density, gammaRay;
    {
        Tdgselection dialog(toList(roles.density), toList(roles.gammaRay), c_.window);
        if (c_.seam().exec(dialog) != QDialog::Accepted) return;
        density = dialog.ChosenDensity();
        gammaRay = dialog.ChosenGammaRay();
    }
    if (density.isEmpty() || gammaRay.isEmpty()) return;
    if (c_.window) c_.window->repaint();

    auto* page = new TElasticCorrelationPage(c_);
    QString error;
    {
        BusyCursor busy;
        error = page->FormShow(density, gammaRay);
    }
    if (!error.isEmpty()) {
        delete page;
        c_.seam().message(c_.window, QMessageBox::Critical, QStringLiteral("Lithora"), error,
                          QMessageBox::Ok);
        return;
    }
    windows_.emplace_back(page);
    page->show();
}
