#include "support/program_folder.h"
#include "support/test_paths.h"

#include <QDir>

namespace lithora::test {

ProgramFolder::ProgramFolder() : oldCurrent_(QDir::currentPath()) {
    std::error_code ec;
    std::filesystem::create_directory_symlink(LITHORA_PATTERNS_DIR, folder_.path() / "Patterns",
                                              ec);
}

ProgramFolder::~ProgramFolder() {
    QDir::setCurrent(oldCurrent_);
}

QString testData(const char* name) {
    return QString::fromUtf8(LITHORA_TEST_DATA) + '/' + QString::fromLatin1(name);
}

}  // namespace lithora::test
