#include "gui/display/track_panel.h"

#include <qcustomplot.h>
#include <QFont>
#include <algorithm>
#include <memory>
#include <utility>

#include "core/store/table.h"
#include "gui/display/chart_row.h"
#include "gui/display/table_curve.h"

using namespace lithora;
using lithora::store::Table;
using lithora::store::TableEvent;

TrackPanel::TrackPanel(QWidget* graphPage, QString programFolder, QObject* parent)
    : QObject(parent),
      page_(graphPage),
      row_(new DepthChartRow(this)),
      programFolder_(std::move(programFolder)) {
    connect(row_, &DepthChartRow::aligned, this, [this] {
        for (const auto& t : tracks_) {
            if (!t) continue;
            const lithora::AxisRange depths = t->depthRange();
            auto row = [&](double depth) {
                return t->mapTo(page_, t->pixelOf(0, depth).toPoint()).y();
            };
            emit plotRowsChanged(depths.lo, row(depths.lo), depths.hi, row(depths.hi));
            return;
        }
    });
}

TrackPanel::~TrackPanel() {
    subscriptions_.clear();
    removeAll();
}

void TrackPanel::removeAll() {
    removeFrom(1);
    sourceTrackCount_ = 0;
    sourceFieldCount_ = 0;
    elastic_ = nullptr;
}

void TrackPanel::removeFrom(int firstSlot) {
    const auto first = static_cast<std::size_t>(std::max(firstSlot, 1) - 1);
    for (std::size_t i = first; i < tracks_.size(); ++i) delete tracks_[i].data();
    if (first < tracks_.size()) {
        tracks_.resize(first);
        bindings_.resize(first);
    }
    row_->clear();
    for (const auto& t : tracks_) row_->add(t.data());
    // A listener that is no longer needed goes; its handle is safe even when the table
    // has gone before it.
    for (auto it = subscriptions_.begin(); it != subscriptions_.end();) {
        const bool used = std::any_of(bindings_.begin(), bindings_.end(), [&](const Binding& b) {
            return b.bound && b.table == it->first;
        });
        if (used) {
            ++it;
        } else {
            it = subscriptions_.erase(it);
        }
    }
}

DepthChart* TrackPanel::track(int slot) const {
    if (slot < 1 || slot > trackCount()) return nullptr;
    return tracks_[static_cast<std::size_t>(slot - 1)].data();
}

DepthChart* TrackPanel::makeTrack(int slot, int ordinal, const QString& title, const QFont* font) {
    const Rgb rgb = trackPaletteColour(trackPaletteEntry(ordinal));
    auto* t = new DepthChart(slot, title, QColor(rgb.r, rgb.g, rgb.b), background_, page_, font);
    t->setGeometry(trackLeft(slot), kTrackTop, kTrackWidth, kTrackHeight);
    connect(t, &DepthChart::printRequested, this, &TrackPanel::printRequested);
    connect(t, &DepthChart::exportRequested, this, &TrackPanel::exportRequested);
    connect(t, &DepthChart::minMaxRequested, this, &TrackPanel::minMaxRequested);
    connect(t, &DepthChart::logarithmicRequested, this, &TrackPanel::logarithmicRequested);
    connect(t, &DepthChart::colourRequested, this, &TrackPanel::colourRequested);
    connect(t, &DepthChart::zoomed, this, &TrackPanel::zoomed);
    t->show();
    const auto index = static_cast<std::size_t>(slot - 1);
    if (tracks_.size() <= index) {
        tracks_.resize(index + 1);
        bindings_.resize(index + 1);
    }
    tracks_[index] = t;
    row_->add(t);
    return t;
}

void TrackPanel::buildSourceTracks(Table& source) {
    removeAll();
    background_ = loadTrackBackground(programFolder_);
    sourceFieldCount_ = std::max(source.fieldCount() - 1, 0);
    const int curves = source.fieldCount() - 3;  // without Rec, the depth and Counting
    for (int i = 1; i <= curves; ++i) {
        const auto& field = source.field(i + 1);
        DepthChart* t = makeTrack(i, i, QString::fromStdString(field.label()), nullptr);
        t->setSeriesName(QString::fromStdString(field.def.name));
        bindings_[static_cast<std::size_t>(i - 1)] = {&source, field.def.name, true, nullptr};
        sourceTrackCount_ = i;
    }
    if (curves > 0) subscribe(source);
    for (int slot = 1; slot <= sourceTrackCount_; ++slot) reread(slot);
    alignTracks();
}

void TrackPanel::buildElasticTracks(Table& elastic) {
    removeFrom(sourceTrackCount_ + 1);
    if (background_.isNull()) background_ = loadTrackBackground(programFolder_);
    elastic_ = &elastic;
    const QFont font(QStringLiteral("Arial"), 8);
    const int results = elastic.fieldCount() - 3;  // without Rec, Depth and Rho
    for (int k = 1; k <= results; ++k) {
        const int slot = sourceTrackCount_ + k;
        const auto& field = elastic.field(k + 1);
        const QString label = QString::fromStdString(field.label());
        DepthChart* t = makeTrack(slot, k, label, &font);
        t->setSeriesName(label);
        bindings_[static_cast<std::size_t>(slot - 1)] = {&elastic, field.def.name, false, nullptr};
    }
    alignTracks();
}

void TrackPanel::bindElasticTracks() {
    if (!elastic_) return;
    bool any = false;
    for (int slot = sourceTrackCount_ + 1; slot <= trackCount(); ++slot) {
        Binding& b = bindings_[static_cast<std::size_t>(slot - 1)];
        if (b.table != elastic_) continue;
        b.bound = true;
        any = true;
    }
    if (!any) return;
    subscribe(*elastic_);
    for (int slot = sourceTrackCount_ + 1; slot <= trackCount(); ++slot) {
        reread(slot);
        if (DepthChart* t = track(slot)) t->rescale();
    }
    alignTracks();
}

void TrackPanel::rescaleTrack(int slot) {
    DepthChart* t = track(slot);
    if (!t) return;
    reread(slot);
    t->rescale();  // the row lines the tracks up again if the labels need another row
}

void TrackPanel::rescaleAll() {
    for (int slot = 1; slot <= trackCount(); ++slot) {
        if (DepthChart* t = track(slot)) {
            reread(slot);
            t->rescale();
        }
    }
    alignTracks();
}

void TrackPanel::alignTracks() {
    row_->align();
}

int TrackPanel::graphPageWidth(bool elasticHasRecords, int currentWidth) const {
    return lithora::graphPageWidth(sourceFieldCount_, elasticHasRecords, currentWidth);
}

void TrackPanel::subscribe(Table& table) {
    if (subscriptions_.count(&table)) return;
    Table* key = &table;
    subscriptions_[&table] =
        table.subscribe([this, key](const TableEvent& e) { onTableEvent(key, e.kind); });
}

void TrackPanel::onTableEvent(Table* table, int kind) {
    if (kind == TableEvent::CurrentChanged) return;
    // The tracks draw from the table itself: a change only needs a new drawing (and a new
    // copy of the visible values while the table is filtered).
    for (int slot = 1; slot <= trackCount(); ++slot) {
        Binding& b = bindings_[static_cast<std::size_t>(slot - 1)];
        if (!b.bound || b.table != table || !b.curve) continue;
        b.curve->changed();
        if (DepthChart* t = track(slot)) t->plot()->replot(QCustomPlot::rpQueuedReplot);
    }
}

void TrackPanel::reread(int slot) {
    DepthChart* t = track(slot);
    Binding& b = bindings_[static_cast<std::size_t>(slot - 1)];
    if (!t || !b.bound) return;
    if (!b.curve) b.curve = std::make_shared<TableCurve>(*b.table, b.field);
    b.curve->changed();
    t->setSource(b.curve);
}
