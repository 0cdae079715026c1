#include "gui/display/depth_cursor.h"

#include <qcustomplot.h>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

#include "core/chart/track_layout.h"
#include "gui/display/depth_chart.h"
#include "gui/display/value_axis.h"

namespace {

// The read-out stands this far right of and below the mouse.
constexpr int kReadoutOffset = 14;
// A read-out of more lines takes two columns.
constexpr std::size_t kLongReadout = 16;

}  // namespace

DepthCursor::DepthCursor(QObject* parent) : QObject(parent) {}

DepthCursor::~DepthCursor() {
    delete readout_.data();
}

void DepthCursor::add(DepthChart* chart) {
    if (!chart) return;
    charts_.emplace_back(chart);
    chart->plot()->setMouseTracking(true);
    chart->plot()->installEventFilter(this);
    if (!readout_) {
        // The read-out floats over the window of the charts, across whatever holds them.
        readout_ = new QLabel(chart->window());
        readout_->setObjectName(QStringLiteral("DepthReadout"));
        readout_->setTextFormat(Qt::RichText);
        readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
        readout_->setStyleSheet(QStringLiteral(
            "background: rgba(255, 255, 225, 235); border: 1px solid gray; padding: 2px;"));
        readout_->hide();
    }
}

void DepthCursor::clear() {
    setDepth(std::nullopt);
    for (const auto& c : charts_)
        if (c) c->plot()->removeEventFilter(this);
    charts_.clear();
}

void DepthCursor::setDepth(std::optional<double> depth, QPoint at) {
    depth_ = depth;
    // A hidden chart draws nothing; it takes the cursor's depth when it is next moved.
    for (const auto& c : charts_)
        if (c && !c->isHidden()) c->setCursorDepth(depth);
    emit moved(depth);
    if (!readout_) return;
    const bool anyChart =
        std::any_of(charts_.begin(), charts_.end(), [](const auto& c) { return c; });
    if (!depth || !anyChart) {
        readout_->hide();
        return;
    }
    showReadout(at);
}

std::optional<double> DepthCursor::nearestSampleDepth(const DepthChart& chart, double depth) const {
    for (int axis = 0; axis < chart.axisCount(); ++axis) {
        const CurveView v = chart.samples(axis);
        const auto i = lithora::chart::nearestSample(v.depths.first(v.size()), depth);
        if (i) return v.depths[*i];
    }
    return std::nullopt;
}

std::vector<DepthCursor::Reading> DepthCursor::readings() const {
    std::vector<Reading> out;
    if (!depth_) return out;
    out.push_back({tr("Depth"), valueaxis::labelText(*depth_)});
    // The curves from left to right, as the charts stand (the user may have moved them).
    std::vector<const DepthChart*> shown;
    for (const auto& c : charts_)
        if (c && !c->isHidden()) shown.push_back(c.data());
    std::stable_sort(shown.begin(), shown.end(), [](const DepthChart* a, const DepthChart* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    for (const DepthChart* c : shown) {
        for (int axis = 0; axis < c->axisCount(); ++axis) {
            QString name = c->curveName(axis);
            if (name.isEmpty()) name = c->axisTitle(axis);
            const CurveView v = c->samples(axis);
            if (v.size() == 0) continue;  // a chart with nothing to show yet
            const auto i = lithora::chart::nearestSample(v.depths.first(v.size()), *depth_);
            out.push_back({name, i ? valueaxis::labelText(v.values[*i]) : QString()});
        }
    }
    return out;
}

void DepthCursor::showReadout(QPoint at) {
    // A long read-out (a page of many tracks) takes two columns, so it stays beside the
    // mouse rather than over the whole height of the tracks.
    const std::vector<Reading> all = readings();
    const std::size_t columns = all.size() > kLongReadout ? 2 : 1;
    const std::size_t perColumn = (all.size() + columns - 1) / columns;
    QString rows;
    for (std::size_t row = 0; row < perColumn; ++row) {
        rows += QStringLiteral("<tr>");
        for (std::size_t column = 0; column < columns; ++column) {
            const std::size_t i = column * perColumn + row;
            if (i >= all.size()) break;
            rows +=
                QStringLiteral("<td>%1</td><td align=\"right\">&nbsp;%2%3</td>")
                    .arg(all[i].name.toHtmlEscaped(), all[i].value.toHtmlEscaped(),
                         column + 1 < columns ? QStringLiteral("&nbsp;&nbsp;&nbsp;") : QString());
        }
        rows += QStringLiteral("</tr>");
    }
    readout_->setText(QStringLiteral("<table cellspacing=\"0\">%1</table>").arg(rows));
    readout_->adjustSize();
    // Beside the mouse, turned to its other side where the window ends.
    const QWidget* window = readout_->parentWidget();
    const QPoint mouse = window->mapFromGlobal(at);
    QPoint p = mouse + QPoint(kReadoutOffset, kReadoutOffset);
    if (p.x() + readout_->width() > window->width())
        p.setX(mouse.x() - kReadoutOffset - readout_->width());
    if (p.y() + readout_->height() > window->height())
        p.setY(window->height() - readout_->height());
    readout_->move(std::max(p.x(), 0), std::max(p.y(), 0));
    readout_->show();
    readout_->raise();
}

bool DepthCursor::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Leave && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    // A chart being destroyed is a chart no longer: the cast says so, the list could not.
    auto* plot = qobject_cast<QCustomPlot*>(watched);
    auto* chart = plot ? qobject_cast<DepthChart*>(plot->parentWidget()) : nullptr;
    if (!chart || chart->plot() != plot) return QObject::eventFilter(watched, event);
    switch (type) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!plot->axisRect()->rect().contains(pos)) {
                setDepth(std::nullopt);
                break;
            }
            setDepth(plot->yAxis->pixelToCoord(pos.y()), plot->mapToGlobal(pos));
            break;
        }
        case QEvent::Leave:
            setDepth(std::nullopt);
            break;
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                pressedAt_ = mouse->position().toPoint();
            else
                setDepth(std::nullopt);  // the chart's menu opens: the read-out makes room
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint pos = mouse->position().toPoint();
            if (mouse->button() != Qt::LeftButton || (pos - pressedAt_).manhattanLength() > 3 ||
                !plot->axisRect()->rect().contains(pos))
                break;
            if (const auto d = nearestSampleDepth(*chart, plot->yAxis->pixelToCoord(pos.y())))
                emit depthPicked(*d);
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
