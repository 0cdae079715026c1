#include "core/export/table_writer.h"

#include <cctype>
#include <cmath>
#include <span>
#include <string_view>

#include "core/common/error.h"
#include "core/common/file_writer.h"
#include "core/common/las_section.h"
#include "core/common/number_text.h"
#include "core/common/text.h"
#include "core/export/las_curves_writer.h"

namespace lithora::exporter {

namespace {

using compute::ElasticColumns;
using compute::ElasticField;

// The text of a whole file, for the text forms; a FileWriter takes its place when writing.
class TextOutput {
  public:
    void line(std::string_view text) {
        text_.append(text);
        text_.append("\r\n");
    }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

// Rows over columns held in memory.
class ColumnRows final : public ElasticRows {
  public:
    explicit ColumnRows(const ElasticColumns& table) : table_(table) {}
    std::size_t rowCount() const override { return table_.rowCount(); }
    double value(std::size_t row, ElasticField field) const override {
        return table_.columns[field][row];
    }

  private:
    const ElasticColumns& table_;
};

// Copied header lines keep their bytes; only a line end the memo may still carry is dropped,
// since every written line gets its own CR LF.
std::string_view withoutLineEnd(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
    return s;
}

// "NULL" beginning at the first or the second character.
bool isNullLine(std::string_view s) {
    return s.starts_with("NULL") || (s.size() > 1 && s.substr(1).starts_with("NULL"));
}

// Null cells need a token a reader can split on; an import without a null value text leaves
// nothing to write, so the common LAS null value stands in.
std::string nullTextFor(const LasExportInput& in) {
    std::string t = trim(in.nullValueText);
    return t.empty() ? std::string("-999.25") : t;
}

// Right-aligns text in width characters; a longer text is written whole.
void appendAligned(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out.append(text);
}

// A LAS data value: right-aligned in 12 characters, and a value that fills the 12 characters
// or more gets one blank before it, so it never runs into the value before it.
void appendLasValue(std::string& out, std::string_view text) {
    constexpr std::size_t kWidth = 12;
    if (text.size() >= kWidth) out += ' ';
    appendAligned(out, text, kWidth);
}

// An ASCII header line the reader takes: it names the first column after "Column 1 : ".
bool namesFirstColumn(std::string_view line) {
    constexpr std::string_view kFirst = "Column 1 : ";
    const auto at = line.find(kFirst);
    return at != std::string_view::npos && !trim(line.substr(at + kFirst.size())).empty();
}

void checkColumns(const ElasticColumns& table, std::span<const ElasticField> fields) {
    for (ElasticField f : fields)
        if (table.columns[f].size() != table.rowCount())
            throw Error("The elastic table is incomplete.");
}

constexpr ElasticField kLasColumns[] = {
    compute::kDepth,        compute::kPoissonRatio, compute::kLameConstant, compute::kBulkModulus,
    compute::kShearModulus, compute::kYoungModulus, compute::kPImpedance,   compute::kSImpedance,
    compute::kLandaMiu,     compute::kVpVs,         compute::kLandaRho,     compute::kMiuRho};

constexpr ElasticField kAsciiColumns[] = {
    compute::kDepth,        compute::kPoissonRatio, compute::kLameConstant, compute::kBulkModulus,
    compute::kShearModulus, compute::kYoungModulus, compute::kPImpedance,   compute::kSImpedance,
    compute::kLandaMiu,     compute::kVpVs};

const std::string kOtherRule = "#" + std::string(91, '-');

// Where the copied parts of the header memo lie.
struct MemoParts {
    bool hasNull = false;
    std::size_t wellBegin = 0, wellEnd = 0;    // lines written after the STEP line
    std::size_t paramBegin = 0, paramEnd = 0;  // lines written after the curve lines
};

// The well lines run from the first NULL line (searched from the second memo line on) up to
// the "~C" line. The further header lines are the sections after the curve section up to the
// "~O" or "~A" line. A memo the user has edited may lack either line:
// - no "~C" line after the NULL line: the well lines end at the next section title, and the
//   further header lines start at that title;
// - no NULL line: no well lines are copied (the writer makes a NULL line of its own).
// A section title "~A" always ends a copy, so no data title is written into the header.
// Section titles are told as the reader tells them, so a LAS 3.0 memo ("~Log_Definition",
// "~Log_Data") is located like a LAS 2.0 one once its other data sets are left out (below).
MemoParts locateMemoParts(const std::vector<std::string>& memo) {
    MemoParts parts;
    const std::size_t n = memo.size();
    auto line = [&](std::size_t i) { return withoutLineEnd(memo[i]); };

    std::size_t from = 1;  // where the search for the "~C" line starts
    std::size_t curveTitle = n;
    std::size_t i = 1;
    while (i < n && !isNullLine(line(i))) ++i;
    if (i < n) {
        parts.hasNull = true;
        parts.wellBegin = i;
        from = i + 1;
    }
    for (std::size_t j = from; j < n; ++j) {
        if (lasSectionOf(line(j)) == LasSection::Curve) {
            curveTitle = j;
            break;
        }
        if (lasSectionOf(line(j)) == LasSection::Data) break;
    }

    std::size_t firstOther = n;  // first section title searched for the further lines
    if (curveTitle < n) {
        parts.wellEnd = curveTitle;
        for (firstOther = curveTitle + 1; firstOther < n; ++firstOther)
            if (isLasSection(line(firstOther), "~")) break;
    } else if (parts.hasNull) {
        std::size_t j = from;
        while (j < n && !isLasSection(line(j), "~")) ++j;
        parts.wellEnd = j;
        firstOther = j;
    }
    if (!parts.hasNull) parts.wellBegin = parts.wellEnd = 0;

    parts.paramBegin = parts.paramEnd = firstOther;
    while (parts.paramEnd < n && lasSectionOf(line(parts.paramEnd)) != LasSection::Other &&
           lasSectionOf(line(parts.paramEnd)) != LasSection::Data)
        ++parts.paramEnd;
    return parts;
}

// The memo as a LAS 2.0 header may copy it: the sections of LAS 3.0 data sets other than the
// log data (core, tops, ...; definitions and data lines that a LAS 2.0 reader would take for
// curves) are left out, and the log data set's parameter title becomes a LAS 2.0 one.
std::vector<std::string> las2Memo(const std::vector<std::string>& memo) {
    std::vector<std::string> out;
    out.reserve(memo.size());
    bool otherDataSet = false;
    for (const auto& line : memo) {
        const LasSection section = lasSectionOf(withoutLineEnd(line));
        if (section != LasSection::None) otherDataSet = section == LasSection::OtherDataSet;
        if (otherDataSet) continue;
        if (section == LasSection::Parameter && !lasDataSetName(line).empty()) {
            out.emplace_back("~PARAMETER INFORMATION");
        } else {
            out.push_back(line);
        }
    }
    return out;
}

template <class Out>
void writeLas(Out& out, const LasExportInput& in, const ElasticRows& rows) {
    const std::size_t rowCount = rows.rowCount();
    const std::string unit = depthUnitLetter(in.depthUnit);
    const std::string nullText = nullTextFor(in);
    const std::vector<std::string> memo = las2Memo(in.memo);
    const MemoParts parts = locateMemoParts(memo);
    auto depthText = [&](const std::string& given, std::size_t row) {
        if (!given.empty() || rowCount == 0) return given;
        const double d = rows.value(row, compute::kDepth);
        return std::isnan(d) ? std::string() : numberText(d, '.');
    };
    // The value column of the well lines and the colon of the curve lines stay in place
    // whatever the unit's length.
    auto padded = [&](std::string_view head, std::size_t width) {
        std::string s(head);
        s += unit;
        if (s.size() < width) s.append(width - s.size(), ' ');
        return s;
    };

    out.line("~VERSION INFORMATION");
    out.line(" VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0");
    out.line(" WRAP.                  NO:   ONE LINE PER DEPTH STEP");
    out.line("~WELL INFORMATION BLOCK");
    out.line("#MNEM.UNIT      DATA             DESCRIPTION");
    out.line("#---- ------ --------------   -----------------------------");
    out.line(padded(" STRT.", 17) + depthText(in.startText, 0) + ":    START DEPTH");
    out.line(padded(" STOP.", 17) + depthText(in.stopText, rowCount - 1) + ":    STOP DEPTH");
    out.line(padded(" STEP.", 20) + in.stepText + ":    STEP VALUE");
    if (parts.hasNull) {
        for (std::size_t i = parts.wellBegin; i < parts.wellEnd; ++i)
            out.line(withoutLineEnd(memo[i]));
    } else {
        out.line(" NULL.            " + nullText + ":    NULL VALUE");
    }

    out.line("~CURVE INFORMATION");
    out.line("#MNEM.UNIT      API CODE      CURVE DESCRIPTION");
    out.line("#---------    -------------   ------------------------------");
    out.line(padded(" DEPT .", 32) + ":  1  DEPTH");
    out.line(" PR   .                         :  2  POISSON RATIO ( DIMENSIONLESS )");
    out.line(" LC   .GP                       :  3  LAME CONSTANT ( G PASCAL )");
    out.line(" BM   .GP                       :  4  BULK MODULUS ( G PASCAL )");
    out.line(" SM   .GP                       :  5  SHEAR MODULUS ( G PASCAL )");
    out.line(" YM   .GP                       :  6  YOUNG MODULUS ( G PASCAL )");
    out.line(" PI   .MG/SM2                   :  7  P-IMPEDANCE( KM/S.KG/M3 )");
    out.line(" SI   .MG/SM2                   :  8  S-IMPEDANCE( KM/S.KG/M3 )");
    out.line(" L/M  .                         :  9  LAME CONSTANT/SHEAR MODULUS ( DIMENSIONLESS )");
    out.line(" VP/VS.                         :  10 VP/VS ( DIMENSIONLESS )");
    out.line(" LR   .GPKG/M3                  :  11 LAME CONSTANT.DENSITY ( G PASCAL.KG/M3 )");
    out.line(" MR   .GPKG/M3                  :  12 SHEAR MODULUS.DENSITY ( G PASCAL.KG/M3 )");
    for (std::size_t i = parts.paramBegin; i < parts.paramEnd; ++i)
        out.line(withoutLineEnd(memo[i]));

    out.line("~OTHER INFIORMATION");
    out.line(kOtherRule);
    out.line("");
    out.line(kOtherRule);
    out.line(
        "~A     DEPTH          PR          LC          BM          SM          YM          PI"
        "          SI         L/M       VP/VS          LR          MR");

    std::string row, cell;
    for (std::size_t r = 0; r < rowCount; ++r) {
        row.clear();
        for (ElasticField f : kLasColumns) {
            const double v = rows.value(r, f);
            cell.clear();
            if (std::isnan(v))
                cell = nullText;
            else
                appendNumberText(cell, v);
            appendLasValue(row, cell);
        }
        out.line(row);
    }
}

template <class Out>
void writeAscii(Out& out, const AsciiExportInput& in, const ElasticRows& rows) {
    const std::string_view header = withoutLineEnd(in.headerLine);
    if (namesFirstColumn(header))
        out.line(header);
    else
        out.line(trim("Column 1 : Depth " + in.depthUnit));
    out.line("Column 2 : Poisson Ratio (Poisson Ratio) - Units : ");
    // The moduli are stored in GPa and the impedances in Mg/(s.m2); the header says so.
    out.line("Column 3 : Lame Constant (Lame Constant) - Units : GPa");
    out.line("Column 4 : Bulk Modulus (Bulk Modulus) - Units : GPa");
    out.line("Column 5 : Shear Modulus (Shear Modulus) - Units : GPa");
    out.line("Column 6 : Young Modulus (Young Modulus) - Units : GPa");
    out.line("Column 7 : P-Impedance (P-Impedance) - Units : Mg/sm2");
    out.line("Column 8 : S-Impedance (S-Impedance) - Units : Mg/sm2");
    out.line("Column 9 : Lambda/Miu (Lambda/Miu) - Units : ");
    out.line("Column 10 : P-wave/S-wave (P-wave/S-wave) - Units : ");

    std::string row, cell;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        row.clear();
        for (std::size_t c = 0; c < std::size(kAsciiColumns); ++c) {
            if (c > 0) row += '\t';
            const double v = rows.value(r, kAsciiColumns[c]);
            if (std::isnan(v)) {
                row += " -999.0000";
            } else {
                cell.clear();
                appendNumberText(cell, v);
                appendAligned(row, cell, 10);
            }
        }
        out.line(row);
    }
}

}  // namespace

std::string lasTableText(const LasExportInput& in, const compute::ElasticColumns& table) {
    checkColumns(table, kLasColumns);
    TextOutput out;
    writeLas(out, in, ColumnRows(table));
    return out.take();
}

std::string asciiTableText(const AsciiExportInput& in, const compute::ElasticColumns& table) {
    checkColumns(table, kAsciiColumns);
    TextOutput out;
    writeAscii(out, in, ColumnRows(table));
    return out.take();
}

void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const ElasticRows& rows) {
    FileWriter out(target);
    writeLas(out, in, rows);
    out.commit();
}

void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const ElasticRows& rows) {
    FileWriter out(target);
    writeAscii(out, in, rows);
    out.commit();
}

void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const compute::ElasticColumns& table) {
    checkColumns(table, kLasColumns);
    writeLasTable(target, in, ColumnRows(table));
}

void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const compute::ElasticColumns& table) {
    checkColumns(table, kAsciiColumns);
    writeAsciiTable(target, in, ColumnRows(table));
}

}  // namespace lithora::exporter
