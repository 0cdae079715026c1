#include "core/export/table_writer.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>
#include <string_view>
#include <system_error>

#include "core/common/error.h"
#include "core/common/number_text.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define LITHORA_HAVE_FSYNC 1
#endif

namespace lithora::exporter {

namespace {

using compute::ElasticColumns;
using compute::ElasticField;

// Thrown by Output when the file refuses the text; err is the errno of the failure.
struct WriteFailed {
    int err;
};

// The text goes to a string, and (when writing a file) on to the file in large pieces, so a
// big table never needs its whole text in memory twice.
class Output {
  public:
    explicit Output(std::FILE* file = nullptr) : file_(file) {}

    void line(std::string_view text) {
        buf_.append(text);
        buf_.append("\r\n");
        if (file_ && buf_.size() >= kChunk) flush();
    }
    std::string& buffer() { return buf_; }

    // Hands what is buffered to the file; throws WriteFailed.
    void flush() {
        if (!file_ || buf_.empty()) return;
        errno = 0;
        if (std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size())
            throw WriteFailed{errno};
        buf_.clear();
    }

  private:
    static constexpr std::size_t kChunk = 1 << 20;
    std::FILE* file_;
    std::string buf_;
};

// Copied header lines keep their bytes; only a line end the memo may still carry is dropped,
// since every written line gets its own CR LF.
std::string_view withoutLineEnd(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
    return s;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// "NULL" beginning at the first or the second character.
bool isNullLine(std::string_view s) {
    return startsWith(s, "NULL") || (s.size() > 1 && startsWith(s.substr(1), "NULL"));
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
        if (startsWith(line(j), "~C")) {
            curveTitle = j;
            break;
        }
        if (startsWith(line(j), "~A")) break;
    }

    std::size_t firstOther = n;  // first section title searched for the further lines
    if (curveTitle < n) {
        parts.wellEnd = curveTitle;
        for (firstOther = curveTitle + 1; firstOther < n; ++firstOther)
            if (startsWith(line(firstOther), "~")) break;
    } else if (parts.hasNull) {
        std::size_t j = from;
        while (j < n && !startsWith(line(j), "~")) ++j;
        parts.wellEnd = j;
        firstOther = j;
    }
    if (!parts.hasNull) parts.wellBegin = parts.wellEnd = 0;

    parts.paramBegin = parts.paramEnd = firstOther;
    while (parts.paramEnd < n && !startsWith(line(parts.paramEnd), "~O") &&
           !startsWith(line(parts.paramEnd), "~A"))
        ++parts.paramEnd;
    return parts;
}

void writeLas(Output& out, const LasExportInput& in, const ElasticColumns& table) {
    checkColumns(table, kLasColumns);
    const bool metres = in.depthUnit == "m";
    const bool feet = in.depthUnit == "ft";
    const char* unit = metres ? "M" : "F";
    const std::string nullText = nullTextFor(in);
    const MemoParts parts = locateMemoParts(in.memo);

    out.line("~VERSION INFORMATION");
    out.line(" VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0");
    out.line(" WRAP.                  NO:   ONE LINE PER DEPTH STEP");
    out.line("~WELL INFORMATION BLOCK");
    out.line("#MNEM.UNIT      DATA             DESCRIPTION");
    out.line("#---- ------ --------------   -----------------------------");
    if (metres || feet) {
        out.line(std::string(" STRT.") + unit + "          " + in.startText + ":    START DEPTH");
        out.line(std::string(" STOP.") + unit + "          " + in.stopText + ":    STOP DEPTH");
        out.line(std::string(" STEP.") + unit + "             " + in.stepText + ":    STEP VALUE");
    }
    if (parts.hasNull) {
        for (std::size_t i = parts.wellBegin; i < parts.wellEnd; ++i)
            out.line(withoutLineEnd(in.memo[i]));
    } else {
        out.line(" NULL.            " + nullText + ":    NULL VALUE");
    }

    out.line("~CURVE INFORMATION");
    out.line("#MNEM.UNIT      API CODE      CURVE DESCRIPTION");
    out.line("#---------    -------------   ------------------------------");
    if (metres || feet)
        out.line(std::string(" DEPT .") + unit + "                        :  1  DEPTH");
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
        out.line(withoutLineEnd(in.memo[i]));

    out.line("~OTHER INFIORMATION");
    out.line(kOtherRule);
    out.line("");
    out.line(kOtherRule);
    out.line(
        "~A     DEPTH          PR          LC          BM          SM          YM          PI"
        "          SI         L/M       VP/VS          LR          MR");

    std::string row;
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        row.clear();
        for (ElasticField f : kLasColumns) {
            const double v = table.columns[f][r];
            appendAligned(row, std::isnan(v) ? nullText : numberText(v, '.'), 12);
        }
        out.line(row);
    }
}

void writeAscii(Output& out, const AsciiExportInput& in, const ElasticColumns& table) {
    checkColumns(table, kAsciiColumns);
    out.line(withoutLineEnd(in.headerLine));
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

    std::string row;
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        row.clear();
        for (std::size_t c = 0; c < std::size(kAsciiColumns); ++c) {
            if (c > 0) row += '\t';
            const double v = table.columns[kAsciiColumns[c]][r];
            if (std::isnan(v))
                row += " -999.0000";
            else
                appendAligned(row, numberText(v, '.'), 10);
        }
        out.line(row);
    }
}

[[noreturn]] void fail(const std::filesystem::path& target, const std::string& reason) {
    throw Error("Cannot write file " + target.string() + ": " + reason + ".");
}

std::string errnoText(int err) {
    return err != 0 ? std::string(std::strerror(err)) : std::string("write error");
}

// A name in the target's folder that no file has yet.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, ".lithora-%016llx.tmp",
                      static_cast<unsigned long long>(gen()));
        std::filesystem::path p = folder / name;
        std::error_code ec;
        if (!std::filesystem::exists(p, ec) && !ec) return p;
    }
    fail(target, "no temporary file name is free");
}

// Writes the text made by produce() to a temporary file beside target and renames it over
// target when complete. On any failure the temporary file is removed, target is left as it
// was, and lithora::Error names the file.
template <class Produce>
void writeReplacing(const std::filesystem::path& target, Produce produce) {
    if (target.empty() || !target.has_filename()) fail(target, "no file name");
    const std::filesystem::path temp = temporaryBeside(target);

    errno = 0;
    std::FILE* file = std::fopen(temp.string().c_str(), "wb");
    if (!file) fail(target, errnoText(errno));

    auto discard = [&] {
        if (file) std::fclose(file);
        file = nullptr;
        std::error_code ec;
        std::filesystem::remove(temp, ec);
    };
    try {
        Output out(file);
        produce(out);
        out.flush();
        errno = 0;
        if (std::fflush(file) != 0) throw WriteFailed{errno};
#ifdef LITHORA_HAVE_FSYNC
        errno = 0;
        if (::fsync(fileno(file)) != 0) throw WriteFailed{errno};
#endif
        errno = 0;
        const int closed = std::fclose(file);
        file = nullptr;
        if (closed != 0) throw WriteFailed{errno};
    } catch (const WriteFailed& e) {
        discard();
        fail(target, errnoText(e.err));
    } catch (...) {
        discard();
        throw;
    }

    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        discard();
        fail(target, ec.message());
    }
}

}  // namespace

std::string lasTableText(const LasExportInput& in, const compute::ElasticColumns& table) {
    Output out;
    writeLas(out, in, table);
    return std::move(out.buffer());
}

std::string asciiTableText(const AsciiExportInput& in, const compute::ElasticColumns& table) {
    Output out;
    writeAscii(out, in, table);
    return std::move(out.buffer());
}

void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const compute::ElasticColumns& table) {
    writeReplacing(target, [&](Output& out) { writeLas(out, in, table); });
}

void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const compute::ElasticColumns& table) {
    writeReplacing(target, [&](Output& out) { writeAscii(out, in, table); });
}

}  // namespace lithora::exporter
