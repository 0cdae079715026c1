#include "gui/display/track_panel.h"

#include <qcustomplot.h>
#include <QFont>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <memory>
#include <utility>

#include "core/store/table.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_navigation.h"
#include "gui/display/table_curve.h"

using namespace lithora;
using lithora::store::Table;
using lithora::store::TableEvent;

namespace {

// Where the depth-range box stands on the page: left of the tracks, level with their bottom.
constexpr int kRangeBarLeft = 5;
constexpr int kRangeBarWidth = 336;
constexpr int kRangeBarHeight = 24;

}  // namespace

TrackPanel::TrackPanel(QWidget* graphPage, QString programFolder, QObject* parent)
    : QObject(parent),
      page_(graphPage),
      row_(new DepthChartRow(this)),
      programFolder_(std::move(programFolder)) {
    if (page_) {
        rangeBar_ = new DepthRangeBar(*row_->navigation(), page_);
        rangeBar_->setGeometry(kRangeBarLeft, kTrackTop + kTrackHeight - kRangeBarHeight,
                               kRangeBarWidth, kRangeBarHeight);
        rangeBar_->setEnabled(false);
    }
    connect(row_, &DepthChartRow::aligned, this, [this] {
        if (rangeBar_) {
            rangeBar_->setEnabled(trackCount() > 0);
            rangeBar_->refresh();
        }
        reportPlotRows();
    });
}

void TrackPanel::reportPlotRows() {
    for (const auto& t : tracks_) {
        if (!t) continue;
        const lithora::AxisRange depths = t->depthRange();
        auto row = [&](double depth) {
            return t->mapTo(page_, t->pixelOf(0, depth).toPoint()).y();
        };
        emit plotRowsChanged(depths.lo, row(depths.lo), depths.hi, row(depths.hi));
        return;
    }
}

TrackPanel::~TrackPanel() {
    subscriptions_.clear();
    removeAll();
    delete rangeBar_;
}

void TrackPanel::removeAll() {
    removeFrom(1);
    arrangement_ = {};
    drag_ = {};
    if (rangeBar_) rangeBar_->setEnabled(false);
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
    t->setGeometry(kFirstTrackLeft, kTrackTop, kTrackWidth, kTrackHeight);
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
    addArrangeItems(t);
    // Installed after the row's, so it sees a drag of the title or border first.
    t->plot()->installEventFilter(this);
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
    placeTracks();
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
    placeTracks();
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
    const int width = lithora::graphPageWidth(sourceFieldCount_, elasticHasRecords, currentWidth);
    if (sourceFieldCount_ == 0) return width;
    // Hidden, widened and narrowed tracks change the room the tracks take.
    int change = 0;
    for (const auto& p : arrangement_.tracks) change += (p.shown ? p.width : 0) - kTrackWidth;
    return std::max(width + change, 1000);
}

void TrackPanel::setArrangement(const Arrangement& arrangement) {
    arrangement_ = arrangement;
    placeTracks();
    emit arrangementChanged();
}

void TrackPanel::setTrackShown(int slot, bool shown) {
    auto& tracks = arrangement_.tracks;
    const auto it =
        std::find_if(tracks.begin(), tracks.end(), [&](const auto& p) { return p.slot == slot; });
    if (it == tracks.end() || it->shown == shown) return;
    // The last track shown stays: its menu is where hidden tracks are shown again.
    if (!shown &&
        std::count_if(tracks.begin(), tracks.end(), [](const auto& p) { return p.shown; }) < 2)
        return;
    it->shown = shown;
    placeTracks();
    emit arrangementChanged();
}

void TrackPanel::moveTrack(int slot, int index) {
    lithora::chart::moveTrack(arrangement_, slot, index);
    placeTracks();
    emit arrangementChanged();
}

void TrackPanel::setTrackWidth(int slot, int width) {
    for (auto& p : arrangement_.tracks) {
        if (p.slot != slot) continue;
        const int w = std::max(width, kNarrowestTrack);
        if (w == p.width) return;
        p.width = w;
        placeTracks();
        emit arrangementChanged();
        return;
    }
}

void TrackPanel::placeTracks() {
    arrangement_ =
        lithora::chart::fittedArrangement(arrangement_, trackCount(), kTrackWidth, kNarrowestTrack);
    const std::vector<int> lefts = lithora::chart::trackLefts(arrangement_, kFirstTrackLeft);
    for (const auto& p : arrangement_.tracks) {
        DepthChart* t = track(p.slot);
        if (!t) continue;
        t->setGeometry(lefts[static_cast<std::size_t>(p.slot - 1)], kTrackTop, p.width,
                       kTrackHeight);
        t->setVisible(p.shown);
    }
    alignTracks();
}

void TrackPanel::addArrangeItems(DepthChart* track) {
    QMenu* menu = track->popupMenu();
    menu->addSeparator();
    QAction* hide = menu->addAction(tr("Hide Track"));
    QMenu* showMenu = menu->addMenu(tr("Show Track"));
    const int slot = track->slot();
    connect(hide, &QAction::triggered, this, [this, slot] { setTrackShown(slot, false); });
    connect(menu, &QMenu::aboutToShow, this, [this, hide, showMenu] {
        showMenu->clear();
        int shown = 0;
        for (const auto& p : arrangement_.tracks) {
            if (p.shown) {
                ++shown;
                continue;
            }
            const DepthChart* t = this->track(p.slot);
            if (!t) continue;
            const int hidden = p.slot;
            connect(showMenu->addAction(t->title()), &QAction::triggered, this,
                    [this, hidden] { setTrackShown(hidden, true); });
        }
        hide->setEnabled(shown > 1);
        showMenu->setEnabled(!showMenu->isEmpty());
    });
}

int TrackPanel::slotOfPlot(const QObject* plot) const {
    for (int slot = 1; slot <= trackCount(); ++slot)
        if (const DepthChart* t = track(slot); t && t->plot() == plot) return slot;
    return 0;
}

int TrackPanel::dropIndex(int slot, int x) const {
    int index = 0;
    for (const auto& p : arrangement_.tracks) {
        if (p.slot == slot) continue;
        const DepthChart* t = track(p.slot);
        if (p.shown && t && x < t->x() + t->width() / 2) return index;
        ++index;
    }
    return index;
}

bool TrackPanel::eventFilter(QObject* watched, QEvent* event) {
    // A track's right border widens it; its title (above the plotting area) moves it.
    constexpr int kBorderGrip = 5;
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const int slot = slotOfPlot(watched);
    if (slot == 0 || !page_) return QObject::eventFilter(watched, event);
    auto* plot = static_cast<QCustomPlot*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const int pageX = plot->mapTo(page_, pos).x();
    const bool onBorder = pos.x() >= plot->width() - kBorderGrip;
    const bool onTitle = pos.y() < plot->axisRect()->top();
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || !(onBorder || onTitle)) return false;
        int width = 0;
        for (const auto& p : arrangement_.tracks)
            if (p.slot == slot) width = p.width;
        drag_ = {onBorder ? Drag::Border : Drag::Title, slot, pageX, width};
        if (drag_.kind == Drag::Title) plot->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (type == QEvent::MouseMove) {
        if (drag_.kind == Drag::Border && drag_.slot == slot) {
            setTrackWidth(slot, drag_.startWidth + pageX - drag_.startX);
            return true;
        }
        if (drag_.kind == Drag::Title) return true;
        if (onBorder)
            plot->setCursor(Qt::SizeHorCursor);
        else if (onTitle)
            plot->setCursor(Qt::OpenHandCursor);
        else
            plot->unsetCursor();
        return false;
    }
    // The button let go.
    if (drag_.kind == Drag::None || mouse->button() != Qt::LeftButton) return false;
    const Drag done = drag_;
    drag_ = {};
    plot->unsetCursor();
    if (done.kind == Drag::Title && std::abs(pageX - done.startX) > 3)
        moveTrack(done.slot, dropIndex(done.slot, pageX));
    return true;
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
