#pragma once
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "gui/widgets/command_context.h"

// File > Save Table: the elastic table as LAS after a LAS import, as ASCII columns otherwise.
class SaveController : public QObject {
    Q_OBJECT
  public:
    // memo: the header lines as the user sees them in the header memo.
    SaveController(CommandContext context, std::function<std::vector<std::string>()> memo,
                   QObject* parent = nullptr);

  public slots:
    // True when the table was written; the close query keeps the window open when it was
    // not, so choosing to save before exit never loses the table.
    bool saveTable();

  private:
    CommandContext ctx_;
    std::function<std::vector<std::string>()> memo_;
};
