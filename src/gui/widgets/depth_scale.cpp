#include "gui/widgets/depth_scale.h"

#include <qcustomplot.h>
#include <QVBoxLayout>
#include <algorithm>

DepthScale::DepthScale(const QString& title, int titleIndent, QWidget* parent) : QFrame(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    plot_ = new QCustomPlot(this);
    layout->addWidget(plot_);
    plot_->setInteractions({});
    plot_->plotLayout()->insertRow(0);
    auto* titleElement =
        new QCPTextElement(plot_, title, QFont(QStringLiteral("Arial"), 8, QFont::Bold));
    titleElement->setMargins(QMargins(titleIndent, 2, 0, 2));  // centred over the rest
    plot_->plotLayout()->addElement(0, 0, titleElement);
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msNone);
    rect->setMargins(QMargins(51 + titleIndent, 6, 22, 23));
    plot_->xAxis->setVisible(false);
    plot_->xAxis->setRange(0, 1);
    QCPAxis* depth = plot_->yAxis;
    depth->setRangeReversed(true);
    depth->grid()->setVisible(false);
    depth->setTickLength(0, 6);
    depth->setSubTickLength(0, 4);
    depth->setTickPen(QPen(Qt::black, 2));
    depth->setLabelFont(QFont(QStringLiteral("Arial"), 7, QFont::Bold));
    depth->setLabelColor(Qt::blue);
    depth->setTickLabelFont(QFont(QStringLiteral("Arial"), 7));
    depth->setLabelPadding(2);
    depth->setTickLabelPadding(2);
}

void DepthScale::setDepthTitle(const QString& title) {
    plot_->yAxis->setLabel(title);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString DepthScale::depthTitle() const {
    return plot_->yAxis->label();
}

void DepthScale::setDepthRange(double top, double bottom) {
    plot_->yAxis->setRange(top, bottom);
    plot_->replot();
}

lithora::AxisRange DepthScale::depthRange() const {
    const QCPRange r = plot_->yAxis->range();
    return {r.lower, r.upper};
}

void DepthScale::lineUpWith(int top, int rows) {
    if (layout()) layout()->activate();  // the plot takes the scale's size, shown or not
    QCPAxisRect* rect = plot_->axisRect();
    plot_->setViewport(QRect(QPoint(0, 0), plot_->size()));
    plot_->replot();
    QMargins m = rect->margins();
    m.setTop(std::max(0, m.top() + (top - y() - plot_->y()) - rect->top()));
    rect->setMargins(m);
    plot_->replot();
    m.setBottom(std::max(0, m.bottom() + rect->height() - rows));
    rect->setMargins(m);
    plot_->replot();
}

double DepthScale::rowOf(double depth) const {
    return y() + plot_->y() + plot_->yAxis->coordToPixel(depth);
}
