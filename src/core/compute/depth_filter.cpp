#include "core/compute/depth_filter.h"

#include <cmath>

#include "core/common/error.h"
#include "core/common/number_text.h"
#include "core/compute/elastic.h"

namespace lithora::compute {

namespace {

bool holdsRecords(const store::Table& t) {
    return t.isOpen() && t.totalRecordCount() > 0;
}

// Holds the controls of the open tables for the life of the object, so grids and charts
// repaint once at the end.
class QuietTables {
  public:
    QuietTables(store::Table& source, store::Table& elastic)
        : source_(source),
          elastic_(elastic),
          holdsSource_(hold(source)),
          holdsElastic_(hold(elastic)) {}
    ~QuietTables() {
        if (holdsElastic_) elastic_.enableControls();
        if (holdsSource_) source_.enableControls();
    }
    QuietTables(const QuietTables&) = delete;
    QuietTables& operator=(const QuietTables&) = delete;

  private:
    static bool hold(store::Table& t) {
        if (!t.isOpen()) return false;
        t.disableControls();
        return true;
    }
    store::Table& source_;
    store::Table& elastic_;
    bool holdsSource_, holdsElastic_;
};

void undoInPlace(store::Table& source, store::Table& elastic, DepthWindow& window) {
    source.setFiltered(false);
    if (holdsRecords(elastic)) elastic.setFiltered(false);
    const auto depth = source.floatColumn(kSourceDepthField);
    window = {depth.front(), depth.back(), false};
}

}  // namespace

FilterOutcome applyDepthFilter(store::Table& source, store::Table& elastic, DepthWindow& window,
                               double start, double stop) {
    if (!holdsRecords(source)) return {};
    if (!(std::isfinite(start) && std::isfinite(stop) && start < stop))
        throw Error(kFilterOrderMessage);

    QuietTables quiet(source, elastic);
    if (window.filterActive) undoInPlace(source, elastic, window);
    FilterOutcome out{true, false};
    source.setFilterRange(kSourceDepthField, start, stop);
    source.setFiltered(true);
    if (holdsRecords(elastic)) {
        elastic.setFilterRange(kDepth, start, stop);
        elastic.setFiltered(true);
        out.elasticFiltered = true;
    }
    window = {start, stop, true};
    return out;
}

FilterOutcome undoDepthFilter(store::Table& source, store::Table& elastic, DepthWindow& window) {
    if (!window.filterActive || !holdsRecords(source)) return {};
    QuietTables quiet(source, elastic);
    undoInPlace(source, elastic, window);
    return FilterOutcome{true, holdsRecords(elastic)};
}

std::string searchDepth(store::Table& source, store::Table& elastic, std::string_view entry,
                        char decimalSeparator) {
    auto value = parseNumber(entry, decimalSeparator);
    if (!value && decimalSeparator != '.') value = parseNumber(entry, '.');
    if (!value) return kInvalidNumberMessage;
    try {
        if (!source.isOpen() || !source.locate(kSourceDepthField, *value))
            return kDepthNotFoundMessage;
        if (holdsRecords(elastic)) elastic.locate(kDepth, *value);
        return {};
    } catch (const std::exception&) {
        return kInvalidNumberMessage;
    }
}

}  // namespace lithora::compute
