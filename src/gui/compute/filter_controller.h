#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "core/workspace/workspace.h"
#include "gui/widgets/dialog_seam.h"

class NumberBox;
class TSearchPage;

// What Filter, Undo Filter and Find need of the main window.
struct FilterContext {
    lithora::workspace::Workspace* workspace = nullptr;
    std::function<DialogSeam&()> seam;
    std::function<void(const QString&)> setStatus;
    NumberBox* startBox = nullptr;
    NumberBox* stopBox = nullptr;
    // The source table's after-scroll handler, detached while the records change.
    std::function<void()> detachTableScroll;
    std::function<void()> attachTableScroll;
    // Fits the value axes of track slots 1 .. count.
    std::function<void(int count)> rescaleTracks;
    int elasticTrackCount = 13;
    // Redraws the litholog column over the depth window now shown.
    std::function<void()> redrawLitholog;
    QWidget* parent = nullptr;  // owns the search windows
};

// Filter, Undo Filter and Find of the Edit menu and the Table page.
class FilterController : public QObject {
    Q_OBJECT
  public:
    explicit FilterController(FilterContext context, QObject* parent = nullptr);

    const std::vector<QPointer<TSearchPage>>& searchPages() const { return searchPages_; }

  public slots:
    void applyFilter();
    void undoFilter();
    void findDepth();

  private:
    // Runs a change of the visible records with the status text, the hourglass and the
    // after-scroll handler detached, and follows it in the tracks and the litholog.
    void run(const QString& status, const std::function<lithora::compute::FilterOutcome()>& change);

    FilterContext context_;
    std::vector<QPointer<TSearchPage>> searchPages_;
};
