#include "gui/compute/correlation_controller.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <vector>

#include "core/compute/correlation.h"
#include "core/workspace/correlation_list.h"
#include "core/workspace/workspace.h"
#include "gui/compute/select_log.h"
#include "gui/widgets/locale_text.h"

namespace {

constexpr int kNameLeft = 850;
constexpr int kValueLeft = 950;

QFont rowFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(true);
    return f;
}

QLabel* rowLabel(QWidget* rows, const QString& text, int left, int top, const char* colour) {
    auto* label = new QLabel(text, rows);
    label->setFont(rowFont());
    label->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(QString::fromLatin1(colour)));
    label->move(left, top);
    label->adjustSize();
    label->show();
    return label;
}

// A name longer than the room before the value column is shortened with an ellipsis, so it
// never runs under the coefficient.
QString fittedName(const QString& name) {
    const QFontMetrics fm(rowFont());
    return fm.elidedText(name, Qt::ElideRight, kValueLeft - kNameLeft - 4);
}

}  // namespace

CorrelationController::CorrelationController(ShellServices& shell, CorrelationPage page,
                                             QObject* parent)
    : QObject(parent), shell_(shell), page_(std::move(page)) {}

int CorrelationController::pageHeightFor(int rows, int currentHeight) {
    const int needed = rowTop(rows) + 50;
    return needed >= kFirstPageHeight ? needed : currentHeight;
}

void CorrelationController::computeCorrelations() {
    auto& ws = shell_.workspace();
    if (!ws.loaded() || !ws.source().isOpen()) return;
    ReferenceLog_.clear();
    {
        Tselectlog dialog(ws.roles(), shell_.dialogParent());
        if (shell_.seam().exec(dialog) == QDialog::Accepted) ReferenceLog_ = dialog.referenceLog();
    }
    if (shell_.dialogParent()) shell_.dialogParent()->repaint();
    if (ReferenceLog_.isEmpty()) return;

    auto& source = ws.source();
    auto& elastic = ws.elastic();
    shell_.setStatus(QStringLiteral("Calculating correlation coefficients, please wait..."));
    shell_.followSourceRow(false);
    source.disableControls();
    if (elastic.isOpen()) elastic.disableControls();

    // The whole list is computed before anything on the page changes: a failure leaves the
    // previous run's rows as they were.
    std::vector<lithora::compute::CorrelationRow> rows;
    QString error;
    {
        BusyCursor busy;
        try {
            rows = lithora::workspace::correlationList(ws, ReferenceLog_.toStdString());
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
    }
    if (error.isEmpty()) {
        page_.referenceNameCaption->setText(ReferenceLog_);
        page_.referenceCaption->setText(QStringLiteral("Reference:"));
        const int sourceRows = ws.sourceTrackCount();
        page_.clearRows();
        QWidget* sourceBox = page_.newRows(false);
        QWidget* elasticBox = nullptr;
        const char sep = localeDecimalPoint();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            if (row > sourceRows && !elasticBox) elasticBox = page_.newRows(true);
            QWidget* box = row > sourceRows ? elasticBox : sourceBox;
            const int top = rowTop(row);
            const QString name = QString::fromStdString(rows[i].name);
            rowLabel(box, fittedName(name), kNameLeft, top, "rgb(0, 0, 128)")
                ->setAccessibleName(name);
            rowLabel(
                box,
                QString::fromStdString(lithora::compute::coefficientText(rows[i].coefficient, sep)),
                kValueLeft, top, "rgb(0, 128, 0)");
        }
        const int height = pageHeightFor(static_cast<int>(rows.size()), page_.pageHeight());
        page_.showTablePage(height);
    }

    if (elastic.isOpen()) elastic.enableControls();
    source.enableControls();
    shell_.followSourceRow(true);
    shell_.setStatus(QStringLiteral("Ready"));
    if (!error.isEmpty()) shell_.message(QMessageBox::Critical, error);
}
