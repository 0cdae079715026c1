#include "gui/app/session_controller.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <algorithm>

#include "core/commands/depth_filter.h"
#include "core/common/same_file.h"
#include "gui/app/calculation_page.h"
#include "gui/app/display_subsystem.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/crossplot/cross_plots.h"
#include "gui/crossplot/cross_plots_controller.h"
#include "gui/display/depth_chart.h"
#include "gui/display/elastic_correlations.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/import/import_controller.h"
#include "gui/rockphysics/rock_physics_subsystem.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"

namespace {

namespace session = lithora::session;

const QString kRecentKey = QStringLiteral("Recent/entries");
constexpr int kRecentCount = 8;
const QString kLas = QStringLiteral("las");
const QString kAscii = QStringLiteral("ascii");
const QString kSession = QStringLiteral("session");
const char* kSessionFilter = "Lithora sessions (*.lithora)";

// The windows a session remembers, by the command that opens them again.
struct WindowKind {
    const char* name;
    CommandId command;
};
const WindowKind kWindowKinds[] = {
    {"ElasticCorrelations", CommandId::ElasticCorrelations},
    {"CrossPlots", CommandId::CrossPlots},
    {"FluidSubstitution", CommandId::FluidSubstitution},
    {"Avo", CommandId::AvoModel},
};

template <typename T>
bool anyVisible(const std::vector<T*>& windows) {
    return std::any_of(windows.begin(), windows.end(),
                       [](const T* w) { return w && w->isVisible(); });
}

QString absolute(const QString& file) {
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

}  // namespace

SessionController::SessionController(TCalculationForm& form) : QObject(&form), form_(form) {
    changes_ = form_.workspace().subscribe([this](lithora::workspace::Change change) {
        using Change = lithora::workspace::Change;
        if (change == Change::ElasticComputed) {
            const auto& window = form_.workspace().depthWindow();
            computedWithin_ = window.filterActive
                                  ? std::optional(session::DepthBounds{window.top, window.bottom})
                                  : std::nullopt;
        } else if (change == Change::Imported || change == Change::Emptied) {
            computedWithin_.reset();
        }
    });
}

SessionController::~SessionController() = default;

void SessionController::registerCommands() {
    auto& ws = form_.workspace();
    form_.addCommand(
        {CommandId::SaveSession, [&ws] { return ws.loaded(); }, [this] { saveSession(); }});
    form_.addCommand({CommandId::OpenSession, {}, [this] { openSession(); }});
    form_.addCommand({CommandId::ClearRecentList, [this] { return !recent_.isEmpty(); },
                      [this] { clearRecent(); }});
    recentMenu_ = form_.commands().recentMenu();
    connect(form_.importSubsystem().controller(), &ImportController::fileImported, this,
            [this](bool las, const QString& file) { remember(las ? kLas : kAscii, file); });
    rebuildRecentMenu();
}

void SessionController::useSettings(std::unique_ptr<QSettings> settings) {
    settings_ = std::move(settings);
    recent_.clear();
    if (settings_) {
        for (const QString& entry : settings_->value(kRecentKey).toStringList()) {
            const qsizetype colon = entry.indexOf(':');
            if (colon <= 0) continue;
            const QString kind = entry.left(colon);
            if (kind != kLas && kind != kAscii && kind != kSession) continue;
            if (recent_.size() < kRecentCount) recent_.append({kind, entry.mid(colon + 1)});
        }
    }
    rebuildRecentMenu();
}

// ---- the Recent list ------------------------------------------------------------------

void SessionController::remember(const QString& kind, const QString& file) {
    const Recent entry{kind, absolute(file)};
    recent_.removeAll(entry);
    recent_.prepend(entry);
    while (recent_.size() > kRecentCount) recent_.removeLast();
    storeRecent();
    rebuildRecentMenu();
}

void SessionController::forget(const QString& kind, const QString& file) {
    recent_.removeAll(Recent{kind, file});
    storeRecent();
    rebuildRecentMenu();
}

void SessionController::clearRecent() {
    recent_.clear();
    storeRecent();
    rebuildRecentMenu();
}

void SessionController::storeRecent() {
    if (!settings_) return;
    QStringList entries;
    for (const Recent& r : recent_) entries << r.kind + ':' + r.file;
    settings_->setValue(kRecentKey, entries);
    settings_->sync();
}

void SessionController::rebuildRecentMenu() {
    if (!recentMenu_) return;
    QAction* clear = form_.action(CommandId::ClearRecentList);
    for (QAction* a : recentMenu_->actions())
        if (a != clear) {
            recentMenu_->removeAction(a);
            a->deleteLater();
        }
    int number = 0;
    for (const Recent& r : recent_) {
        ++number;
        const QString what = r.kind == kSession ? QStringLiteral("session") : r.kind.toUpper();
        auto* a = new QAction(QStringLiteral("&%1 %2 (%3)")
                                  .arg(number)
                                  .arg(QFileInfo(r.file).fileName().replace('&', "&&"), what),
                              recentMenu_);
        a->setObjectName(QStringLiteral("RecentEntry"));
        a->setData(QStringList{r.kind, r.file});
        a->setStatusTip(QDir::toNativeSeparators(r.file));
        a->setToolTip(QDir::toNativeSeparators(r.file));
        const Recent entry = r;
        connect(a, &QAction::triggered, this,
                [this, entry] { openRecent(entry.kind, entry.file); });
        recentMenu_->insertAction(clear, a);
    }
    if (!recent_.isEmpty()) recentMenu_->insertSeparator(clear);
    form_.commands().refresh(form_.ready());
}

bool SessionController::openRecent(const QString& kind, const QString& file) {
    if (!QFileInfo(file).isFile()) {
        forget(kind, file);
        form_.message(QMessageBox::Warning,
                      QStringLiteral("The file %1 cannot be found. It is taken off the list of "
                                     "recent files.")
                          .arg(QDir::toNativeSeparators(file)));
        return false;
    }
    if (kind == kSession) return openSessionFile(file);
    return form_.importSubsystem().controller()->importFile(kind == kLas, file);
}

bool SessionController::openDroppedFile(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QStringLiteral("lithora")) return openSessionFile(file);
    return form_.importSubsystem().controller()->importFile(suffix == QStringLiteral("las"), file);
}

// ---- saving ---------------------------------------------------------------------------

std::optional<session::Session> SessionController::currentSession(bool say) {
    auto& ws = form_.workspace();
    auto refuse = [&](const QString& why) {
        if (say) form_.message(QMessageBox::Information, why);
        return std::nullopt;
    };
    if (!ws.loaded()) return refuse(QStringLiteral("Import a well before saving a session."));
    const auto& info = ws.importInfo();
    if (info.merged || info.sourceFiles.size() != 1)
        return refuse(QStringLiteral(
            "A session can be saved of a well read from one LAS or ASCII file; this well was "
            "put together from curves of several files (File > Open 2)."));

    session::Session s;
    s.source.path = std::filesystem::path(
        absolute(QString::fromStdString(info.sourceFiles.front().string())).toStdString());
    s.source.kind =
        info.lasSource ? session::SourceFile::Kind::Las : session::SourceFile::Kind::Ascii;
    try {
        const session::FileFingerprint print = session::fileFingerprint(s.source.path);
        s.source.size = print.size;
        s.source.checksum = print.checksum;
    } catch (const std::exception& e) {
        return refuse(QStringLiteral("The session cannot be saved: the source file cannot be "
                                     "read.\n%1")
                          .arg(QString::fromStdString(e.what())));
    }

    const ElasticController* elastic = form_.computeSubsystem().elasticController();
    const auto& elasticTable = ws.elastic();
    if (elastic && elastic->lastRequest() && elasticTable.isOpen() &&
        elasticTable.totalRecordCount() > 0) {
        const auto& r = *elastic->lastRequest();
        s.elastic =
            session::ElasticSettings{r.curves, r.measuredVs, r.units, r.vs, computedWithin_};
    }
    if (ws.depthWindow().filterActive)
        s.filter = session::DepthBounds{ws.depthWindow().top, ws.depthWindow().bottom};
    for (const auto& interval : form_.exportSubsystem().lithologPanel()->model().intervals())
        if (interval.complete()) s.litholog.push_back(interval);

    TrackPanel* panel = form_.trackPanel();
    s.tracks = panel->arrangement();
    for (int slot = 1; slot <= panel->trackCount(); ++slot) {
        const DepthChart* track = panel->track(slot);
        if (!track) continue;
        const lithora::AxisRange range = track->valueRange();
        if (!(range.lo < range.hi)) continue;
        s.looks.push_back({slot, range.lo, range.hi, track->isLogarithmic(),
                           track->colour().name(QColor::HexRgb).toStdString()});
    }

    s.openWindows = openWindows();
    return s;
}

std::vector<std::string> SessionController::openWindows() const {
    std::vector<std::string> names;
    if (anyVisible(form_.displaySubsystem().elasticCorrelations()->windows()))
        names.emplace_back("ElasticCorrelations");
    if (const auto* plots = form_.crossPlotSubsystem().controller();
        plots && anyVisible(plots->windows()))
        names.emplace_back("CrossPlots");
    if (anyVisible(form_.rockPhysicsSubsystem().fluidWindows()))
        names.emplace_back("FluidSubstitution");
    if (anyVisible(form_.rockPhysicsSubsystem().avoWindows())) names.emplace_back("Avo");
    return names;
}

bool SessionController::saveSession() {
    const auto s = currentSession();
    if (!s) return false;
    const QString file =
        form_.seam().saveFileName(form_.dialogParent(), QStringLiteral("Save Session"),
                                  QString::fromLatin1(kSessionFilter), QStringLiteral("lithora"));
    form_.restoreFolder();
    if (file.isEmpty()) return false;
    // As every save: never over the file the well was read from.
    if (lithora::inputReplacedBy(file.toStdString(), form_.workspace().importInfo().sourceFiles)) {
        form_.message(QMessageBox::Critical,
                      QString::fromStdString(lithora::outputIsInputMessage(file.toStdString())));
        return false;
    }
    try {
        session::writeSessionFile(file.toStdString(), *s);
    } catch (const std::exception& e) {
        form_.message(QMessageBox::Critical, QString::fromStdString(e.what()));
        return false;
    }
    remember(kSession, file);
    form_.setStatus(QStringLiteral("Session saved: %1").arg(QDir::toNativeSeparators(file)));
    return true;
}

// ---- opening --------------------------------------------------------------------------

bool SessionController::openSession() {
    const QString file =
        form_.seam().openFileName(form_.dialogParent(), QStringLiteral("Open Session"),
                                  QString::fromLatin1(kSessionFilter), QStringLiteral("lithora"));
    form_.restoreFolder();
    if (file.isEmpty()) return false;
    return openSessionFile(file);
}

bool SessionController::mayReplaceWell() {
    const QString unsaved = form_.unsavedWork();
    if (unsaved.isEmpty()) return true;
    return form_.message(QMessageBox::Warning,
                         unsaved + QStringLiteral(" Open the session in their place all the same?"),
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool SessionController::openSessionFile(const QString& file) {
    const session::SessionRead read = session::readSessionFile(file.toStdString());
    if (!read.session) {
        form_.message(QMessageBox::Warning,
                      QStringLiteral("The session %1 cannot be opened.\n%2")
                          .arg(QDir::toNativeSeparators(file), QString::fromStdString(read.error)));
        return false;
    }
    const session::Session& s = *read.session;
    // Nothing loaded changes until the source file is known to be the one the session saw.
    const std::string sourceProblem = session::checkSourceFile(s.source);
    if (!sourceProblem.empty()) {
        form_.message(QMessageBox::Warning, QString::fromStdString(sourceProblem) +
                                                QStringLiteral("\nThe session %1 was not opened.")
                                                    .arg(QDir::toNativeSeparators(file)));
        return false;
    }
    if (!mayReplaceWell()) return false;
    if (!form_.emptyLoadedWell()) return false;
    const bool las = s.source.kind == session::SourceFile::Kind::Las;
    if (!form_.importSubsystem().controller()->importFile(
            las, QString::fromStdString(s.source.path.string())))
        return false;

    const QStringList problems = restore(s);
    remember(kSession, file);
    if (!problems.isEmpty()) {
        form_.message(QMessageBox::Warning,
                      QStringLiteral("The session %1 was opened, but not all of it could be "
                                     "restored:\n%2")
                          .arg(QDir::toNativeSeparators(file), problems.join('\n')));
    }
    form_.setStatus(QStringLiteral("Session opened: %1").arg(QDir::toNativeSeparators(file)));
    return true;
}

QStringList SessionController::restore(const session::Session& s) {
    namespace commands = lithora::commands;
    auto& ws = form_.workspace();
    QStringList problems;
    auto filterTo = [&](const std::optional<session::DepthBounds>& bounds) {
        const auto& window = ws.depthWindow();
        if (!bounds && !window.filterActive) return;
        if (bounds && window.filterActive && window.top == bounds->top &&
            window.bottom == bounds->bottom)
            return;
        form_.followSourceRow(false);
        const commands::FilterRun run = bounds
                                            ? commands::applyFilter(ws, bounds->top, bounds->bottom)
                                            : commands::undoFilter(ws);
        form_.followSourceRow(true);
        if (!run.message.empty()) problems << QString::fromStdString(run.message);
    };

    // The litholog first: Vs by lithology reads it.
    if (!s.litholog.empty()) {
        const QString why = form_.exportSubsystem().lithologPanel()->restoreIntervals(s.litholog);
        if (!why.isEmpty()) problems << QStringLiteral("Litholog: %1").arg(why);
    }
    if (s.elastic) {
        // The computation ran over the records shown then.
        filterTo(s.elastic->computedWithin);
        commands::ElasticRequest request{
            s.elastic->curves, s.elastic->measuredVs, s.elastic->units, s.elastic->vs, {}};
        if (request.vs.kind == lithora::compute::VsEquationKind::Lithology && !request.measuredVs)
            request.litholog = commands::lithologyIntervals(ws);
        const QString error = form_.computeSubsystem().elasticController()->computeWith(request);
        if (!error.isEmpty()) problems << QStringLiteral("Elastic parameters: %1").arg(error);
    }
    filterTo(s.filter);
    if (s.filter) {
        TablePage* page = form_.tablePage();
        page->filterLowBox()->setValue(s.filter->top);
        page->filterHighBox()->setValue(s.filter->bottom);
    }

    TrackPanel* panel = form_.trackPanel();
    if (!s.tracks.tracks.empty()) panel->setArrangement(s.tracks);
    for (const session::TrackLook& look : s.looks) {
        DepthChart* track = panel->track(look.slot);
        if (!track) continue;
        if (track->isLogarithmic() != look.logarithmic) track->setLogarithmic(look.logarithmic);
        track->setValueRange(look.lo, look.hi);
        const QColor colour(QString::fromStdString(look.colour));
        if (colour.isValid()) track->setColour(colour);
    }
    if (form_.pageControl()->currentIndex() == 1) form_.sizeGraphPage();

    // A window of a kind still open (it follows the new tables) is not opened twice.
    const std::vector<std::string> open = openWindows();
    for (const std::string& name : s.openWindows) {
        if (std::find(open.begin(), open.end(), name) != open.end()) continue;
        for (const WindowKind& kind : kWindowKinds)
            if (name == kind.name && form_.action(kind.command)->isEnabled())
                form_.commands().run(kind.command);
    }
    return problems;
}
