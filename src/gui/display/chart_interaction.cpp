#include "gui/display/chart_interaction.h"

#include <qcustomplot.h>
#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

#include "gui/widgets/mouse_buttons.h"

namespace {

const QColor kZoomColour(255, 255, 0);

}  // namespace

ChartInteraction::ChartInteraction(QCustomPlot* plot, Hooks hooks, QWidget* menuParent)
    : QObject(plot), plot_(plot), hooks_(std::move(hooks)) {
    // The rectangle is handled here rather than by the plot's own zoom, which zooms in
    // whatever direction the mouse went: dragging up and to the left is the undo gesture.
    plot_->setSelectionRectMode(QCP::srmCustom);
    plot_->selectionRect()->setPen(QPen(kZoomColour.darker(130)));
    plot_->selectionRect()->setBrush(QBrush(kZoomColour));
    plot_->axisRect()->setRangeDrag(Qt::Orientations());
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { rectangleDone(rect); });

    // A click (press and release without a drag) on a curve shows the sample under the
    // mouse. The plot reports no plottable clicks while rectangle zoom is on, so the click is
    // recognised here.
    connect(plot_, &QCustomPlot::mousePress, this,
            [this](QMouseEvent* event) { pressPos_ = event->position(); });
    connect(plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        if ((event->position() - pressPos_).manhattanLength() > 3) return;
        const QString tip = hooks_.tipAt(event->position());
        if (tip.isEmpty()) return;
        lastTip_ = tip;
        QToolTip::showText(event->globalPosition().toPoint(), tip, plot_);
    });

    menu_ = new QMenu(menuParent);
    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(plot_->mapToGlobal(pos)); });
    plot_->installEventFilter(this);
}

QAction* ChartInteraction::addCommand(const QString& text, int number, std::function<void()> run) {
    QAction* action = menu_->addAction(text);
    action->setData(number);
    connect(action, &QAction::triggered, this, std::move(run));
    return action;
}

void ChartInteraction::rectangleDone(const QRect& rect) {
    // The rectangle runs from where the mouse was pressed to where it let go.
    if (rect.right() < rect.left() && rect.bottom() < rect.top()) {
        if (!undoStep()) hooks_.showOwnRanges();
        emit zoomUndone();
        return;
    }
    const QRect r = rect.normalized();
    if (r.width() < 3 || r.height() < 3) return;
    hooks_.zoomTo(r);
    emit zoomed();
}

bool ChartInteraction::undoStep() {
    if (history_.empty()) return false;
    const ChartRanges back = history_.back();
    history_.pop_back();
    hooks_.restoreRanges(back);
    return true;
}

bool ChartInteraction::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plot_ && isOtherThanLeftButton(event)) return true;
    return QObject::eventFilter(watched, event);
}
