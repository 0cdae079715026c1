#pragma once
#include <filesystem>
#include <string>

namespace lithora::test {

// A folder of its own for one test, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    // Writes a file in the folder, byte for byte, and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

}  // namespace lithora::test
