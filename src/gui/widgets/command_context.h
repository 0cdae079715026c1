#pragma once
#include <QString>

class DialogSeam;
class QWidget;
namespace lithora::workspace {
class Workspace;
}

// Where a command tells the user how it is getting on: the first panel of the main
// window's status bar.
class StatusSink {
  public:
    virtual ~StatusSink() = default;
    virtual void setStatusText(const QString& text) = 0;
    virtual QString statusText() const = 0;
};

// What a subsystem's commands are given by the main window: the workspace of the one well,
// the seam every modal question passes through, the status bar, and the window that parents
// their dialogs. All four outlive the controller that holds the context.
struct CommandContext {
    lithora::workspace::Workspace& workspace;
    DialogSeam& seam;
    StatusSink& status;
    QWidget* parent;
};
