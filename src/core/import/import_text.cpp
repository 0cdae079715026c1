#include "core/import/import_text.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "core/common/error.h"

namespace lithora::import::detail {

void failRead() {
    throw Error(kReadError);
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

bool Utf16Decoder::start(std::string_view b) {
    if (b.size() >= 2) {
        auto b0 = static_cast<unsigned char>(b[0]);
        auto b1 = static_cast<unsigned char>(b[1]);
        if (b0 == 0xFF && b1 == 0xFE) {
            active_ = true;
            bigEndian_ = false;
        } else if (b0 == 0xFE && b1 == 0xFF) {
            active_ = true;
            bigEndian_ = true;
        }
    }
    skipMark_ = active_;
    return active_;
}

void Utf16Decoder::decode(std::string_view bytes, std::string& out) {
    out.reserve(out.size() + bytes.size() / 2 + 1);
    for (char ch : bytes) {
        int b = static_cast<unsigned char>(ch);
        if (pending_ < 0) {
            pending_ = b;
            continue;
        }
        int unit = bigEndian_ ? (pending_ << 8) | b : (b << 8) | pending_;
        pending_ = -1;
        if (skipMark_) {
            skipMark_ = false;
            if (unit == 0xFEFF) continue;
        }
        out += unit < 256 ? static_cast<char>(unit) : '?';
    }
}

std::string_view decodedText(std::string_view bytes, std::string& storage) {
    Utf16Decoder decoder;
    if (!decoder.start(bytes)) return bytes;
    storage.clear();
    decoder.decode(bytes, storage);
    return storage;
}

namespace {
std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
}  // namespace

DistinctNames::DistinctNames() {
    take("Rec");
    take("Counting");
}

bool DistinctNames::taken(std::string_view name) const {
    return lower_.count(lowered(name)) > 0;
}

void DistinctNames::take(std::string_view name) {
    lower_.insert(lowered(name));
}

std::string DistinctNames::makeDistinct(std::string_view name) {
    std::string candidate(name);
    for (int k = 2; taken(candidate); ++k) candidate = std::string(name) + "_" + std::to_string(k);
    take(candidate);
    return candidate;
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
