#include "core/common/same_file.h"

#include <sys/stat.h>

namespace lithora {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat sa {
    }, sb{};
    if (a.empty() || b.empty()) return false;
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::optional<std::filesystem::path> inputReplacedBy(
    const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs) {
    for (const auto& input : inputs)
        if (sameFile(output, input)) return input;
    return std::nullopt;
}

std::string outputIsInputMessage(const std::filesystem::path& output) {
    return "The output " + output.string() + " is the input file.";
}

}  // namespace lithora
