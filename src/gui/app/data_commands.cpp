// The commands that fill and save the workspace: LAS File, ASCII File, Elastic Parameters and
// Save Table. Each reads what the user chose, calls the core, and shows the result; the
// reading, computing and writing themselves live in the core.
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStringList>
#include <optional>

#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "gui/app/calculation_page.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/units_dialog.h"
#include "gui/compute/vs_equation.h"
#include "gui/display/track_panel.h"

namespace {

constexpr const char* kReading = "Reading file data, please wait...";

// Shows how far a reader has come in the status bar and lets the window repaint, at most a
// few times a second, so a million-row file never leaves a frozen window. Input events are
// held back: the command runs to its end before the user can start another.
lithora::import::Progress statusProgress(TCalculationForm* form) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [form, timer](std::uint64_t done, std::uint64_t total) {
        if (timer->elapsed() < 100 || total == 0) return;
        timer->restart();
        const int percent =
            static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total));
        form->setStatusText(QString("%1 %2%").arg(kReading).arg(percent));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

}  // namespace

// What both readers do once they have a result: the table, then the window shows it.
void TCalculationForm::finishImport(lithora::import::ImportResult&& result, bool las) {
    makeProgramFolderCurrent();
    workspace().installImport(std::move(result));
    showImportedWorkspace(las);
}

void TCalculationForm::prepareImport(bool las) {
    auto& ws = workspace();
    ws.roles = {};
    ws.hasDensity = ws.hasGammaRay = ws.hasPWave = ws.hasSWave = false;
    ws.lasSource = las;
    showImportBegun(las);
}

// Removes what a failed import left half done, so that the workspace is empty again, and
// says so.
void TCalculationForm::importFailed() {
    auto& ws = workspace();
    ws.source().close();
    ws.clearStaleSource();
    ws.sourceFieldCount = 0;
    showFailedImport();
    message(QMessageBox::Critical, "Error reading file.");
}

void TCalculationForm::Lasfilez1Click() {
    auto& ws = workspace();
    if (ws.loaded() && !ws.clearStaleSource()) return;  // a workspace is loaded
    const QString file = seam().openFileName(this, "Opening Las File", "LAS files (*.las)", "las");
    if (file.isEmpty()) {
        makeProgramFolderCurrent();
        return;
    }
    prepareImport(true);
    bool done = false;
    std::vector<std::string> warnings;
    try {
        BusyCursor busy;
        auto result = lithora::import::readLasFile(file.toStdString(), statusProgress(this));
        warnings = std::move(result.warnings);
        finishImport(std::move(result), true);
        done = true;
    } catch (const std::exception&) {
    }
    if (!done) importFailed();
    makeProgramFolderCurrent();
    // The file was read, but the user should know how (data lines that did not fit).
    if (done && !warnings.empty()) {
        QStringList texts;
        for (const auto& w : warnings) texts << QString::fromStdString(w);
        message(QMessageBox::Warning, texts.join('\n'));
    }
}

void TCalculationForm::ASCIIfile1Click() {
    auto& ws = workspace();
    if (ws.loaded() && !ws.clearStaleSource()) return;
    const QString file =
        seam().openFileName(this, "Opening ASCII Files", "Text Files (*.txt)", ".txt");
    if (file.isEmpty()) return;
    setStatusText(kReading);
    std::optional<lithora::import::ImportResult> result;
    try {
        BusyCursor busy;
        result = lithora::import::readAsciiFile(file.toStdString(), statusProgress(this));
    } catch (const lithora::import::AsciiHeaderError&) {
        // No column file at all: nothing changes, the commands stay as they were.
        setStatusText("Error reading file.");
        message(QMessageBox::Warning, "Error reading file : " + QFileInfo(file).absoluteFilePath());
        return;
    } catch (const std::exception&) {
    }
    prepareImport(false);
    bool done = false;
    if (result) {
        try {
            BusyCursor busy;
            finishImport(std::move(*result), false);
            done = true;
        } catch (const std::exception&) {
        }
    }
    if (!done) importFailed();
}

void TCalculationForm::Elasticparameters1Click() {
    auto& ws = workspace();
    if (!ws.loaded() || !ws.source().isOpen()) return;

    ws.calcCancelled = true;
    {
        TSelectPL dialog(ws.roles, this);
        if (seam().exec(dialog) == QDialog::Accepted) {
            ws.densityLog = dialog.densityLog().toStdString();
            ws.gammaRayLog = dialog.gammaRayLog().toStdString();
            ws.pWaveLog = dialog.pWaveLog().toStdString();
            ws.sWaveLog = dialog.sWaveLog().toStdString();
            ws.calcCancelled = false;
        }
    }
    repaint();
    if (ws.calcCancelled) return;
    if (ws.densityLog.empty()) ws.hasDensity = false;
    if (ws.gammaRayLog.empty()) ws.hasGammaRay = false;
    if (ws.pWaveLog.empty()) ws.hasPWave = false;
    if (ws.sWaveLog.empty()) ws.hasSWave = false;
    if (!ws.hasDensity || !ws.hasPWave) return;

    if (!ws.hasSWave) {
        TVsEquation dialog(TVsEquation::sourceFieldNames(ws.source()), this);
        if (seam().exec(dialog) == QDialog::Accepted) {
            ws.vs = dialog.settings();
            ws.calcCancelled = false;
        } else {
            ws.calcCancelled = true;
        }
    }
    if (ws.calcCancelled) return;

    // Units without a conversion rule are asked for; without an answer nothing is computed.
    auto units = ws.unitsFromTags();
    if (!units) {
        const QString question = QString::fromStdString(ws.unknownUnitsText(ws.densityLog)) +
                                 "\n\nIn which units are the curves?";
        TSelectUnits dialog(question, this);
        if (auto proposal = ws.proposedUnits()) dialog.setUnits(*proposal);
        if (seam().exec(dialog) == QDialog::Accepted) units = dialog.units();
        if (!units) {
            message(QMessageBox::Warning,
                    QString::fromStdString(ws.unknownUnitsText(ws.densityLog)) +
                        "\n\nThe elastic parameters were not computed.");
            return;
        }
    }

    setStatusText("Calculating elastic parameters, please wait...");
    statusBar()->repaint();
    detachTableScroll();
    QString error;
    try {
        BusyCursor busy;
        // The table is filled before the tracks are made, so a curve name that is no field
        // (typed into the curve dialog) leaves the earlier results and their tracks as they
        // were; the tracks still read the finished table once, when they are bound.
        ws.computeElastic(ws.densityLog, ws.pWaveLog, ws.hasSWave ? ws.sWaveLog : std::string(),
                          *units, ws.vs);
        trackPanel()->buildElasticTracks(ws.elastic());
        showTablePage();
        trackPanel()->bindElasticTracks();
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
    }
    attachTableScroll();
    setStatusText("Ready");
    if (!error.isEmpty()) message(QMessageBox::Critical, error);
}

bool TCalculationForm::Savetable1Click() {
    auto& ws = workspace();
    if (!ws.elastic().isOpen() || ws.elastic().isEmpty()) {
        setStatusText("Ready");
        return false;
    }
    const bool las = ws.lasSource;
    if (las) {
        setStatusText("Saving table to file, please wait...");
        statusBar()->repaint();
    }
    const QString file =
        las ? seam().saveFileName(this, "Save Table as LAS file", "LAS file (*.las)", "las")
            : seam().saveFileName(this, "Save Table as ASCII file", "ASCII file (*.txt)", "txt");
    bool written = false;
    if (!file.isEmpty()) {
        if (las) repaint();
        // A memo line the user left as imported is written with the file's own bytes; an
        // edited one as the text the user sees.
        std::vector<std::string> memoLines;
        const QStringList shown = tablePage()->memo()->toPlainText().split('\n');
        for (qsizetype i = 0; i < shown.size(); ++i) {
            std::string text = shown[i].toStdString();
            const auto k = static_cast<std::size_t>(i);
            if (k < ws.headerLines.size() && k < ws.headerBytes.size() && text == ws.headerLines[k])
                text = ws.headerBytes[k];
            memoLines.push_back(std::move(text));
        }
        try {
            BusyCursor busy;
            ws.saveTable(file.toStdString(), memoLines);
            written = true;
        } catch (const std::exception& e) {
            message(QMessageBox::Critical, QString::fromStdString(e.what()));
        }
    }
    makeProgramFolderCurrent();
    setStatusText("Ready");
    return written;
}
