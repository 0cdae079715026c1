#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "gui/widgets/shell_services.h"

class LithologPanel;
class QWidget;

// File > Save Table: the elastic table as LAS after a LAS import, as ASCII columns otherwise.
class SaveController : public QObject {
    Q_OBJECT
  public:
    // memo: the header memo's text as the user sees it.
    SaveController(ShellServices& shell, std::function<QString()> memo, QObject* parent = nullptr);

  public slots:
    // True when the table was written; the close query keeps the window open when it was
    // not, so choosing to save before exit never loses the table.
    bool saveTable();

  private:
    ShellServices& shell_;
    std::function<QString()> memo_;
};

// What the program writes: File > Save Table, and the litholog panel of the Graph page.
class ExportSubsystem final : public Subsystem {
  public:
    // The litholog panel is placed on graphPage at once; memo is the Table page's header memo.
    ExportSubsystem(ShellServices& shell, QWidget* graphPage, std::function<QString()> memo,
                    QObject* owner);
    ~ExportSubsystem() override;
    void registerCommands(ShellServices& shell) override;

    SaveController* saveController() const { return save_; }
    LithologPanel* lithologPanel() const { return litholog_.get(); }
    // At start: the intervals "Litholog.db" kept, with the offer to save them.
    void showKeptLitholog();
    // Asked at exit: the litholog's "Save Table" then "Save Litholog"; true when both wrote.
    bool saveLitholog();

  private:
    QObject* owner_;
    std::function<QString()> memo_;
    std::unique_ptr<LithologPanel> litholog_;
    SaveController* save_ = nullptr;  // a child of owner_
};
