#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/import/import_result.h"

// Text helpers shared by the readers: line splitting, distinct field names, progress.
namespace lithora::import::detail {

// The message every reader failure shows.
inline constexpr const char* kReadError = "Error reading file.";
// Throws ReadError: "Error reading file.", with why the file cannot be read when known.
[[noreturn]] void failRead(std::string reason = {});
// The same for a rule that a line of the file breaks: the reason begins "line N: " (lines
// counted from 1).
[[noreturn]] void failReadAt(std::uint64_t line, const std::string& reason);

// Takes the next line of text from pos. A line ends at LF, CR LF or a lone CR; the line end
// is not part of the line. A final line without line end is a line; text that ends with a
// line end has no empty line after it. When final is false, a line that reaches the end of
// text (or ends in a CR that may be followed by LF) is not taken, so the caller can wait for
// more bytes. Returns false when no line was taken.
bool nextLine(std::string_view text, std::size_t& pos, std::string_view& line, bool final = true);

// Field names that stay distinct without regard to case. "Rec" and "Counting" are taken by
// the table itself.
class DistinctNames {
  public:
    DistinctNames();
    bool taken(std::string_view name) const;
    void take(std::string_view name);
    // name itself when free, else name + "_2", "_3", ... whichever is free first. Each name
    // remembers the last suffix it gave, so thousands of repeats take no longer than once
    // each.
    std::string makeDistinct(std::string_view name);

  private:
    std::unordered_set<std::string> lower_;
    std::unordered_map<std::string, int> nextSuffix_;
};

// Data lines that hold fewer values than the curves the header declares are padded with
// null samples. A file made mostly of such padding (thousands of declared curves, then lines
// of one value or none) is not the file its header describes, and would make a table far
// larger than the values it holds: once the padding passes a floor and a small multiple of
// the values read, the read stops with a ReadError that says so.
class PaddingLimit {
  public:
    explicit PaddingLimit(std::size_t curves) : curves_(curves) {}
    // One data line, line lineNumber of the file, held `present` values; the curves after
    // them are padded. The refusal names the first line that held too few.
    void line(std::size_t present, std::uint64_t lineNumber);

    static constexpr std::uint64_t kFloor = std::uint64_t{1} << 22;  // null samples
    static constexpr std::uint64_t kRatio = 4;                       // null samples per value read

  private:
    std::size_t curves_;
    std::uint64_t values_ = 0;
    std::uint64_t padded_ = 0;
    std::uint64_t lines_ = 0;
    std::uint64_t firstShortLine_ = 0;
};

// Calls progress at most every few megabytes of input.
class ProgressThrottle {
  public:
    ProgressThrottle(const Progress& progress, std::uint64_t total)
        : progress_(progress), total_(total) {}
    void report(std::uint64_t done);
    void finish() {
        if (progress_) progress_(total_, total_);
    }

  private:
    static constexpr std::uint64_t kStep = 4u << 20;
    const Progress& progress_;
    std::uint64_t total_;
    std::uint64_t last_ = 0;
};

// The whole file as bytes; lithora::Error("Error reading file.") when it cannot be read.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace lithora::import::detail
