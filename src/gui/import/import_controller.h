#pragma once
#include <QObject>
#include <functional>

#include "core/commands/import_file.h"
#include "gui/widgets/command_context.h"

// What the main window shows around an import: the pages, grids, tracks, header memo and
// summary. The controller decides when; the window knows how.
class ImportView {
  public:
    virtual ~ImportView() = default;
    // A file was chosen and read: the data commands come on and the Table page is prepared.
    virtual void importBegun(bool las) = 0;
    // The workspace holds the new table: show it.
    virtual void importFinished(bool las) = 0;
    // The import failed and the workspace is empty again: nothing half-loaded stays shown.
    virtual void importFailed() = 0;
};

// File > Open > LAS File and ASCII File, and File > Open 2 (curves of several LAS files).
class ImportController : public QObject {
    Q_OBJECT
  public:
    ImportController(CommandContext context, ImportView& view, QObject* parent = nullptr);

  public slots:
    void importLas();
    void importAscii();
    void mergeLasFiles();

  private:
    using Reader = std::function<lithora::commands::ImportOutcome(
        lithora::workspace::Workspace&, const lithora::commands::ImportRequest&)>;
    void run(bool las, const QString& file);
    void run(bool las, const QString& file, const Reader& read);

    CommandContext ctx_;
    ImportView& view_;
};
