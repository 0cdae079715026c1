#include "gui/compute/filter_controller.h"

#include <QApplication>

#include "core/compute/depth_filter.h"
#include "gui/compute/search_page.h"
#include "gui/widgets/number_box.h"

FilterController::FilterController(FilterContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

void FilterController::run(const QString& status,
                           const std::function<lithora::compute::FilterOutcome()>& change) {
    context_.setStatus(status);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    context_.detachTableScroll();
    lithora::compute::FilterOutcome out;
    QString failure;
    try {
        out = change();
    } catch (const std::exception& e) {
        failure = QString::fromStdString(e.what());
    }
    if (out.changed) {
        const auto& ws = *context_.workspace;
        context_.rescaleTracks(ws.sourceTrackCount() +
                               (out.elasticFiltered ? context_.elasticTrackCount : 0));
        context_.redrawLitholog();
    }
    context_.attachTableScroll();
    QApplication::restoreOverrideCursor();
    context_.setStatus(QStringLiteral("Ready"));
    if (!failure.isEmpty())
        context_.seam().message(context_.parent, QMessageBox::Warning, QStringLiteral("Lithora"),
                                failure, QMessageBox::Ok);
}

void FilterController::applyFilter() {
    auto& ws = *context_.workspace;
    if (!ws.source().isOpen() || ws.source().totalRecordCount() == 0) return;
    const auto start = context_.startBox->value();
    const auto stop = context_.stopBox->value();
    if (!start || !stop) {
        context_.seam().message(context_.parent, QMessageBox::Critical, QStringLiteral("Lithora"),
                                QString::fromLatin1(lithora::compute::kInvalidNumberMessage),
                                QMessageBox::Ok);
        return;
    }
    run(QStringLiteral("Applying filter, please wait..."),
        [&] { return ws.applyDepthFilter(*start, *stop); });
}

void FilterController::undoFilter() {
    auto& ws = *context_.workspace;
    if (!ws.depthWindow().filterActive) return;
    run(QStringLiteral("Undoing filter, please wait..."), [&] { return ws.undoDepthFilter(); });
}

void FilterController::findDepth() {
    auto& ws = *context_.workspace;
    if (!ws.source().isOpen() || ws.source().totalRecordCount() == 0) return;
    auto* page = new TSearchPage(ws, context_.seam, context_.parent);
    searchPages_.push_back(page);
    page->show();
}
