#include "core/import/las_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <new>
#include <optional>
#include <string>

#include "core/common/error.h"
#include "core/common/las_section.h"
#include "core/common/number_text.h"
#include "core/common/text.h"
#include "core/import/import_text.h"
#include "core/import/recognition.h"

namespace lithora::import {

namespace {

using detail::failRead;

constexpr double kNull = kNullSample;
// Data is parsed in slices of this size so progress is reported while a large section is read.
constexpr std::size_t kSlice = 4u << 20;
// After this much data the row count of the whole section is estimated and room reserved.
constexpr std::size_t kFirstSlice = 256u << 10;
// The header is gathered in pieces of this size.
constexpr std::size_t kHeaderPiece = 64u << 10;
// The text before the data section is held while it is read; a file that has not reached its
// "~A" line within this much (a file without line ends, a binary file) is no well log.
constexpr std::size_t kMaxHeader = 16u << 20;
// The first bytes that tell a file's encoding (the most Utf16Decoder::start looks at).
constexpr std::size_t kEncodingLook = 256;
// A file is read in pieces of this size.
constexpr std::size_t kReadChunk = 4u << 20;

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of a data token, a plain decimal such as "-1670.1250" with at most 19
// digits: when its digits form an integer up to 2^53 and it has at most 22 decimals, the
// integer divided by the exact power of ten is the correctly rounded value, the same double
// from_chars gives. Anything else (exponents, long mantissas, words) is left to the caller.
// Whether c ends a number: a blank or control character, or a comma on a line whose values
// are separated by commas.
inline bool endsToken(char c, bool commas) {
    return static_cast<unsigned char>(c) <= 32 || (commas && c == ',');
}

inline bool plainDecimal(const char*& p, const char* end, bool commas, double& out) {
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (negative) ++q;
    std::uint64_t m = 0;
    int digits = 0;
    int decimals = 0;
    while (q < end && static_cast<unsigned>(*q - '0') < 10) {
        m = m * 10 + static_cast<unsigned>(*q - '0');
        ++q;
        ++digits;
    }
    if (q < end && *q == '.') {
        ++q;
        while (q < end && static_cast<unsigned>(*q - '0') < 10) {
            m = m * 10 + static_cast<unsigned>(*q - '0');
            ++q;
            ++digits;
            ++decimals;
        }
    }
    if (digits == 0 || digits > 19 || decimals > 22 || m > (std::uint64_t{1} << 53)) return false;
    if (q != end && !endsToken(*q, commas)) return false;
    double v = static_cast<double>(m) / kPow10[decimals];
    out = negative ? -v : v;
    p = q;
    return true;
}

// The null value text of a NULL line: between the line's first "." and its first ":".
std::optional<std::string> nullTextOfNullLine(std::string_view line) {
    auto dot = line.find('.');
    auto colon = line.find(':');
    if (dot == std::string_view::npos || colon == std::string_view::npos || colon < dot)
        return std::nullopt;
    return trim(line.substr(dot + 1, colon - dot - 1));
}

// The value of a LAS 2.0 item: after the unit that follows the first ".", up to the first
// ":" (or the end of the line).
std::string itemValueText(std::string_view line) {
    auto dot = line.find('.');
    if (dot == std::string_view::npos) return {};
    std::size_t i = dot + 1;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ':') ++i;
    auto colon = line.find(':', i);
    if (colon == std::string_view::npos) colon = line.size();
    return trim(line.substr(i, colon - i));
}

// The unit field of a LAS item: from just after the first "." up to the first blank, tab or
// ":".
std::string itemUnitText(std::string_view line) {
    auto dot = line.find('.');
    if (dot == std::string_view::npos) return {};
    std::size_t i = dot + 1;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ':') ++i;
    return std::string(line.substr(dot + 1, i - dot - 1));
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool blankChar(char c) {
    return c == ' ' || c == '\t';
}

// A data line whose values are separated by commas: it holds a comma, and every blank inside
// it stands beside a comma ("1.5,2.5" or "1.5, 2.5"), so no blank separates two values. A
// comma among blank-separated values ("123,45" as a decimal comma) is part of its token.
bool commaSeparatedLine(const char* p, const char* end) {
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
    while (lineEnd > p && blankChar(lineEnd[-1])) --lineEnd;
    while (p < lineEnd && blankChar(*p)) ++p;
    bool comma = false;
    for (const char* q = p; q < lineEnd;) {
        if (*q == ',') {
            comma = true;
            ++q;
            continue;
        }
        if (!blankChar(*q)) {
            ++q;
            continue;
        }
        const char* runStart = q;
        while (q < lineEnd && blankChar(*q)) ++q;
        if (runStart[-1] != ',' && *q != ',') return false;  // start and end lie inside the line
    }
    return comma;
}

}  // namespace

class LasStream::Impl {
  public:
    Impl(std::uint64_t totalBytes, Progress progress, std::string fileName)
        : total_(totalBytes),
          callback_(std::move(progress)),
          progress_(callback_, totalBytes),
          fileName_(std::move(fileName)) {}

    // Raw bytes of the file, in order, in chunks of any size.
    void feed(std::string_view bytes) {
        if (!started_) {
            // The first bytes tell whether the file is UTF-16 or starts with a UTF-8 mark; they
            // are gathered first, so a file read in small pieces is told as the whole is.
            if (first_.size() + bytes.size() < kEncodingLook) {
                first_.append(bytes);
                return;
            }
            if (!first_.empty()) {
                std::string head;
                head.swap(first_);
                head.append(bytes);
                begin(head);
                return;
            }
            begin(bytes);
            return;
        }
        feedDecoded(bytes);
    }

    void stopAfterHeader() { headerOnly_ = true; }
    void readOnly(CurveChoice choose) { choose_ = std::move(choose); }
    bool headerDone() const { return stage_ != Stage::Header; }

    ImportResult finish() {
        if (!started_) {
            std::string head;
            head.swap(first_);
            begin(head);
        }
        if (stage_ == Stage::Header) headerText({}, true);
        if (stage_ == Stage::Header) {
            failIfBinary();
            if (curveState_ == CurveState::BeforeSection && !otherDataSets_.empty())
                failRead(
                    "it holds no log data (no \"~Log_Definition\" or \"~Curve\" section), "
                    "only the data sets " +
                    joined(otherDataSets_));
            failRead(curveState_ == CurveState::BeforeSection
                         ? "it has no curve section (no line that begins with \"~C\")"
                         : "it has no data section (no \"~A\" line after the curve section)");
        }
        if (headerOnly_) {
            r_.lasSource = true;
            return std::move(r_);
        }
        if (stage_ == Stage::Data) {
            std::string rest;
            rest.swap(carry_);
            parseData(rest);
        }
        return takeResult();
    }

  private:
    // Trailer: sections after the data section (LAS 3.0 data sets after the log data), kept
    // as header text.
    enum class Stage { Header, Data, Trailer, Done };
    enum class CurveState { BeforeSection, InSection, AfterSection };

    void begin(std::string_view bytes) {
        started_ = true;
        if (!utf16_.start(bytes) && bytes.starts_with(kUtf8Mark))
            bytes.remove_prefix(kUtf8Mark.size());
        feedDecoded(bytes);
    }

    void feedDecoded(std::string_view bytes) {
        if (utf16_.active()) {
            decoded_.clear();
            utf16_.decode(bytes, decoded_);
            textScale_ = 2;
            feedText(decoded_);
        } else {
            feedText(bytes);
        }
    }

    void feedText(std::string_view text) {
        if (stage_ == Stage::Header) {
            headerText(text, false);
        } else {
            dataText(text, false);
        }
    }

    // ---- header ---------------------------------------------------------------------

    // The header is gathered in small pieces, so that text after the "~A" line goes to the
    // data section without being copied.
    void headerText(std::string_view text, bool final) {
        do {
            std::string_view piece = text.substr(0, kHeaderPiece);
            text.remove_prefix(piece.size());
            headerPiece(piece, final && text.empty());
        } while (stage_ == Stage::Header && !text.empty());
        if (stage_ != Stage::Header) {
            startData(text, final);
        } else {
            progress_.report(header_.size() * textScale_);
        }
    }

    void headerPiece(std::string_view piece, bool final) {
        // A piece without any line end cannot finish a line (unless the text so far ends in
        // a CR that waits for its LF), so a huge text without line ends is not rescanned.
        bool crPending = !header_.empty() && header_.back() == '\r';
        header_.append(piece);
        if (!final && !crPending && piece.find_first_of("\r\n") == std::string_view::npos) {
            boundHeader();
            return;
        }
        std::string_view buf = header_;
        std::string_view line;
        while (stage_ == Stage::Header && detail::nextLine(buf, scan_, line, final)) {
            headerLine(line);
            ++lineIndex_;
        }
        if (stage_ == Stage::Header) boundHeader();
    }

    void boundHeader() const {
        if (header_.size() > kMaxHeader) {
            failIfBinary();
            if (header_.find('\0', scan_) != std::string::npos)
                detail::failReadAt(lineIndex_ + 1, kBinary);
            failRead("its header runs on for more than " + std::to_string(kMaxHeader >> 20) +
                     " MiB without a data section");
        }
    }

    static constexpr const char* kBinary = "it is not text: the file holds binary data";

    // A file refused for its header's shape is named binary when its header holds a zero
    // byte, which no text has: that is the first rule it breaks.
    void failIfBinary() const {
        if (binaryLine_ != 0) detail::failReadAt(binaryLine_, kBinary);
    }

    void headerLine(std::string_view line) {
        const std::uint64_t lineNumber = lineIndex_ + 1;
        if (binaryLine_ == 0 && line.find('\0') != std::string_view::npos) binaryLine_ = lineNumber;
        if (!nullLiteral_ && lineIndex_ >= 7 && line.find("NULL") != std::string_view::npos)
            nullLiteral_ = std::string(line);

        // Section titles are recognised also after leading blanks.
        const LasSection title = lasSectionOf(line);
        if (title != LasSection::None) {
            section_ = title;
            if (curveState_ == CurveState::BeforeSection) {
                sawVersion_ = sawVersion_ || section_ == LasSection::Version;
                sawWell_ = sawWell_ || section_ == LasSection::Well;
            }
            if (title == LasSection::OtherDataSet) noteOtherDataSet(lasDataSetName(line));
        } else if (section_ == LasSection::Well && !nullItem_) {
            auto dot = line.find('.');
            if (dot != std::string_view::npos && trimView(line.substr(0, dot)) == "NULL") {
                nullItem_ = std::string(line);
                nullItemLine_ = lineNumber;
            }
        } else if (section_ == LasSection::Version) {
            versionItem(line);
        }

        switch (curveState_) {
            case CurveState::BeforeSection:
                if (title == LasSection::Curve) {
                    curveState_ = CurveState::InSection;
                    curveTitleLine_ = lineNumber;
                }
                return;
            case CurveState::InSection:
                if (title == LasSection::None) {
                    curveLine(line);
                    return;
                }
                // the line that ends the section may itself be the "~A" line
                curveState_ = CurveState::AfterSection;
                break;
            case CurveState::AfterSection:
                break;
        }
        if (title == LasSection::Data) {
            stage_ = Stage::Data;
            dataTitleLine_ = lineNumber;
            headerEnd_ = scan_;
        }
    }

    // A LAS 3.0 data set other than the log data: kept in the header text, named in a warning.
    void noteOtherDataSet(std::string_view name) {
        std::string n = withoutControlCharacters(name);
        for (const auto& seen : otherDataSets_)
            if (lowerAscii(seen) == lowerAscii(n)) return;
        otherDataSets_.push_back(std::move(n));
    }

    // "WRAP. NO" makes every data line one depth step; "DLM. COMMA" separates values by
    // commas and "DLM. TAB" by tabs (blanks then belong to a text value). The value may stand
    // where the unit belongs ("WRAP.NO").
    void versionItem(std::string_view line) {
        auto dot = line.find('.');
        if (dot == std::string_view::npos) return;
        std::string mnemonic = upperAscii(trimView(line.substr(0, dot)));
        if (mnemonic != "WRAP" && mnemonic != "DLM") return;
        std::string value = upperAscii(itemValueText(line));
        if (value.empty()) value = upperAscii(itemUnitText(line));
        if (mnemonic == "WRAP") {
            lineRecords_ = value == "NO";
        } else {
            commaDelimited_ = value == "COMMA";
            tabDelimited_ = value == "TAB";
        }
    }

    void curveLine(std::string_view line) {
        LasCurveLine c = parseLasCurveLine(line);
        if (!c.definesCurve) return;
        // A NUL or other control character in a name would give a field that cannot be told
        // from its neighbour once stored.
        c.mnemonic = withoutControlCharacters(c.mnemonic);
        c.unit = withoutControlCharacters(c.unit);
        // A curve line without a mnemonic still describes a column of the data section.
        if (c.mnemonic.empty()) c.mnemonic = "UNKNOWN";

        if (auto unit = lasDepthUnit(c.mnemonic, c.unit)) r_.depthUnit = *unit;
        std::string unit = lasCatalogUnit(c.unit);

        std::string field = r_.fieldNames.empty() ? "DEPTH" : c.mnemonic;
        field = names_.makeDistinct(field);
        const int catalogIndex = static_cast<int>(r_.catalog.size()) + 1;

        CurveRole role = lasCurveRole(c.mnemonic);
        addToRole(r_.roles, role, field, catalogIndex);
        if (role == CurveRole::Density) {
            if (auto tag = densityUnitTag(unit, true)) r_.densityUnit = *tag;
        }

        // Texts are cut to catalogue length once the header's encoding is known.
        CurveEntry entry{c.mnemonic, unit, c.mnemonic + unit};
        r_.fieldLabels.push_back(entry.label);
        r_.fieldNames.push_back(std::move(field));
        r_.catalog.push_back(std::move(entry));
    }

    // The header is UTF-8 when its bytes are valid UTF-8, else Windows-1252: names, units
    // and the header memo are held as UTF-8, and the header's own bytes are kept for the
    // export.
    void decodeHeaderTexts(std::string_view head) {
        std::size_t pos = 0;
        std::string_view line;
        while (detail::nextLine(head, pos, line)) r_.headerBytes.emplace_back(line);
        const bool utf8 = isValidUtf8(head);
        headerUtf8_ = utf8;
        auto decoded = [&](const std::string& s) { return utf8 ? s : windows1252ToUtf8(s); };
        for (const auto& l : r_.headerBytes) r_.headerLines.push_back(decoded(l));
        for (auto& e : r_.catalog) {
            e.mnemonic = cutCatalogText(decoded(e.mnemonic));
            e.unit = cutCatalogText(decoded(e.unit));
            e.label = cutCatalogText(decoded(e.label));
        }
        for (std::size_t i = 0; i < r_.fieldNames.size(); ++i) {
            r_.fieldNames[i] = decoded(r_.fieldNames[i]);
            r_.fieldLabels[i] = r_.catalog[i].label;
        }
        for (auto* list : {&r_.roles.density, &r_.roles.gammaRay, &r_.roles.pWave, &r_.roles.sWave})
            for (auto& name : *list) name = decoded(name);
    }

    void resolveNull() {
        std::optional<std::string> text;
        if (nullLiteral_) text = nullTextOfNullLine(*nullLiteral_);
        std::optional<double> value;
        if (text) value = parseNumber(*text);
        if (!value && nullItem_) {
            // The line-count rule missed (a short header, or a line before the NULL item
            // that mentions NULL): take the NULL item of the well section itself.
            text = itemValueText(*nullItem_);
            value = parseNumber(*text);
        }
        if (!value && nullItem_) detail::failReadAt(nullItemLine_, "its NULL item is not a number");
        if (!sawVersion_)
            r_.warnings.push_back("The file has no ~Version section: it is read as LAS 2.0.");
        if (!value) {
            // Other readers take such a file with no null value, and so does this one: every
            // number is a value.
            r_.warnings.push_back(sawWell_
                                      ? "The file has no NULL item: no value is read as a null."
                                      : "The file has no ~Well section: the depth range "
                                        "comes from the data, and no value is read as a "
                                        "null.");
            r_.nullValueText.clear();
            r_.nullValue = std::numeric_limits<double>::quiet_NaN();
            return;
        }
        r_.nullValueText = *text;
        r_.nullValue = *value;
    }

    // more is the text that follows what the header has gathered.
    void startData(std::string_view more, bool final) {
        if (r_.fieldNames.empty()) {
            failIfBinary();
            detail::failReadAt(curveTitleLine_, "its curve section defines no curve");
        }
        resolveNull();
        nullValue_ = r_.nullValue;
        columnCount_ = r_.fieldNames.size();
        columns_.assign(columnCount_, {});
        textFields_.assign(columnCount_, false);
        padding_ = detail::PaddingLimit(columnCount_);

        decodeHeaderTexts(std::string_view(header_.data(), headerEnd_));
        chooseCurves();

        if (headerOnly_) {
            stage_ = Stage::Done;
            std::string().swap(header_);
            return;
        }
        std::string rest = header_.substr(headerEnd_);
        textDone_ = headerEnd_;
        std::string().swap(header_);
        dataStart_ = textDone_;
        dataText(rest, final && more.empty());
        dataText(more, final);
    }

    // The curves the caller reads (all when it did not choose); the depth is always read.
    void chooseCurves() {
        read_.assign(columnCount_, true);
        if (!choose_) return;
        const std::vector<bool> chosen = choose_(r_);
        for (std::size_t f = 1; f < columnCount_; ++f) read_[f] = f < chosen.size() && chosen[f];
        skipping_ = std::find(read_.begin(), read_.end(), false) != read_.end();
    }

    // ---- data -------------------------------------------------------------------------

    // Data arrives in pieces; only whole lines are parsed so no number is cut in two.
    void dataText(std::string_view text, bool final) {
        if (stage_ == Stage::Trailer) {
            trailerText(text);
            return;
        }
        if (stage_ != Stage::Data) return;
        if (!carry_.empty()) {
            std::size_t eol = text.find_first_of("\r\n");
            if (eol == std::string_view::npos && !final) {
                carry_.append(text);
                return;
            }
            std::size_t take = eol == std::string_view::npos ? text.size() : eol + 1;
            carry_.append(text.substr(0, take));
            text.remove_prefix(take);
            std::string joined;
            joined.swap(carry_);
            parseData(joined);
            if (stage_ == Stage::Trailer) {
                trailerText(text);
                return;
            }
        }
        if (final) {
            parseData(text);
            return;
        }
        std::size_t last = text.find_last_of("\r\n");
        if (last == std::string_view::npos) {
            carry_.assign(text);
            return;
        }
        parseData(text.substr(0, last + 1));
        if (stage_ == Stage::Trailer) {
            trailerText(text.substr(last + 1));
            return;
        }
        carry_.assign(text.substr(last + 1));
    }

    // Text after the data section, kept up to the size a header may have.
    void trailerText(std::string_view text) {
        if (trailer_.size() < kMaxHeader)
            trailer_.append(text.substr(0, kMaxHeader - trailer_.size()));
    }

    // text holds whole lines (or is the end of the file).
    void parseData(std::string_view text) {
        while (!text.empty() && stage_ == Stage::Data) {
            std::size_t want = textDone_ - dataStart_ < kFirstSlice ? kFirstSlice : kSlice;
            std::size_t cut = text.size();
            if (cut > want) {
                auto eol = text.find_first_of("\r\n", want);
                cut = eol == std::string_view::npos ? text.size() : eol + 1;
            }
            bool wasFirst = textDone_ - dataStart_ < kFirstSlice;
            parseBlock(text.data(), text.data() + cut);
            if (stage_ == Stage::Trailer) {
                trailerText(text.substr(static_cast<std::size_t>(trailerStart_ - text.data())));
                return;
            }
            textDone_ += cut;
            text.remove_prefix(cut);
            if (wasFirst && textDone_ - dataStart_ >= kFirstSlice) reserveRows();
            progress_.report(textDone_ * textScale_);
        }
    }

    // Room for the rest of the section, estimated from what has been read so far.
    void reserveRows() {
        std::size_t rows = columns_.front().size();
        if (rows == 0 || total_ == 0) return;
        double bytesPerRow =
            static_cast<double>(textDone_ - dataStart_) / static_cast<double>(rows);
        double remaining =
            static_cast<double>(total_) / textScale_ - static_cast<double>(dataStart_);
        // A header that decodes to more bytes than the file holds (UTF-16 text outside ASCII)
        // leaves nothing to estimate; the columns then grow as they go.
        if (!(remaining > 0) || !(bytesPerRow > 0)) return;
        const double estimate = remaining / bytesPerRow * 1.02 + 16;
        if (!(estimate <= 1e10)) return;
        const auto want = static_cast<std::size_t>(estimate);
        for (std::size_t f = 0; f < columnCount_; ++f)
            if (read_[f]) columns_[f].reserve(want);
    }

    void parseBlock(const char* p, const char* end) {
        if (lineRecords_) {
            parseBlockAs<true>(p, end);
        } else {
            parseBlockAs<false>(p, end);
        }
    }

    // Lines: every data line is one depth step ("WRAP. NO"); otherwise the values run on as
    // one stream, one per curve and depth step, whatever the line ends.
    template <bool Lines>
    void parseBlockAs(const char* p, const char* end) {
        const std::size_t n = columnCount_;
        const double nullValue = nullValue_;
        // Stream: the field the next value fills. Lines: the values taken from this line.
        std::size_t field = field_;
        bool lineStart = lineStart_;
        bool commas = commas_;
        bool commasChecked = commasChecked_;
        bool afterValue = afterValue_;
        const bool tabs = tabDelimited_;
        const char* lineBegin = p;
        auto take = [&](double v) {
            // A depth is a position, never a null sample, whatever the NULL item says.
            if (v == nullValue && field != 0) v = kNull;
            if constexpr (Lines) {
                if (field < n && read_[field]) columns_[field].push_back(v);
                ++field;
            } else {
                if (read_[field]) columns_[field].push_back(v);
                if (++field == n) field = 0;
            }
            afterValue = true;
        };
        // A value of a curve not read: its token is passed over without being converted.
        auto skip = [&] {
            if constexpr (Lines) {
                ++field;
            } else {
                if (++field == n) field = 0;
            }
            afterValue = true;
        };
        while (p < end) {
            auto c = static_cast<unsigned char>(*p);
            if (c <= 32) {
                if (c == '\n' || c == '\r') {
                    ++(c == '\n' ? dataLf_ : dataCr_);
                    if constexpr (Lines) {
                        if (field > 0) endLine(field);
                        field = 0;
                    }
                    lineStart = true;
                } else if (tabs && c == '\t' && !lineStart) {
                    if (!afterValue) take(kNull);  // nothing between two tabs
                    afterValue = false;
                }
                ++p;
                continue;
            }
            if (lineStart) {
                lineStart = false;
                lineBegin = p;
                commas = commaDelimited_;
                commasChecked = commas;
                afterValue = false;
                if (c == '#') {  // a comment line among the data
                    while (p < end && *p != '\n' && *p != '\r') ++p;
                    continue;
                }
                if (c == '~') {  // a section after the data section ends it
                    stage_ = Stage::Trailer;
                    trailerStart_ = p;
                    break;
                }
            }
            if (commas && c == ',') {
                if (!afterValue) take(kNull);  // nothing between two commas
                afterValue = false;
                ++p;
                continue;
            }
            if (skipping_ && (!Lines || field < n) && !read_[field] && c != '"') {
                // The token is passed over where it ends at the same place whether it would
                // read as a number (up to a blank, or a comma between commas) or as a text (up
                // to the next comma or tab when those separate the values, else a blank);
                // otherwise it is read as any other, so the values after it keep their places.
                const char* t = p;
                while (t<end&& static_cast<unsigned char>(*t)> 32 && *t != ',') ++t;
                bool ends;
                if (t == end || *t == '\n' || *t == '\r') {
                    ends = true;
                } else if (*t == ',') {
                    ends = commas;  // else the comma may decide the line's separator first
                } else if (*t == '\t') {
                    ends = !commas;
                } else {
                    ends = !commas && !tabs;
                }
                if (ends) {
                    p = t;
                    skip();
                    continue;
                }
            }
            double v;
            if (plainDecimal(p, end, commas, v)) {
                take(v);
                continue;
            }
            const char* q = p;
            if (c == '+' && p + 1 < end && p[1] != '-' && p[1] != '+') ++q;
            const char* ptr = parseDouble(q, end, v);
            if (ptr && (ptr == end || endsToken(*ptr, commas))) {
                take(std::isfinite(v) ? v : kNull);
                p = ptr;
                continue;
            }
            if (!commas && !commasChecked) {
                // The first token of the line that holds a comma decides whether the line
                // separates its values by commas; if so, the token is read again.
                const char* t = p;
                while (t<end&& static_cast<unsigned char>(*t)> 32 && *t != ',') ++t;
                if (t < end && *t == ',') {
                    commasChecked = true;
                    commas = commaSeparatedLine(lineBegin, end);
                    if (commas) continue;
                }
            }
            // Text where a number belongs: a null sample, and its curve is named in a warning.
            // A quoted text runs to its closing quote; with commas or tabs between values, a
            // text runs to the next one, blanks included.
            if (c == '"') {
                const char* close = p + 1;
                while (close < end && *close != '"' && *close != '\n' && *close != '\r') ++close;
                if (close < end && *close == '"') p = close + 1;
            }
            if (commas || tabs) {
                const char stop = commas ? ',' : '\t';
                while (p != end && *p != stop && *p != '\n' && *p != '\r') ++p;
            } else {
                while (p != end && !endsToken(*p, false)) ++p;
            }
            if (field < n) textFields_[field] = true;
            take(kNull);
        }
        field_ = field;
        lineStart_ = lineStart;
        commas_ = commas;
        commasChecked_ = commasChecked;
        afterValue_ = afterValue;
    }

    // One data line of a "WRAP. NO" file is done: it held count values.
    void endLine(std::size_t count, bool lineEnded = true) {
        const std::size_t n = columnCount_;
        padding_.line(count, dataLineNumber(lineEnded));
        if (count == n) return;
        LineMismatch& m = count < n ? fewer_ : more_;
        if (m.lines == 0 || count < m.least) m.least = count;
        if (m.lines == 0 || count > m.most) m.most = count;
        ++m.lines;
        for (std::size_t f = count; f < n; ++f)
            if (read_[f]) columns_[f].push_back(kNull);
    }

    // The line of the file that the data line being ended is: the data section's lines
    // count from the line after its title; lineEnded tells whether the line's end has been
    // counted (a last line without line end has none).
    std::uint64_t dataLineNumber(bool lineEnded) const {
        return dataTitleLine_ + std::max(dataLf_, dataCr_) + (lineEnded ? 0 : 1);
    }

    // The one warning about data lines that do not hold one value per curve.
    std::optional<std::string> lineWarning() const {
        if (fewer_.lines == 0 && more_.lines == 0) return std::nullopt;
        auto part = [&](const LineMismatch& m, const char* outcome) {
            std::string values = std::to_string(m.least);
            if (m.most != m.least) values += " to " + std::to_string(m.most);
            return std::to_string(m.lines) +
                   (m.lines == 1 ? " data line holds " : " data lines hold ") + values +
                   (m.most == 1 ? " value" : " values") + " for " + std::to_string(columnCount_) +
                   (columnCount_ == 1 ? " curve; " : " curves; ") + outcome;
        };
        std::string text;
        if (more_.lines > 0) text += part(more_, "the extra values were dropped.");
        if (fewer_.lines > 0) {
            if (more_.lines > 0) text += ' ';
            text += part(fewer_, "the missing values are null.");
        }
        return named(std::move(text));
    }

    // A warning names the file when the stream was given its name (files of a merge).
    std::string named(std::string text) const {
        return fileName_.empty() ? text : fileName_ + ": " + text;
    }

    static std::string joined(const std::vector<std::string>& names) {
        std::string out;
        for (const auto& name : names) {
            if (!out.empty()) out += ", ";
            out += name;
        }
        return out;
    }

    // The lines after the data section go to the header text after the data title line,
    // decoded as the header was; the data sets they open are named in the warning.
    void keepTrailer() {
        std::size_t pos = 0;
        std::string_view line;
        while (detail::nextLine(trailer_, pos, line)) {
            if (lasSectionOf(line) == LasSection::OtherDataSet)
                noteOtherDataSet(lasDataSetName(line));
            r_.headerBytes.emplace_back(line);
            r_.headerLines.push_back(headerUtf8_ ? std::string(line) : windows1252ToUtf8(line));
        }
        std::string().swap(trailer_);
    }

    ImportResult takeResult() {
        if (lineRecords_ && field_ > 0) endLine(field_, false);  // a last line without line end
        // An unfinished last depth step is dropped.
        // The depth column holds a value for every step begun.
        std::size_t rows = columns_.front().size();
        if (!lineRecords_ && field_ != 0) --rows;
        for (std::size_t f = 0; f < columnCount_; ++f)
            if (read_[f]) columns_[f].resize(rows);

        // Records without any depth are no log.
        const auto& index = columns_.front();
        auto firstIt =
            std::find_if(index.begin(), index.end(), [](double d) { return !std::isnan(d); });
        if (firstIt == index.end())
            failRead("its data section, from line " + std::to_string(dataTitleLine_ + 1) +
                     ", holds no row with a depth");
        auto lastIt =
            std::find_if(index.rbegin(), index.rend(), [](double d) { return !std::isnan(d); });
        if (auto warning = lineWarning()) r_.warnings.push_back(std::move(*warning));
        std::vector<std::string> textCurves;
        for (std::size_t f = 0; f < textFields_.size(); ++f)
            if (textFields_[f]) textCurves.push_back(r_.fieldNames[f]);
        if (!textCurves.empty())
            r_.warnings.push_back(named("Text in the data section is read as null samples of " +
                                        joined(textCurves) + "."));
        keepTrailer();
        if (!otherDataSets_.empty())
            r_.warnings.push_back(
                named("The LAS 3.0 data sets " + joined(otherDataSets_) +
                      " are kept in the header text only; the log data is read."));
        if (*lastIt < *firstIt) {
            for (auto& c : columns_) std::reverse(c.begin(), c.end());
        }
        r_.columns = std::move(columns_);
        r_.lasSource = true;
        progress_.finish();
        return std::move(r_);
    }

    std::uint64_t total_;
    Progress callback_;
    detail::ProgressThrottle progress_;
    bool started_ = false;
    std::string first_;
    Utf16Decoder utf16_;
    std::string decoded_;
    std::uint64_t textScale_ = 1;

    Stage stage_ = Stage::Header;
    bool headerOnly_ = false;
    std::string header_;
    std::size_t scan_ = 0;
    std::size_t headerEnd_ = 0;
    std::size_t lineIndex_ = 0;
    LasSection section_ = LasSection::None;
    std::vector<std::string> otherDataSets_;     // LAS 3.0 data sets besides the log data
    bool sawVersion_ = false, sawWell_ = false;  // sections before the curve section
    CurveState curveState_ = CurveState::BeforeSection;
    std::optional<std::string> nullLiteral_;
    std::optional<std::string> nullItem_;
    // Lines of the file (from 1) that refusals name; 0 while not met.
    std::uint64_t nullItemLine_ = 0;
    std::uint64_t curveTitleLine_ = 0;
    std::uint64_t dataTitleLine_ = 0;
    std::uint64_t binaryLine_ = 0;  // the first header line that holds a zero byte
    // Line ends met in the data section, LF and CR apart: a file ends its lines with one of
    // them or both, so the larger count is the number of lines ended.
    std::uint64_t dataLf_ = 0, dataCr_ = 0;
    detail::DistinctNames names_;

    double nullValue_ = 0;
    std::size_t columnCount_ = 0;
    std::vector<std::vector<double>> columns_;
    CurveChoice choose_;
    std::vector<bool> read_;  // per curve: its values are read
    bool skipping_ = false;   // some curve is not read
    std::string carry_;
    std::string trailer_;
    const char* trailerStart_ = nullptr;  // where the data section ended in the current block
    bool headerUtf8_ = true;
    std::vector<bool> textFields_;  // curves that met text in the data section
    std::size_t field_ = 0;
    bool lineStart_ = true;
    bool lineRecords_ = false;     // "WRAP. NO"
    bool commaDelimited_ = false;  // "DLM. COMMA"
    bool tabDelimited_ = false;    // "DLM. TAB"
    bool commas_ = false;          // the current line separates its values by commas
    bool commasChecked_ = false;   // whether it does is known
    bool afterValue_ = false;      // a value has been taken since the last comma
    struct LineMismatch {
        std::size_t lines = 0;
        std::size_t least = 0;
        std::size_t most = 0;
    };
    LineMismatch fewer_;
    LineMismatch more_;
    detail::PaddingLimit padding_{0};
    std::string fileName_;
    std::uint64_t textDone_ = 0;
    std::uint64_t dataStart_ = 0;

    ImportResult r_;
};

namespace {

template <typename F>
auto guarded(F&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        failRead("there is not enough memory to read it");
    } catch (const std::exception&) {
        failRead();
    }
}

}  // namespace

LasStream::LasStream(std::uint64_t totalBytes, Progress progress, std::string fileName)
    : impl_(std::make_unique<Impl>(totalBytes, std::move(progress), std::move(fileName))) {}

LasStream::~LasStream() = default;

// A stream that failed, or has finished, takes no more input.
void LasStream::feed(std::string_view bytes) {
    if (!impl_) failRead();
    try {
        guarded([&] {
            impl_->feed(bytes);
            return 0;
        });
    } catch (...) {
        impl_.reset();
        throw;
    }
}

void LasStream::stopAfterHeader() {
    if (impl_) impl_->stopAfterHeader();
}

void LasStream::readOnly(CurveChoice choose) {
    if (impl_) impl_->readOnly(std::move(choose));
}

bool LasStream::headerDone() const {
    return impl_ && impl_->headerDone();
}

ImportResult LasStream::finish() {
    if (!impl_) failRead();
    auto impl = std::move(impl_);
    return guarded([&] { return impl->finish(); });
}

ImportResult readLas(std::string_view bytes, const Progress& progress) {
    LasStream stream(bytes.size(), progress);
    stream.feed(bytes);
    return stream.finish();
}

namespace {

// Feeds a file to a stream in chunks; a header-only stream stops reading at its "~A" line.
ImportResult readFileInto(const std::filesystem::path& path, const Progress& progress,
                          bool headerOnly, CurveChoice choose = {}) {
    return guarded([&] {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) failRead();
        auto size = std::filesystem::file_size(path, ec);
        if (ec) failRead();
        std::ifstream in(path, std::ios::binary);
        if (!in) failRead();
        LasStream stream(size, progress, path.filename().string());
        if (headerOnly) stream.stopAfterHeader();
        if (choose) stream.readOnly(std::move(choose));
        std::string buf(kReadChunk, '\0');
        while (in) {
            in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
            auto got = static_cast<std::size_t>(in.gcount());
            if (got == 0) break;
            stream.feed(std::string_view(buf.data(), got));
            if (headerOnly && stream.headerDone()) break;
        }
        if (in.bad()) failRead();
        return stream.finish();
    });
}

}  // namespace

ImportResult readLasFile(const std::filesystem::path& path, const Progress& progress) {
    return readFileInto(path, progress, false);
}

ImportResult readLasFile(const std::filesystem::path& path, const Progress& progress,
                         CurveChoice choose) {
    return readFileInto(path, progress, false, std::move(choose));
}

ImportResult readLasHeaderFile(const std::filesystem::path& path) {
    return readFileInto(path, {}, true);
}

}  // namespace lithora::import
