#pragma once
// The words for a file that could not be read, naming the file and the reason.
#include <exception>
#include <filesystem>
#include <string>

namespace lithora::import {

// "<file>: <reason>": the operating system's reason when the file cannot be opened or is no
// regular file, else the reader's own (a ReadError's reason), else a general one. The line a
// front end shows below "Error reading file.".
std::string readFailureDetail(const std::filesystem::path& file, const std::exception& error);

// "Error reading file." and, on a second line, readFailureDetail.
std::string readFailureMessage(const std::filesystem::path& file, const std::exception& error);

}  // namespace lithora::import
