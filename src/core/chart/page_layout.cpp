#include "core/chart/page_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lithora::chart {

const std::vector<PaperSize>& paperSizes() {
    static const std::vector<PaperSize> sizes = {{"A3", 297, 420},
                                                 {"A4", 210, 297},
                                                 {"A5", 148, 210},
                                                 {"A6", 105, 148},
                                                 {"B5", 176, 250},
                                                 {"C5", 162, 229},
                                                 {"Legal", 215.9, 355.6},
                                                 {"Letter", 215.9, 279.4},
                                                 {"Custom", 0, 0},
                                                 {"B4", 250, 353},
                                                 {"Envelope_09", 98.4, 225.4},
                                                 {"Envelope_10", 104.8, 241.3},
                                                 {"Envelope_11", 114.3, 263.5},
                                                 {"Envelope_12", 120.7, 279.4},
                                                 {"Envelope_14", 127, 292.1},
                                                 {"Tabloid", 279.4, 431.8},
                                                 {"Ledger", 431.8, 279.4},
                                                 {"Executive", 184.15, 266.7}};
    return sizes;
}

std::optional<PaperSize> paperSize(std::string_view name) {
    for (const auto& p : paperSizes())
        if (name == p.name) return p;
    return std::nullopt;
}

namespace {

// How many whole rows of the given height fit a length; a small tolerance keeps a length
// that is an exact multiple from losing a row to rounding.
std::size_t wholeRows(double length, double rowHeight) {
    if (!(length > 0) || !(rowHeight > 0)) return 0;
    const double n = std::floor(length / rowHeight + 1e-9);
    return n >= static_cast<double>(std::numeric_limits<std::size_t>::max() / 2)
               ? std::numeric_limits<std::size_t>::max() / 2
               : static_cast<std::size_t>(n);
}

}  // namespace

TablePageLayout::TablePageLayout(std::size_t records, TablePageSetup s) : records_(records) {
    double w = s.paperWidthMm, h = s.paperHeightMm;
    const bool landscape = s.orientation == Orientation::Landscape;
    if ((landscape && w < h) || (!landscape && w > h)) std::swap(w, h);

    // Room for the grid inside the margins, below and right of its place. A sheet too small
    // for the title row and one record still gets one record per page: nothing is dropped.
    const double gridHeight = h - 2 * s.marginMm - s.gridTopMm;
    const double gridWidth = w - 2 * s.marginMm - s.gridLeftMm;
    const std::size_t rows = wholeRows(gridHeight, s.rowHeightMm);
    recordsPerPage_ = rows > 1 ? rows - 1 : 1;
    rowPages_ = records == 0 ? 1 : (records + recordsPerPage_ - 1) / recordsPerPage_;

    // Columns run onto a sheet until the next would pass its width; a column wider than a
    // sheet gets a sheet of its own (and is cut at its edge there). Every further sheet starts
    // with the repeated columns, unless they leave less than half the sheet for the others.
    const std::size_t n = s.columnWidthsMm.size();
    double repeatedWidth = 0;
    repeated_ = std::min(s.repeatedColumns, n);
    for (std::size_t c = 0; c < repeated_; ++c) repeatedWidth += std::max(0.0, s.columnWidthsMm[c]);
    if (repeatedWidth > gridWidth / 2) repeated_ = 0;
    double used = 0;
    for (std::size_t c = 0; c < n; ++c) {
        const double cw = std::max(0.0, s.columnWidthsMm[c]);
        if (bands_.empty() || (used + cw > gridWidth + 1e-9 && bands_.back().second > 0)) {
            bands_.push_back({c, 0});
            used = bands_.size() > 1 ? repeatedWidth * (repeated_ > 0) : 0;
        }
        ++bands_.back().second;
        used += cw;
    }
    if (bands_.empty()) bands_.push_back({0, 0});

    const double pages = static_cast<double>(rowPages_) * static_cast<double>(bands_.size());
    pageCount_ = pages > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                         : static_cast<int>(pages);
}

std::optional<PageContent> TablePageLayout::page(int page) const {
    if (page < 1 || page > pageCount_) return std::nullopt;
    const auto index = static_cast<std::size_t>(page - 1);
    const std::size_t rowPage = index % rowPages_;
    const auto& band = bands_[std::min(index / rowPages_, bands_.size() - 1)];
    PageContent c;
    c.firstRecord = rowPage * recordsPerPage_;
    c.recordCount = std::min(recordsPerPage_, records_ - std::min(records_, c.firstRecord));
    c.firstColumn = band.first;
    c.columnCount = band.second;
    c.repeatedColumns = band.first > 0 ? std::min(repeated_, band.first) : 0;
    return c;
}

int previewProgressMaximum(std::size_t records, Orientation orientation) {
    const std::size_t per = orientation == Orientation::Landscape ? 22 : 35;
    const std::size_t m = records / per + 8;
    return m > static_cast<std::size_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(m);
}

std::optional<std::string> pageRangeError(long long from, long long to, int pageCount) {
    if (pageCount >= 1 && from >= 1 && to >= from && to <= pageCount) return std::nullopt;
    return "The page range must lie between 1 and " + std::to_string(std::max(pageCount, 1)) + ".";
}

}  // namespace lithora::chart
