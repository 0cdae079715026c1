#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lithora::chart {

enum class Orientation { Portrait, Landscape };

// A paper of the paper list, in millimetres, portrait (width <= height) except "Ledger",
// which is a landscape sheet by definition.
struct PaperSize {
    const char* name;
    double widthMm;
    double heightMm;
};
// The paper list in the order the table print offers it. "Custom" has no size of its own.
const std::vector<PaperSize>& paperSizes();
std::optional<PaperSize> paperSize(std::string_view name);

// How the printed table is placed on a sheet. All lengths are in millimetres.
struct TablePageSetup {
    double paperWidthMm = 210;   // the paper as listed (portrait)
    double paperHeightMm = 297;  //
    Orientation orientation = Orientation::Landscape;
    double marginMm = 9;                 // on every side (510 twips)
    double gridLeftMm = 10;              // where the grid starts inside the margins
    double gridTopMm = 20;               // below the page header
    double rowHeightMm = 7.2;            // one grid row, title row included
    std::vector<double> columnWidthsMm;  // the visible columns, left to right
    // The leading columns that place a record (Rec and Depth), printed again at the left of
    // every further sheet across, so that no page has rows without them.
    std::size_t repeatedColumns = 0;
};

// Which part of the table one page shows: a run of records and a run of columns.
struct PageContent {
    std::size_t firstRecord = 0;  // 0-based
    std::size_t recordCount = 0;
    std::size_t firstColumn = 0;
    std::size_t columnCount = 0;
    // The leading columns printed before firstColumn (0 on the first sheet across).
    std::size_t repeatedColumns = 0;
};

// The pages of a printed table, worked out from the row height and the page size alone, so
// the page count of a million records is known at once and a page is laid out only when it is
// shown or printed. Every page repeats the title row. Columns that do not fit the width of one
// sheet go on further sheets, each beginning with the repeated columns again (unless those
// alone leave no room); pages run down the records first, then across the columns.
// A table without records still prints its title row on one page.
class TablePageLayout {
  public:
    TablePageLayout(std::size_t records, TablePageSetup setup);

    int pageCount() const { return pageCount_; }
    std::size_t recordsPerPage() const { return recordsPerPage_; }
    // Runs of columns, one per sheet across: first column index and count.
    const std::vector<std::pair<std::size_t, std::size_t>>& columnBands() const { return bands_; }
    // page is 1-based; nullopt outside 1 .. pageCount.
    std::optional<PageContent> page(int page) const;

  private:
    std::size_t records_;
    std::size_t recordsPerPage_ = 1;
    std::size_t rowPages_ = 1;
    std::vector<std::pair<std::size_t, std::size_t>> bands_;
    std::size_t repeated_ = 0;
    int pageCount_ = 1;
};

// The progress bar's maximum while a preview is built: trunc(n / 22) + 8 in landscape,
// trunc(n / 35) + 8 in portrait.
int previewProgressMaximum(std::size_t records, Orientation orientation);

// "The page range must lie between 1 and <n>." when from .. to is not a range of pages 1 ..
// pageCount (from above to included); nullopt when it is.
std::optional<std::string> pageRangeError(long long from, long long to, int pageCount);

}  // namespace lithora::chart
