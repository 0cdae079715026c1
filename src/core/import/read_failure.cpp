#include "core/import/read_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "core/common/error.h"
#include "core/import/import_text.h"

namespace lithora::import {

namespace {

// Why the file system will not give the file's bytes; empty when it will.
std::string fileSystemReason(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "it is a folder";
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return {};
}

}  // namespace

std::string readFailureDetail(const std::filesystem::path& file, const std::exception& error) {
    std::string reason = fileSystemReason(file);
    if (reason.empty()) {
        if (const auto* read = dynamic_cast<const ReadError*>(&error))
            reason = read->reason();
        else if (dynamic_cast<const std::bad_alloc*>(&error))
            reason = "there is not enough memory to read it";
    }
    if (reason.empty()) reason = "it is not a file of the kind this program reads";
    return file.string() + ": " + reason;
}

std::string readFailureMessage(const std::filesystem::path& file, const std::exception& error) {
    return std::string(detail::kReadError) + "\n" + readFailureDetail(file, error);
}

}  // namespace lithora::import
