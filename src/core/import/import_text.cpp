#include "core/import/import_text.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "core/common/error.h"
#include "core/common/text.h"

namespace lithora::import::detail {

void failRead(std::string reason) {
    throw ReadError(std::move(reason));
}

void failReadAt(std::uint64_t line, const std::string& reason) {
    failRead("line " + std::to_string(line) + ": " + reason);
}

bool nextLine(std::string_view text, std::size_t& pos, std::string_view& line, bool final) {
    if (pos >= text.size()) return false;
    const std::size_t n = text.size();
    std::size_t i = pos;
    while (i < n && text[i] != '\n' && text[i] != '\r') ++i;
    std::size_t next;
    if (i == n) {
        if (!final) return false;
        next = n;
    } else if (text[i] == '\n') {
        next = i + 1;
    } else if (i + 1 < n) {
        next = text[i + 1] == '\n' ? i + 2 : i + 1;
    } else {
        if (!final) return false;
        next = n;
    }
    line = text.substr(pos, i - pos);
    pos = next;
    return true;
}

DistinctNames::DistinctNames() {
    take("Rec");
    take("Counting");
}

bool DistinctNames::taken(std::string_view name) const {
    return lower_.count(lowerAscii(name)) > 0;
}

void DistinctNames::take(std::string_view name) {
    lower_.insert(lowerAscii(name));
}

std::string DistinctNames::makeDistinct(std::string_view name) {
    std::string candidate(name);
    if (taken(candidate)) {
        // Names are never given back, so every suffix below the last one given is taken.
        int& next = nextSuffix_.try_emplace(lowerAscii(name), 2).first->second;
        do {
            candidate = std::string(name) + "_" + std::to_string(next++);
        } while (taken(candidate));
    }
    take(candidate);
    return candidate;
}

void PaddingLimit::line(std::size_t present, std::uint64_t lineNumber) {
    ++lines_;
    if (present >= curves_) {
        values_ += curves_;
        return;
    }
    if (firstShortLine_ == 0) firstShortLine_ = lineNumber;
    values_ += present;
    padded_ += curves_ - present;
    if (padded_ > kFloor && padded_ > kRatio * values_)
        failReadAt(firstShortLine_, "its data lines hold far fewer values than the " +
                                        std::to_string(curves_) + " curves its header declares (" +
                                        std::to_string(values_) + " values in " +
                                        std::to_string(lines_) + " lines)");
}

void ProgressThrottle::report(std::uint64_t done) {
    if (!progress_ || done < last_ + kStep) return;
    last_ = done;
    progress_(std::min(done, total_), total_);
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) failRead();
    std::string bytes;
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    char buf[1 << 16];
    while (in) {
        in.read(buf, sizeof buf);
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) failRead();
    return bytes;
}

}  // namespace lithora::import::detail
