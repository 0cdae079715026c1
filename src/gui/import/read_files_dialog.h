#pragma once
#include <QDialog>
#include <filesystem>
#include <vector>

#include "core/import/merge.h"
#include "gui/widgets/command_context.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Open" of File > Open 2: LAS files added in one or more "Add File" dialogs, the curves of
// each with a check box and named with their file ("a.las: GR"), and the curves chosen for the
// source table in the order chosen (the first is the depth). ">>" adds the ticked curves that are
// not chosen yet, "<<" takes the selected ones out again; OK needs at least one chosen curve and a
// depth curve first.
//
// A curve is the same curve when it is the same column of the same file, so the gamma ray of
// two runs can both be chosen (the merge names the second "GR_2").
class TRead_Files : public QDialog {
    Q_OBJECT
  public:
    explicit TRead_Files(CommandContext context, QWidget* parent = nullptr);

    // What the user chose, for the merge.
    std::vector<std::filesystem::path> files() const;
    std::vector<lithora::import::MergeChoice> chosen() const;

    QPlainTextEdit* fileList() const { return fileList_; }
    QListWidget* curveList() const { return curveList_; }
    QListWidget* selectionList() const { return chosenList_; }

  public slots:
    void addFiles();              // "Add File"
    void addTickedCurves();       // ">>"
    void removeSelectedCurves();  // "<<"
    void tickAllCurves();         // "Select All"
    void untickAllCurves();       // "Unselect All"
    void confirm();               // OK
    void cancel();                // Cancel

  private:
    void setAllChecked(bool on);
    void updateButtons();

    CommandContext ctx_;
    std::vector<std::filesystem::path> files_;
    std::vector<lithora::import::MergeChoice> entries_;   // parallel to the curve list
    std::vector<lithora::import::MergeChoice> selected_;  // parallel to the selection list
    QPlainTextEdit* fileList_ = nullptr;
    QListWidget* curveList_ = nullptr;
    QListWidget* chosenList_ = nullptr;
    QPushButton* addCurvesButton_ = nullptr;
    QPushButton* removeCurvesButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
