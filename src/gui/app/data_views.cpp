// How the main window shows what the data commands do; the commands themselves live in their
// controllers (gui/import, gui/compute, gui/export).
#include "gui/app/calculation_page.h"
#include "gui/display/track_panel.h"

void TCalculationForm::importBegun(bool las) {
    showImportBegun(las);
}

void TCalculationForm::importFinished(bool las) {
    showImportedWorkspace(las);
}

void TCalculationForm::importFailed() {
    showFailedImport();
}

void TCalculationForm::elasticBegun() {
    detachTableScroll();
}

// The tracks are made once the table is filled, so a curve name that is no field leaves the
// earlier results and their tracks as they were; they read the finished table once, when
// they are bound. The Table page shows the result, whichever page was showing.
void TCalculationForm::elasticComputed() {
    trackPanel()->buildElasticTracks(workspace().elastic());
    showTablePage();
    trackPanel()->bindElasticTracks();
}

void TCalculationForm::elasticEnded() {
    attachTableScroll();
}
