#include "core/workspace/workspace.h"

#include <array>
#include <cctype>
#include <cmath>
#include <string_view>
#include <system_error>

#include "core/common/number_text.h"
#include "core/export/table_writer.h"
#include "core/import/recognition.h"

namespace lithora::workspace {

namespace fs = std::filesystem;
using store::FieldDef;
using store::FieldType;
using store::Table;

namespace {

constexpr const char* kReadError = "Error reading file.";

void removeIfExists(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

// Opens a shipped table, creating it from its definitions when missing, and refuses a file
// whose fields are not the expected ones (an old or foreign file under that name).
void openShipped(Table& t, const std::vector<FieldDef>& defs) {
    if (!t.exists()) {
        t.clearFieldDefs();
        for (const auto& d : defs) t.addFieldDef(d);
        t.createTable();
    }
    t.open();
    bool ok = t.fieldCount() == static_cast<int>(defs.size());
    for (int i = 0; ok && i < t.fieldCount(); ++i)
        ok = t.field(i).def.name == defs[static_cast<std::size_t>(i)].name &&
             t.field(i).def.type == defs[static_cast<std::size_t>(i)].type;
    if (!ok) {
        t.close();
        throw store::StoreError("Table '" + t.path().filename().string() +
                                "' does not have the fields this program needs.");
    }
}

}  // namespace

namespace {

store::Durability durability(Storage storage, store::Durability onDisk) {
    return storage == Storage::Memory ? store::Durability::Memory : onDisk;
}

}  // namespace

Workspace::Workspace(fs::path programFolder, Storage storage)
    : folder_(std::move(programFolder)),
      source_(folder_ / kSourceTableFile, durability(storage, store::Durability::Scratch)),
      elastic_(folder_ / kElasticTableFile, durability(storage, store::Durability::Scratch)),
      litholog_(folder_ / kLithologTableFile, durability(storage, store::Durability::Full)) {}

Workspace::~Workspace() = default;

void Workspace::openShippedTables() {
    // A run that ended without its clean-up left the source table behind; the elastic
    // table is derived from it and goes with it.
    clearStaleSource();
    std::vector<FieldDef> elasticDefs;
    for (const char* name : compute::kElasticFieldNames)
        elasticDefs.push_back({name, FieldType::Float});
    openShipped(elastic_, elasticDefs);
    std::vector<std::pair<int, std::string>> labels;
    for (int i = 0; i < compute::kElasticFieldCount; ++i)
        if (elastic_.field(i).displayLabel.empty())
            labels.emplace_back(i, compute::kElasticFieldLabels[static_cast<std::size_t>(i)]);
    elastic_.setDisplayLabels(std::move(labels));
    if (!elastic_.isEmpty()) elastic_.emptyTable();

    openShipped(litholog_, {{"TopDepth", FieldType::Float},
                            {"BottomDepth", FieldType::Float},
                            {"Lithology", FieldType::Text, 30, true}});
    lithologUnsaved_ = litholog_.isOpen() && litholog_.totalRecordCount() > 0;
    lithologEdits_ = litholog_.subscribe([this](const store::TableEvent& e) {
        if (e.kind == store::TableEvent::RowChanged || e.kind == store::TableEvent::RowInserted ||
            e.kind == store::TableEvent::RowRemoved || e.kind == store::TableEvent::Reset)
            send(Change::LithologChanged);
    });
}

store::Subscription Workspace::subscribe(std::function<void(Change)> listener) {
    return {changes_, changes_->add(std::move(listener))};
}

std::string Workspace::depthLabel() const {
    return source_.isOpen() && source_.fieldCount() > kSourceDepthField
               ? source_.field(kSourceDepthField).label()
               : std::string();
}

bool Workspace::loaded() const {
    return source_.exists();
}

bool Workspace::clearStaleSource(std::string* why) {
    if (source_.isOpen()) return false;
    const std::error_code ec = removeSourceTable();
    if (!source_.exists()) return true;
    if (why)
        *why = "Cannot remove the old work table " + source_.path().string() + ": " +
               (ec ? ec.message() : std::string("it is still there")) + ".";
    return false;
}

std::error_code Workspace::removeSourceTable() {
    if (source_.inMemory()) {
        if (source_.exists()) source_.deleteTable();
        return {};
    }
    std::error_code ec, upper;
    fs::remove(source_.path(), ec);
    fs::remove(folder_ / "TABLE.DB", upper);
    return ec;
}

void Workspace::installImport(import::ImportResult&& r) {
    const std::size_t rows = r.rowCount();
    if (r.fieldNames.empty() || rows == 0 || r.columns.size() != r.fieldNames.size() ||
        r.catalog.size() != r.fieldNames.size())
        throw Error(kReadError);
    for (const auto& c : r.columns)
        if (c.size() != rows) throw Error(kReadError);

    if (source_.isOpen()) source_.close();
    source_.clearFieldDefs();
    source_.addFieldDef({"Rec", FieldType::Integer});
    for (const auto& name : r.fieldNames) source_.addFieldDef({name, FieldType::Float});
    source_.addFieldDef({"Counting", FieldType::Float});
    try {
        source_.createTable();
        source_.open();
        // Labels all at once: one write of the table file however many curves it has.
        std::vector<std::pair<int, std::string>> labels;
        labels.reserve(r.fieldNames.size() + 1);
        labels.emplace_back(0, "Rec. #");
        for (std::size_t i = 0; i < r.fieldNames.size(); ++i)
            labels.emplace_back(static_cast<int>(i + 1),
                                i < r.fieldLabels.size() ? r.fieldLabels[i] : r.fieldNames[i]);
        source_.setDisplayLabels(std::move(labels));
        source_.field(static_cast<int>(r.fieldNames.size() + 1)).visible = false;

        std::vector<Table::BulkColumn> cols(r.fieldNames.size() + 2);
        cols[0].integers.resize(rows);
        for (std::size_t i = 0; i < rows; ++i) cols[0].integers[i] = static_cast<int>(i + 1);
        for (std::size_t i = 0; i < r.columns.size(); ++i)
            cols[i + 1].floats = std::move(r.columns[i]);
        source_.disableControls();
        source_.loadColumns(std::move(cols));
        source_.enableControls();
    } catch (const store::StoreError& e) {
        if (source_.controlsDisabled()) source_.enableControls();
        if (source_.isOpen()) source_.close();
        // The file was read; it is the work table that cannot be made.
        throw Error("Cannot create the work table " + source_.path().string() + ".\n" + e.what());
    }

    sourceFieldCount_ = static_cast<int>(r.fieldNames.size()) + 1;
    catalog_ = std::move(r.catalog);
    roles_ = std::move(r.roles);
    flags_ = {!roles_.density.empty(), !roles_.gammaRay.empty(), !roles_.pWave.empty(),
              !roles_.sWave.empty()};
    if (r.depthUnit) units_.depthUnit = *r.depthUnit;
    if (r.densityUnit) units_.densityUnit = *r.densityUnit;
    units_.depthFromFile = r.depthUnit.has_value();
    units_.densityFromFile = r.densityUnit.has_value();
    info_ = {r.lasSource,
             r.nullValue,
             std::move(r.nullValueText),
             std::move(r.asciiHeaderLine),
             std::move(r.headerLines),
             std::move(r.headerBytes)};

    auto depth = source_.floatColumn(kSourceDepthField);
    window_ = {depth.front(), depth.back(), false};
    lithologLimits_ = {window_.top, window_.bottom};
    if (litholog_.isOpen()) {
        for (int f = 0; f < 2; ++f) {
            litholog_.field(f).minValue = window_.top;
            litholog_.field(f).maxValue = window_.bottom;
        }
    }
    send(Change::Imported);
}

Summary Workspace::summary(char sep) const {
    Summary s;
    if (!source_.isOpen() || source_.totalRecordCount() == 0) return s;
    auto depth = source_.floatColumn(kSourceDepthField);
    const auto n = source_.totalRecordCount();
    s.records = std::to_string(n);
    s.tracks = std::to_string(sourceFieldCount_ - 2);
    s.start = numberText(depth.front(), sep);
    s.stop = numberText(depth.back(), sep);
    // The interval is worked out from the texts shown, as a person reading the boxes would.
    // A single record has no interval: the box stays empty rather than dividing by zero.
    auto start = parseNumber(numberText(depth.front()));
    auto stop = parseNumber(numberText(depth.back()));
    if (n > 1 && start && stop)
        s.interval = numberText((*stop - *start) / static_cast<double>(n - 1), sep);
    return s;
}

void Workspace::lowerRoleFlags(const RoleFlags& keep) {
    flags_.density = flags_.density && keep.density;
    flags_.gammaRay = flags_.gammaRay && keep.gammaRay;
    flags_.pWave = flags_.pWave && keep.pWave;
    flags_.sWave = flags_.sWave && keep.sWave;
}

std::string Workspace::curveUnitText(const std::string& fieldName) const {
    const int field = source_.isOpen() ? source_.findField(fieldName) : -1;
    if (field < 1 || field > static_cast<int>(catalog_.size())) return {};
    std::string u = catalog_[static_cast<std::size_t>(field - 1)].unit;
    if (u.size() >= 2 && u.front() == '(' && u.back() == ')') u = u.substr(1, u.size() - 2);
    return u;
}

namespace {

// The columns of the visible source records an elastic computation reads, and the inputs
// that view them. The float columns are read in place while no filter is set.
struct ElasticSource {
    std::vector<double> rec;  // "Rec" is an integer field: gathered as numbers
    std::array<std::vector<double>, 4> gathered;
    std::span<const double> depth, density, pSonic, sSonic;
    compute::ElasticInputs in;
};

ElasticSource elasticSource(const store::Table& source, const std::string& density,
                            const std::string& pWave, const std::string& sWave,
                            const ElasticUnits& units, const compute::VsSettings& vsSettings,
                            std::span<const rockphysics::LithologyInterval> litholog) {
    const int fd = source.fieldIndex(density);
    const int fp = source.fieldIndex(pWave);
    const int fs = sWave.empty() ? -1 : source.fieldIndex(sWave);
    ElasticSource e;
    e.rec = source.visibleFloats(0);
    e.depth = source.visibleFloatsView(kSourceDepthField, e.gathered[0]);
    e.density = source.visibleFloatsView(fd, e.gathered[1]);
    e.pSonic = source.visibleFloatsView(fp, e.gathered[2]);
    if (fs >= 0) e.sSonic = source.visibleFloatsView(fs, e.gathered[3]);
    e.in.pSonicUnit = units.pSonic;
    e.in.sSonicUnit = units.sSonic;
    e.in.densityUnit = units.density;
    e.in.measuredVs = fs >= 0;
    e.in.vs = vsSettings;
    e.in.litholog = litholog;
    return e;
}

// Points the inputs at the columns where they now live.
const compute::ElasticInputs& inputsOf(ElasticSource& e) {
    e.in.rec = e.rec;
    e.in.depth = e.depth;
    e.in.density = e.density;
    e.in.pSonic = e.pSonic;
    e.in.sSonic = e.sSonic;
    return e.in;
}

}  // namespace

compute::RockColumns Workspace::rockColumns(
    const std::string& density, const std::string& pWave, const std::string& sWave,
    const ElasticUnits& units, const compute::VsSettings& vs,
    std::span<const rockphysics::LithologyInterval> litholog) const {
    auto e = elasticSource(source_, density, pWave, sWave, units, vs, litholog);
    return compute::rockColumns(inputsOf(e));
}

void Workspace::computeElastic(const std::string& density, const std::string& pWave,
                               const std::string& sWave, const ElasticUnits& units,
                               const compute::VsSettings& vsSettings,
                               std::span<const rockphysics::LithologyInterval> litholog) {
    auto e = elasticSource(source_, density, pWave, sWave, units, vsSettings, litholog);
    const compute::ElasticInputs& in = inputsOf(e);
    compute::ElasticColumns out = compute::computeElastic(in);
    lithologyVsCounts_ = out.lithologyCounts;
    computedDepthUnit_ = units.pSonic == compute::SonicUnit::PerMetre ? "m" : "ft";

    if (!elastic_.isOpen()) elastic_.open();
    elastic_.setDisplayLabel(compute::kDepth, depthLabel());
    elastic_.setDisplayLabel(compute::kRho, density + " (Kg/m3)");
    std::vector<Table::BulkColumn> cols(compute::kElasticFieldCount);
    for (int i = 0; i < compute::kElasticFieldCount; ++i)
        cols[static_cast<std::size_t>(i)].floats =
            std::move(out.columns[static_cast<std::size_t>(i)]);
    elastic_.disableControls();
    try {
        elastic_.loadColumns(std::move(cols));
    } catch (...) {
        elastic_.enableControls();
        throw;
    }
    elastic_.enableControls();
    send(Change::ElasticComputed);
}

compute::ElasticColumns Workspace::visibleElastic() const {
    compute::ElasticColumns out;
    if (!elastic_.isOpen()) return out;
    for (int i = 0; i < compute::kElasticFieldCount; ++i)
        out.columns[static_cast<std::size_t>(i)] = elastic_.visibleFloats(i);
    return out;
}

namespace {

// The visible records of a table, read in place as the writer goes.
class VisibleRows final : public exporter::ElasticRows {
  public:
    explicit VisibleRows(const store::Table& table) : table_(table) {}
    std::size_t rowCount() const override { return static_cast<std::size_t>(table_.recordCount()); }
    double value(std::size_t row, compute::ElasticField field) const override {
        return table_.cellFloat(static_cast<int>(row), field);
    }

  private:
    const store::Table& table_;
};

bool depthUnitHasRule(const std::string& unit) {
    return unit == "m" || unit == "ft" || unit == "ms";
}

}  // namespace

void Workspace::saveTable(const fs::path& target, const std::vector<std::string>& memo) {
    if (!elastic_.isOpen() || elastic_.isEmpty()) return;
    writeTable(target, memo, VisibleRows(elastic_), computedDepthUnit_);
}

namespace {

// Elastic rows computed as the writer reads them.
class ComputedRows final : public exporter::ElasticRows {
  public:
    explicit ComputedRows(const compute::ElasticInputs& in) : rows_(in) {}
    std::size_t rowCount() const override { return rows_.rowCount(); }
    double value(std::size_t row, compute::ElasticField field) const override {
        return rows_.value(row, field);
    }
    const rockphysics::LithologyVsCounts& lithologyCounts() const {
        return rows_.lithologyCounts();
    }

  private:
    mutable compute::ElasticRowBlocks rows_;
};

}  // namespace

rockphysics::LithologyVsCounts Workspace::saveComputedTable(
    const fs::path& target, const std::vector<std::string>& memo, const std::string& density,
    const std::string& pWave, const std::string& sWave, const ElasticUnits& units,
    const compute::VsSettings& vs, std::span<const rockphysics::LithologyInterval> litholog) const {
    auto e = elasticSource(source_, density, pWave, sWave, units, vs, litholog);
    const ComputedRows rows(inputsOf(e));
    if (rows.rowCount() == 0) return {};
    writeTable(target, memo, rows, units.pSonic == compute::SonicUnit::PerMetre ? "m" : "ft");
    return rows.lithologyCounts();
}

void Workspace::writeTable(const fs::path& target, const std::vector<std::string>& memo,
                           const exporter::ElasticRows& table,
                           const std::string& computedDepthUnit) const {
    // The depth lines carry the file's depth unit; where it had no rule, the unit the depth
    // curve's own unit text names, else the unit the computation was told to use.
    std::string usedDepthUnit = units_.depthUnit;
    if (!depthUnitHasRule(usedDepthUnit)) {
        usedDepthUnit =
            catalog_.empty() ? std::string() : import::depthUnitNamedBy(catalog_.front().unit);
        if (usedDepthUnit.empty()) usedDepthUnit = computedDepthUnit;
    }
    if (info_.lasSource) {
        exporter::LasExportInput in;
        in.depthUnit = usedDepthUnit;
        if (source_.isOpen() && !source_.isEmpty()) {
            in.startText = numberText(source_.cellFloat(0, kSourceDepthField));
            in.stopText =
                numberText(source_.cellFloat(source_.recordCount() - 1, kSourceDepthField));
        }
        in.stepText = summary('.').interval;
        in.memo = memo;
        in.nullValueText = info_.nullValueText;
        exporter::writeLasTable(target, in, table);
    } else {
        const std::string& indexUnit = units_.depthUnit.empty() ? usedDepthUnit : units_.depthUnit;
        exporter::writeAsciiTable(
            target, exporter::AsciiExportInput{info_.asciiHeaderLine, indexUnit}, table);
    }
}

compute::FilterOutcome Workspace::applyDepthFilter(double lo, double hi) {
    const bool filtered = window_.filterActive;
    return moveWindow(filtered, compute::applyDepthFilter(source_, elastic_, window_, lo, hi));
}

compute::FilterOutcome Workspace::undoDepthFilter() {
    const bool filtered = window_.filterActive;
    return moveWindow(filtered, compute::undoDepthFilter(source_, elastic_, window_));
}

compute::FilterOutcome Workspace::moveWindow(bool wasFiltered, const compute::FilterOutcome& out) {
    if (!out.changed) return out;
    // A filter in force was undone on the way: the litholog may reach the last depth again.
    if (wasFiltered) lithologLimits_.bottomLimit = source_.floatColumn(kSourceDepthField).back();
    send(Change::DepthWindowChanged);
    return out;
}

void Workspace::emptyTable() {
    if (!loaded()) return;
    if (source_.isOpen()) source_.close();
    source_.setFiltered(false);
    removeSourceTable();
    if (elastic_.isOpen()) {
        elastic_.setFiltered(false);
        elastic_.emptyTable();
    } else if (elastic_.exists()) {
        elastic_.emptyTable();
    }
    window_.filterActive = false;
    if (litholog_.isOpen() && !litholog_.isEmpty()) {
        litholog_.emptyTable();
        for (int f = 0; f < 2; ++f) litholog_.field(f).minValue = window_.top;
    }
    sourceFieldCount_ = 0;
    roles_ = RoleLists{};
    flags_ = RoleFlags{};
    units_.depthFromFile = units_.densityFromFile = false;
    info_.headerLines.clear();
    info_.headerBytes.clear();
    info_.sourceFiles.clear();
    info_.merged = false;
    send(Change::Emptied);
}

void Workspace::exitCleanup() {
    auto quietly = [](auto&& fn) {
        try {
            fn();
        } catch (const std::exception&) {
            // Clean-up at exit goes on past a table that cannot be emptied.
        }
    };
    quietly([&] {
        if (elastic_.isOpen() && !elastic_.isEmpty()) elastic_.emptyTable();
    });
    quietly([&] {
        if (litholog_.isOpen() && !litholog_.isEmpty()) litholog_.emptyTable();
    });
    elastic_.close();
    litholog_.close();
    source_.close();
    removeSourceTable();
    if (source_.inMemory()) return;
    removeIfExists(folder_ / kLogsTableFile);
    for (int n = 150; n >= 1; --n)
        removeIfExists(folder_ / ("tempchart" + std::to_string(n) + ".tee"));
    removeIfExists(folder_ / "tempchart.tee");
    removeIfExists(folder_ / "temp.tmp");
}

}  // namespace lithora::workspace
