#pragma once
#include <QObject>
#include <functional>

#include "core/commands/import_file.h"
#include "gui/widgets/shell_services.h"

// File > Open > LAS File and ASCII File, and File > Open 2 (curves of several LAS files). The
// window shows the new workspace when the workspace reports it imported.
class ImportController : public QObject {
    Q_OBJECT
  public:
    explicit ImportController(ShellServices& shell, QObject* parent = nullptr);

    // Reads a file chosen elsewhere (dropped on the window, a recent file, a session) as
    // LAS File (las) or ASCII File would, with the same refusals and messages; true when
    // the file was imported.
    bool importFile(bool las, const QString& file);

  signals:
    // A LAS (las) or ASCII file was read whole into the workspace.
    void fileImported(bool las, const QString& file);

  public slots:
    void importLas();
    void importAscii();
    void mergeLasFiles();

  private:
    // True when no file may be read now; the status line says what to do first.
    bool refused();
    using Reader = std::function<lithora::commands::ImportOutcome(
        lithora::workspace::Workspace&, const lithora::commands::ImportRequest&)>;
    bool run(bool las, const QString& file);
    bool run(const QString& file, const Reader& read);

    ShellServices& shell_;
};

// The import commands, always offered: a file read into a loaded workspace is refused with
// what to do first.
class ImportSubsystem final : public Subsystem {
  public:
    explicit ImportSubsystem(QObject* owner) : owner_(owner) {}
    void registerCommands(ShellServices& shell) override;
    ImportController* controller() const { return controller_; }

  private:
    QObject* owner_;
    ImportController* controller_ = nullptr;  // a child of owner_
};
