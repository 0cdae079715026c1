#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "core/compute/elastic.h"

namespace lithora::exporter {

// What Save Table writes after a LAS import.
struct LasExportInput {
    // The depth unit the computation used: "m", "ft" or "ms" (either case) give the unit "M",
    // "F" or "MS" of the STRT, STOP, STEP and DEPT lines; any other text gives them no unit.
    // The four lines are always written, since every data line begins with the depth.
    std::string depthUnit;
    // Depths of the first and last (visible) source records as number text; when empty, the
    // first and last written depths stand in.
    std::string startText;
    std::string stopText;
    std::string stepText;           // the "Interval" box of the Table page
    std::vector<std::string> memo;  // header memo lines (imported file, line 0 .. "~A")
    std::string nullValueText;
};

// What Save Table writes after an ASCII import.
struct AsciiExportInput {
    // First line of the imported ASCII file. A line the ASCII reader would refuse (it names
    // no first column) is replaced by "Column 1 : Depth" and depthUnit.
    std::string headerLine;
    std::string depthUnit;
};

// The records Save Table writes, read value by value as the lines are written, so writing
// needs no copy of the table and no text of the whole file.
class ElasticRows {
  public:
    virtual ~ElasticRows() = default;
    virtual std::size_t rowCount() const = 0;
    // The value of field in row (0 <= row < rowCount()); NaN for a null.
    virtual double value(std::size_t row, compute::ElasticField field) const = 0;
};

// Both writers write to a temporary file beside target and rename it over target when
// complete (lithora::FileWriter); on failure target is untouched and lithora::Error carries
// the message. Lines end with CR LF; numbers use '.'. Memory use does not grow with the
// table: lines go out through a buffer of fixed size.
void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const ElasticRows& rows);
void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const ElasticRows& rows);
// Same from columns in memory; a column shorter than the depth column is refused.
void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const compute::ElasticColumns& table);
void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const compute::ElasticColumns& table);

// The single formats as text, for tests.
std::string lasTableText(const LasExportInput& in, const compute::ElasticColumns& table);
std::string asciiTableText(const AsciiExportInput& in, const compute::ElasticColumns& table);

}  // namespace lithora::exporter
