#pragma once
#include <QString>
#include <QWidget>
#include <map>
#include <vector>

#include "gui/widgets/shell_services.h"

namespace lithora::test {

// The shell as one subsystem sees it, without the main window: the workspace and seam the
// test gives, a plain widget as the dialogs' parent, and a record of what the subsystem asked
// (status texts, progress texts, whether the elastic grid follows the source row, folder
// restores) and of the commands it registered.
class FakeShellServices : public ShellServices {
  public:
    FakeShellServices(lithora::workspace::Workspace& workspace, DialogSeam& seam,
                      QString programFolder = {});

    lithora::workspace::Workspace& workspace() override { return workspace_; }
    DialogSeam& seam() override { return seam_; }
    QWidget* dialogParent() override { return &window_; }
    QString programFolder() const override { return programFolder_; }
    void setStatus(const QString& text) override { statuses.push_back(text); }
    void showProgress(const QString& text) override { progress.push_back(text); }
    bool restoreFolder() override {
        ++folderRestores;
        return true;
    }
    void followSourceRow(bool on) override {
        followingSourceRow = on;
        ++followChanges;
    }
    void addCommand(Command command) override;

    // Runs a registered command as its menu item would: false when it is not registered or
    // its condition does not hold.
    bool run(CommandId id);
    bool enabled(CommandId id) const;
    bool registered(CommandId id) const { return commands_.count(id) > 0; }

    std::vector<QString> statuses, progress;
    int folderRestores = 0;
    bool followingSourceRow = true;
    int followChanges = 0;

  private:
    lithora::workspace::Workspace& workspace_;
    DialogSeam& seam_;
    QString programFolder_;
    QWidget window_;
    std::map<CommandId, Command> commands_;
};

}  // namespace lithora::test
