#include "gui/print/grid_print.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "gui/widgets/page_header.h"

namespace {

// The painter works in tenths of a millimetre, so fonts scale with the page exactly.
constexpr double kUnitsPerMm = 10;
constexpr double kScreenDpi = 96;
constexpr double kHeaderHeightMm = 9;
// The well's header (well, field, company, depths, date) stands between the page header and
// the grid, in letters 2.5 mm high.
constexpr double kWellHeaderGapMm = 0.5;
constexpr double kWellHeaderFontMm = 2.5;

int fontUnits(double screenPixels) {
    return std::max(1, qRound(screenPixels * 25.4 / kScreenDpi * kUnitsPerMm));
}

QFont arial(double screenPixels, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(fontUnits(screenPixels));
    f.setBold(bold);
    return f;
}

}  // namespace

GridPrint::GridPrint(const QTableView& grid) : model_(grid.model()) {
    if (!model_) return;
    const QHeaderView* header = grid.horizontalHeader();
    const double dpi = grid.logicalDpiX() > 0 ? grid.logicalDpiX() : kScreenDpi;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || grid.isColumnHidden(logical)) continue;
        Column c;
        c.logical = logical;
        c.title = model_->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
        c.widthMm = grid.columnWidth(logical) / dpi * 25.4;
        columns_.push_back(c);
    }
}

int GridPrint::recordCount() const {
    return model_ ? model_->rowCount() : 0;
}

std::vector<double> GridPrint::columnWidthsMm() const {
    std::vector<double> w;
    for (const Column& c : columns_) w.push_back(c.widthMm);
    return w;
}

std::size_t GridPrint::placingColumns() const {
    std::size_t n = 0;
    while (n < columns_.size() && n < 2 && columns_[n].logical == static_cast<int>(n)) ++n;
    return n;
}

QString GridPrint::cellText(int record, std::size_t column) const {
    if (!model_ || column >= columns_.size()) return {};
    return model_->data(model_->index(record, columns_[column].logical), Qt::DisplayRole)
        .toString();
}

void GridPrint::paintPage(QPainter& painter, const lithora::chart::TablePageLayout& layout,
                          const lithora::chart::TablePageSetup& setup, int page, double pxPerMm,
                          const Header& header) const {
    const auto content = layout.page(page);
    if (!content) return;
    const bool landscape = setup.orientation == lithora::chart::Orientation::Landscape;
    const double shortSide = std::min(setup.paperWidthMm, setup.paperHeightMm);
    const double longSide = std::max(setup.paperWidthMm, setup.paperHeightMm);
    const double paperWidth = (landscape ? longSide : shortSide) * kUnitsPerMm;
    const double margin = setup.marginMm * kUnitsPerMm;

    painter.save();
    painter.scale(pxPerMm / kUnitsPerMm, pxPerMm / kUnitsPerMm);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The page header: date, "Lithora Software", time.
    const QRectF headerRect(margin, margin, paperWidth - 2 * margin, kHeaderHeightMm * kUnitsPerMm);
    painter.setPen(Qt::black);
    painter.setFont(arial(11, false));
    painter.drawText(headerRect, Qt::AlignLeft | Qt::AlignVCenter, header.left);
    painter.drawText(headerRect, Qt::AlignRight | Qt::AlignVCenter, header.right);
    painter.setPen(QColor(0, 0, 255));
    painter.setFont(arial(16, true));
    painter.drawText(headerRect, Qt::AlignCenter, QStringLiteral("Lithora Software"));
    // Below it, what the page is of: the well, the depths shown and the date, held to the room
    // above the grid.
    if (const QString well = pageHeaderText(); !well.isEmpty()) {
        const double wellTop = margin + (kHeaderHeightMm + kWellHeaderGapMm) * kUnitsPerMm;
        const double room = margin + setup.gridTopMm * kUnitsPerMm - wellTop;
        if (room > 0) {
            painter.save();
            painter.setClipRect(QRectF(margin, wellTop, paperWidth - 2 * margin, room));
            drawPageHeader(painter, QPointF(margin, wellTop), paperWidth - 2 * margin,
                           kWellHeaderFontMm * kUnitsPerMm, well);
            painter.restore();
        }
    }

    // The grid: the title row, then the records of the page.
    const double left = margin + setup.gridLeftMm * kUnitsPerMm;
    const double top = margin + setup.gridTopMm * kUnitsPerMm;
    const double rowHeight = setup.rowHeightMm * kUnitsPerMm;
    const double pad = 0.5 * kUnitsPerMm;
    QPen line(Qt::black);
    line.setWidthF(0.2 * kUnitsPerMm);
    const QFont cellFont = arial(11, false);

    auto cell = [&](const QRectF& r, const QString& text, const QColor& back) {
        painter.fillRect(r, back);
        painter.setPen(line);
        painter.drawRect(r);
        painter.save();
        painter.setClipRect(r.adjusted(pad, 0, -pad, 0));
        painter.setPen(Qt::black);
        painter.drawText(r.adjusted(pad, 0, -pad, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
        painter.restore();
    };

    painter.setFont(cellFont);
    // The repeated columns that place each record, then the page's own run of columns.
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < content->repeatedColumns; ++c) shown.push_back(c);
    for (std::size_t c = content->firstColumn; c < content->firstColumn + content->columnCount; ++c)
        shown.push_back(c);
    double x = left;
    for (std::size_t c : shown) {
        if (c >= columns_.size()) break;
        const double w = columns_[c].widthMm * kUnitsPerMm;
        cell(QRectF(x, top, w, rowHeight), columns_[c].title, QColor(212, 208, 200));
        for (std::size_t r = 0; r < content->recordCount; ++r) {
            const int record = static_cast<int>(content->firstRecord + r);
            cell(QRectF(x, top + rowHeight * double(r + 1), w, rowHeight), cellText(record, c),
                 Qt::white);
        }
        x += w;
    }
    painter.restore();
}
