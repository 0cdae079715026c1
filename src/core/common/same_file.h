#pragma once
// Whether an output would replace one of the files a command reads.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lithora {

// True when both paths name one existing file, through any spelling, hard link or symbolic
// link (same device and inode). A path that does not exist is no file anyone reads.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The first of inputs that output would replace; nullopt when it replaces none.
std::optional<std::filesystem::path> inputReplacedBy(
    const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// The message that refuses such an output: "The output <output> is the input file.".
std::string outputIsInputMessage(const std::filesystem::path& output);

}  // namespace lithora
