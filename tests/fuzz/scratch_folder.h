#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace lithora::fuzz {

// A folder of one fuzzing process in memory-backed storage where there is one, for the targets
// that read from files; removed with everything in it when the process ends normally.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& target) {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path base =
            fs::exists("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = base / ("lithora-fuzz-" + target + "-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace lithora::fuzz
