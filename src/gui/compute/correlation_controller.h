#pragma once
#include <QObject>
#include <QString>
#include <functional>

#include "gui/widgets/shell_services.h"

class QLabel;

// What Correlation Coefficients needs of the main window besides the shell services: the
// captions and row containers of the "Table" page and the page's height.
struct CorrelationPage {
    QLabel* referenceCaption = nullptr;      // "Reference:"
    QLabel* referenceNameCaption = nullptr;  // the reference curve's name
    // A new, empty container for one run's rows (source or elastic); it replaces the
    // previous run's container of that kind.
    std::function<QWidget*(bool elastic)> newRows;
    std::function<void()> clearRows;                // removes every row of the earlier run
    std::function<int()> pageHeight;                // the "Table" page's height now
    std::function<void(int height)> showTablePage;  // the page at that height, shown
};

// Calculation > Correlation Coefficients: the reference curve chosen in Tselectlog, then a
// row per source curve and, when elastic results exist, per elastic parameter, with the
// curve's correlation coefficient with the reference, in the "Correlation Coefficient" area
// of the "Table" page. Rows stand 25 pixels apart from top 50; the page grows to hold them.
class CorrelationController : public QObject {
    Q_OBJECT
  public:
    CorrelationController(ShellServices& shell, CorrelationPage page, QObject* parent = nullptr);

    // The curve the last run correlated with; empty while none was chosen.
    QString referenceLog() const { return ReferenceLog_; }

    // Where row i (1-based, source rows first) of a run stands, and the "Table" page height
    // a run of that many rows needs at least.
    static int rowTop(int row) { return (row + 1) * 25; }
    static constexpr int kFirstPageHeight = 610;
    static int pageHeightFor(int rows, int currentHeight);

  public slots:
    void computeCorrelations();

  private:
    ShellServices& shell_;
    CorrelationPage page_;
    QString ReferenceLog_;
};
