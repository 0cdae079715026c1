#pragma once
#include <QString>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace lithora::test {

// A program folder for one test: a temporary folder whose "Patterns" folder is the one the
// build made. The current folder is put back when the test ends (the main window makes the
// program folder current).
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();

    const std::filesystem::path& path() const { return folder_.path(); }
    QString qpath() const { return QString::fromStdString(folder_.path().string()); }
    std::filesystem::path file(const std::string& name) const { return folder_.file(name); }
    QString qfile(const std::string& name) const {
        return QString::fromStdString(file(name).string());
    }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        return folder_.write(name, bytes);
    }

  private:
    QString oldCurrent_;
    TempFolder folder_;
};

// A file of the test data folder.
QString testData(const char* name);

}  // namespace lithora::test
