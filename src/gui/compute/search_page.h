#pragma once
#include <QDialog>
#include <functional>

#include "core/workspace/workspace.h"
#include "gui/widgets/dialog_seam.h"

class QLineEdit;
class QPushButton;

// The search window "Search": a modeless window that stays on top of the others, in which
// the user types a depth (or time) and finds it in the source and elastic tables. "&Close"
// hides the window; it keeps its last entry.
class TSearchPage : public QDialog {
    Q_OBJECT
  public:
    TSearchPage(lithora::workspace::Workspace& workspace, std::function<DialogSeam&()> seam,
                QWidget* parent);

    QLineEdit* entry() const { return depthEntry_; }

  public slots:
    void searchDepth();  // &Search
    void closeSearch();  // &Close

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    lithora::workspace::Workspace& workspace_;
    std::function<DialogSeam&()> seam_;
    QLineEdit* depthEntry_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
