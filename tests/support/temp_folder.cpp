#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace lithora::test {

TempFolder::TempFolder() {
    const auto base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("lithora-test-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            path_ = std::move(candidate);
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& bytes) const {
    const auto p = file(name);
    std::ofstream out(p, std::ios::binary);
    out << bytes;
    return p;
}

}  // namespace lithora::test
