#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "core/commands/depth_filter.h"
#include "gui/widgets/shell_services.h"

class NumberBox;
class TSearchPage;

// Filter, Undo Filter and Find of the Edit menu and the Table page. The tracks and the
// litholog follow the workspace's report of the new depth window.
class FilterController : public QObject {
    Q_OBJECT
  public:
    // startBox and stopBox: the filter bounds on the Table page.
    FilterController(ShellServices& shell, NumberBox* startBox, NumberBox* stopBox,
                     QObject* parent = nullptr);

    const std::vector<QPointer<TSearchPage>>& searchPages() const { return searchPages_; }

  public slots:
    void applyFilter();
    void undoFilter();
    void findDepth();

  private:
    // Runs a change of the visible records with the status text, the hourglass and the grids
    // apart, and says why when it was refused.
    void run(const QString& status, const std::function<lithora::commands::FilterRun()>& change);

    ShellServices& shell_;
    NumberBox* startBox_;
    NumberBox* stopBox_;
    std::vector<QPointer<TSearchPage>> searchPages_;
};
