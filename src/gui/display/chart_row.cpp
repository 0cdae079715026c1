#include "gui/display/chart_row.h"

#include <QTimer>
#include <algorithm>

#include "gui/display/depth_cursor.h"
#include "gui/display/depth_navigation.h"

DepthChartRow::DepthChartRow(QObject* parent)
    : QObject(parent), cursor_(new DepthCursor(this)), navigation_(new DepthNavigation(this)) {}

void DepthChartRow::add(DepthChart* chart) {
    if (!chart) return;
    charts_.emplace_back(chart);
    cursor_->add(chart);
    navigation_->add(chart);
    connect(chart, &DepthChart::bandsChanged, this, &DepthChartRow::alignLater);
}

void DepthChartRow::clear() {
    for (const auto& c : charts_)
        if (c) disconnect(c.data(), nullptr, this, nullptr);
    charts_.clear();
    cursor_->clear();
    navigation_->clear();
}

std::vector<DepthChart*> DepthChartRow::charts() const {
    std::vector<DepthChart*> out;
    for (const auto& c : charts_)
        if (c) out.push_back(c.data());
    return out;
}

void DepthChartRow::align() {
    pending_ = false;
    const std::vector<DepthChart*> charts = this->charts();
    if (charts.empty()) return;
    aligning_ = true;
    ChartBands most;
    for (DepthChart* c : charts) {
        const ChartBands b = c->neededBands();
        most.title = std::max(most.title, b.title);
        most.top = std::max(most.top, b.top);
        most.bottom = std::max(most.bottom, b.bottom);
    }
    for (DepthChart* c : charts) c->setBands(most);
    bands_ = most;
    if (sharedDepth_) {
        std::optional<lithora::AxisRange> all;
        for (DepthChart* c : charts) {
            const auto r = c->samplesDepthRange();
            if (!r) continue;
            all = all ? lithora::AxisRange{std::min(all->lo, r->lo), std::max(all->hi, r->hi)} : *r;
        }
        if (all)
            for (DepthChart* c : charts) c->setDepthRange(all->lo, all->hi);
    }
    aligning_ = false;
    emit aligned();
}

void DepthChartRow::alignLater() {
    if (aligning_ || pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_) align();
    });
}
