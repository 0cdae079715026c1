#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/curves.h"
#include "core/common/error.h"
#include "core/compute/depth_filter.h"
#include "core/compute/elastic.h"
#include "core/export/litholog.h"
#include "core/import/import_result.h"
#include "core/store/table.h"

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

// Units of the sonic and density curves for one computation.
struct ElasticUnits {
    compute::SonicUnit sonic;
    compute::DensityUnit density;
};

// The workspace of one well: the work tables in the program folder and what the program
// knows of the imported curves. One per running program (or per command-line run).
// Invariant: source field i (1 <= i < sourceFieldCount) holds the curve of catalog[i - 1].
class Workspace {
  public:
    explicit Workspace(std::filesystem::path programFolder);
    ~Workspace();

    const std::filesystem::path& programFolder() const { return folder_; }

    store::Table& source() { return source_; }
    store::Table& elastic() { return elastic_; }
    store::Table& litholog() { return litholog_; }
    const store::Table& source() const { return source_; }
    const store::Table& elastic() const { return elastic_; }
    const store::Table& litholog() const { return litholog_; }

    // Opens "ElasticTable.db" and "Litholog.db", creating them with their field
    // definitions when missing. Throws store::StoreError.
    void openShippedTables();

    // True while "Table.db" exists: a workspace is loaded and no second import may run.
    bool loaded() const;
    // Removes a stale "Table.db" left by a failed import (the desktop import does this
    // first); false when the file is still in use by a loaded workspace.
    bool clearStaleSource();

    // Takes a reader's result: creates "Table.db" ("Rec", the fields, hidden "Counting"),
    // fills it in one transaction, and sets the catalogue, roles, units and depth range.
    // Throws lithora::Error("Error reading file.") when the table cannot be made.
    void installImport(import::ImportResult&& result);

    Summary summary(char decimalSeparator = '.') const;

    // The units to compute with, from the unit tags; nullopt when a tag has no rule or was
    // not recognised in the file now loaded (a tag carried over from an earlier file is no
    // statement about this one, so the user is asked rather than the old tag trusted).
    std::optional<ElasticUnits> unitsFromTags() const;
    // The carried-over tags as a proposal for that question; nullopt when they have no rule.
    std::optional<ElasticUnits> proposedUnits() const;
    // Says that the units have no conversion rule, naming the unit texts the file gave for
    // the depth curve and for the chosen density curve.
    std::string unknownUnitsText(const std::string& densityCurve) const;

    // Fills the elastic table from the visible source records: one record per record.
    // density/pWave/sWave name source fields (sWave empty: Vs estimated with vs).
    // Sets the display labels of "Depth" and "Rho". Throws store::StoreError for a name
    // that is no field.
    void computeElastic(const std::string& density, const std::string& pWave,
                        const std::string& sWave, const ElasticUnits& units,
                        const compute::VsSettings& vs);

    // The visible records of the elastic table as columns.
    compute::ElasticColumns visibleElastic() const;

    // Save Table: LAS after a LAS import, ASCII otherwise. memo is the header memo as the
    // user sees it. Throws lithora::Error; the target is replaced only when complete.
    void saveTable(const std::filesystem::path& target, const std::vector<std::string>& memo);

    // The depth filter on both tables; bounds inclusive (see compute/depth_filter.h).
    compute::FilterOutcome applyDepthFilter(double lo, double hi);
    compute::FilterOutcome undoDepthFilter();
    compute::DepthView depthView() const;
    void setDepthView(const compute::DepthView& view);

    // Empty Table and the clean-up at exit.
    void emptyTable();
    void exitCleanup();

    // Workspace values (see the class comment for the invariant).
    int sourceFieldCount = 0;         // fields without "Counting"; 0 when empty
    std::vector<CurveEntry> catalog;  // catalogue entry i is catalog[i - 1]
    RoleLists roles;
    bool hasDensity = false, hasGammaRay = false, hasPWave = false, hasSWave = false;
    std::string depthUnit;             // "m", "ft", "ms", or an ASCII file's own text
    std::string densityUnit;           // "GC", "KM" or empty
    bool depthUnitFromFile = false;    // the loaded file set depthUnit
    bool densityUnitFromFile = false;  // the loaded file set densityUnit
    std::string densityLog, gammaRayLog, pWaveLog, sWaveLog;
    bool calcCancelled = false;
    compute::VsSettings vs;
    double shownTopDepth = 0, shownBottomDepth = 0;
    double nullValue = 0;
    std::string nullValueText;
    bool lasSource = false;
    std::string asciiHeaderLine;
    std::vector<std::string> headerLines;  // the imported LAS header, for the memo (UTF-8)
    std::vector<std::string> headerBytes;  // the same lines as the file has them, for the export
    bool filterActive = false;
    double lithologNextTop = 0, lithologBottomLimit = 0;

    int sourceTrackCount() const { return sourceFieldCount > 2 ? sourceFieldCount - 2 : 0; }

  private:
    std::filesystem::path folder_;
    store::Table source_;
    store::Table elastic_;
    store::Table litholog_;
    std::string computedDepthUnit_;  // "m" or "ft": what the last computation took
};

}  // namespace lithora::workspace
