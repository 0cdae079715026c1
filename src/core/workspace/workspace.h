#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/curves.h"
#include "core/common/error.h"
#include "core/compute/depth_filter.h"
#include "core/compute/elastic.h"
#include "core/export/litholog.h"
#include "core/import/import_result.h"
#include "core/rockphysics/lithology_vs.h"
#include "core/store/subscription.h"
#include "core/store/table.h"

namespace lithora::exporter {
class ElasticRows;
}

namespace lithora::workspace {

// File names of the work tables, in the program folder.
inline constexpr const char* kSourceTableFile = "Table.db";
inline constexpr const char* kElasticTableFile = "ElasticTable.db";
inline constexpr const char* kLithologTableFile = "Litholog.db";
inline constexpr const char* kLogsTableFile = "Logs_Table";

using exporter::kLithologyNames;  // the 60 names, in list order

// The import summary as the Table page shows it (number text with the given separator).
struct Summary {
    std::string records, tracks, start, stop, interval;
};

// Units of the sonic and density curves for one computation. Each sonic curve has its own
// slowness unit; sSonic is not used when Vs is estimated.
struct ElasticUnits {
    compute::SonicUnit pSonic;
    compute::SonicUnit sSonic;
    compute::DensityUnit density;
};

// Header values of the current import.
struct ImportInfo {
    bool lasSource = false;  // Save Table writes LAS when true, ASCII otherwise
    double nullValue = 0;
    std::string nullValueText;
    std::string asciiHeaderLine;           // the first line of an imported ASCII file
    std::vector<std::string> headerLines;  // the imported LAS header, for the memo (UTF-8)
    std::vector<std::string> headerBytes;  // the same lines as the file has them, for the export
    // The files the source table was read from; no save may replace them.
    std::vector<std::filesystem::path> sourceFiles;
    // The source table holds curves chosen from several files (File > Open 2), not one file
    // read whole.
    bool merged = false;
};

// The unit tags. They outlive an import that does not recognise its own units, so each
// remembers whether the file now loaded set it.
struct UnitTags {
    std::string depthUnit;    // "m", "ft", "ms", or an ASCII file's own text
    std::string densityUnit;  // "GC", "KM" or empty
    bool depthFromFile = false;
    bool densityFromFile = false;
};

// Which roles have a usable curve. Set by an import; the elastic computation only lowers them.
struct RoleFlags {
    bool density = false, gammaRay = false, pWave = false, sWave = false;
};

using lithora::DepthWindow;

// What changed in a workspace. Windows subscribe to these instead of being told by the
// command that made the change.
enum class Change {
    Imported,            // a file was read into the empty workspace
    Emptied,             // Empty Table: the workspace is empty again
    ElasticComputed,     // the elastic table holds a new computation
    DepthWindowChanged,  // a depth filter was applied or undone
    LithologChanged,     // an interval of the litholog was added, changed or removed
};

// Where the next litholog interval starts and the deepest bottom it may have.
struct LithologLimits {
    double nextTop = 0, bottomLimit = 0;
};

// Where the work tables live: files in the program folder, or memory only (a batch run that
// throws its tables away at the end).
enum class Storage { Files, Memory };

// The workspace of one well: the work tables and what the program knows of the imported
// curves. One per running program (or per command-line run). It holds state only; what a
// user chooses in a dialog is handed to the command that needs it.
// Invariant: source field i (1 <= i < sourceFieldCount()) holds the curve of catalog()[i - 1].
class Workspace {
  public:
    explicit Workspace(std::filesystem::path programFolder, Storage storage = Storage::Files);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const std::filesystem::path& programFolder() const { return folder_; }

    // Calls listener after every change of the kinds above, until the handle goes. A listener
    // that throws stops the command that made the change, which reports it as its error.
    [[nodiscard]] store::Subscription subscribe(std::function<void(Change)> listener);

    // Work that no file holds yet: an elastic computation not written by Save Table since it
    // was made, and a litholog changed since it was last saved to or opened from a file (the
    // intervals kept from an earlier run count too). Empty Table asks before such work goes.
    bool elasticUnsaved() const { return elasticUnsaved_; }
    bool lithologUnsaved() const { return lithologUnsaved_; }
    void markElasticSaved() { elasticUnsaved_ = false; }
    void markLithologSaved() { lithologUnsaved_ = false; }

    store::Table& source() { return source_; }
    store::Table& elastic() { return elastic_; }
    store::Table& litholog() { return litholog_; }
    const store::Table& source() const { return source_; }
    const store::Table& elastic() const { return elastic_; }
    const store::Table& litholog() const { return litholog_; }

    // Opens "ElasticTable.db" and "Litholog.db", creating them with their field
    // definitions when missing. What an unclean end of an earlier run left behind is
    // cleared first: a stale "Table.db" is removed and the elastic table, derived from it,
    // emptied; the intervals of "Litholog.db" are the user's and are kept. Throws
    // store::StoreError.
    void openShippedTables();

    // True while "Table.db" exists: a workspace is loaded and no second import may run.
    bool loaded() const;
    // Removes a stale "Table.db" left by a failed import (the desktop import does this
    // first); false when the file is still in use by a loaded workspace, or cannot be
    // removed: then why (when given) says so, naming the file and the system's reason
    // (empty while the table is in use, which is no fault).
    bool clearStaleSource(std::string* why = nullptr);

    // Takes a reader's result: creates "Table.db" ("Rec", the fields, hidden "Counting"),
    // fills it in one transaction, and sets the catalogue, roles, units and depth range.
    // Throws lithora::Error("Error reading file.") for a result that holds no table, and
    // lithora::Error naming the work table and the reason when its file cannot be made.
    void installImport(import::ImportResult&& result);
    // Records the files the loaded source table was read from (see ImportInfo).
    void setSourceFiles(std::vector<std::filesystem::path> files, bool merged = false) {
        info_.sourceFiles = std::move(files);
        info_.merged = merged;
    }

    Summary summary(char decimalSeparator = '.') const;

    // The values of the loaded workspace (see the class comment for the invariant).
    int sourceFieldCount() const { return sourceFieldCount_; }  // without "Counting"; 0 empty
    // The field of the source table that holds the depth of each record.
    static constexpr int sourceDepthField() { return kSourceDepthField; }
    // The display label of the depth field ("DEPT (M)"); empty while nothing is loaded.
    std::string depthLabel() const;
    int sourceTrackCount() const { return sourceFieldCount_ > 2 ? sourceFieldCount_ - 2 : 0; }
    const std::vector<CurveEntry>& catalog() const { return catalog_; }
    const RoleLists& roles() const { return roles_; }
    const RoleFlags& roleFlags() const { return flags_; }
    const UnitTags& unitTags() const { return units_; }
    const ImportInfo& importInfo() const { return info_; }
    const DepthWindow& depthWindow() const { return window_; }
    const LithologLimits& lithologLimits() const { return lithologLimits_; }
    void setLithologLimits(const LithologLimits& limits) { lithologLimits_ = limits; }

    // Lowers every flag whose role keep says is not available; never raises one.
    void lowerRoleFlags(const RoleFlags& keep);

    // The unit text the file gave for a source field, without its parentheses; empty for a
    // name that is no field or a curve without unit.
    std::string curveUnitText(const std::string& fieldName) const;

    // Fills the elastic table from the visible source records: one record per record.
    // density/pWave/sWave name source fields (sWave empty: Vs estimated with vs).
    // Sets the display labels of "Depth" and "Rho". Throws store::StoreError for a name
    // that is no field. With Vs by lithology, litholog holds the intervals that decide it.
    void computeElastic(const std::string& density, const std::string& pWave,
                        const std::string& sWave, const ElasticUnits& units,
                        const compute::VsSettings& vs,
                        std::span<const rockphysics::LithologyInterval> litholog = {});
    // Vp, Vs and rho of the visible source records as computeElastic makes them with the same
    // arguments, before rounding (the rock that fluid substitution and AVO start from).
    compute::RockColumns rockColumns(
        const std::string& density, const std::string& pWave, const std::string& sWave,
        const ElasticUnits& units, const compute::VsSettings& vs,
        std::span<const rockphysics::LithologyInterval> litholog = {}) const;
    // How many rows of the last computation took each lithology's Vs line and the fallback.
    const rockphysics::LithologyVsCounts& lithologyVsCounts() const { return lithologyVsCounts_; }

    // The visible records of the elastic table as columns.
    compute::ElasticColumns visibleElastic() const;

    // Save Table: LAS after a LAS import, ASCII otherwise. memo is the header memo as the
    // user sees it. Throws lithora::Error; the target is replaced only when complete.
    void saveTable(const std::filesystem::path& target, const std::vector<std::string>& memo);
    // Writes what computeElastic followed by saveTable would write, computing the elastic
    // rows a block at a time as the writer goes: the elastic table is left as it was and the
    // computed table is never held whole. Writes nothing when no source record is visible.
    // Returns what Vs by lithology took.
    rockphysics::LithologyVsCounts saveComputedTable(
        const std::filesystem::path& target, const std::vector<std::string>& memo,
        const std::string& density, const std::string& pWave, const std::string& sWave,
        const ElasticUnits& units, const compute::VsSettings& vs,
        std::span<const rockphysics::LithologyInterval> litholog = {}) const;

    // The depth filter on both tables; bounds inclusive (see compute/depth_filter.h).
    compute::FilterOutcome applyDepthFilter(double lo, double hi);
    compute::FilterOutcome undoDepthFilter();

    // Empty Table and the clean-up at exit.
    void emptyTable();
    void exitCleanup();

  private:
    void writeTable(const std::filesystem::path& target, const std::vector<std::string>& memo,
                    const exporter::ElasticRows& table, const std::string& computedDepthUnit) const;
    std::error_code removeSourceTable();
    void send(Change change) {
        if (change == Change::ElasticComputed) elasticUnsaved_ = true;
        if (change == Change::LithologChanged) lithologUnsaved_ = true;
        if (change == Change::Emptied || change == Change::Imported) elasticUnsaved_ = false;
        if (change == Change::Emptied) lithologUnsaved_ = false;
        changes_->send(change);
    }
    // The shown window and the litholog's limits after a filter or its undo.
    compute::FilterOutcome moveWindow(bool wasFiltered, const compute::FilterOutcome& out);

    std::filesystem::path folder_;
    store::Table source_;
    store::Table elastic_;
    store::Table litholog_;
    std::string computedDepthUnit_;  // "m" or "ft": what the last computation took

    int sourceFieldCount_ = 0;
    std::vector<CurveEntry> catalog_;  // catalogue entry i is catalog_[i - 1]
    RoleLists roles_;
    RoleFlags flags_;
    UnitTags units_;
    ImportInfo info_;
    DepthWindow window_;
    LithologLimits lithologLimits_;
    rockphysics::LithologyVsCounts lithologyVsCounts_;
    bool elasticUnsaved_ = false, lithologUnsaved_ = false;
    std::shared_ptr<store::Listeners<Change>> changes_ =
        std::make_shared<store::Listeners<Change>>();
    store::Subscription lithologEdits_;  // the litholog table's own events, passed on
};

}  // namespace lithora::workspace
