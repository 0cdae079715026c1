#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <set>
#include <thread>

#include "cli/commands.h"
#include "core/common/error.h"

namespace lithora::cli {

namespace fs = std::filesystem;

std::unique_ptr<workspace::Workspace> openWorkspace(const std::optional<std::string>& folder) {
    if (!folder) return std::make_unique<workspace::Workspace>("", workspace::Storage::Memory);
    std::error_code ec;
    fs::create_directories(*folder, ec);
    if (!fs::is_directory(*folder, ec))
        throw InputError{"Cannot create the workspace folder " + *folder + "."};
    auto ws = std::make_unique<workspace::Workspace>(*folder);
    return ws;
}

void refuseOverwritingInput(const fs::path& output, const std::string& input) {
    std::error_code ec;
    if (fs::exists(output, ec) && fs::equivalent(output, input, ec))
        throw InputError{"The output " + output.string() + " is the input file."};
}

fs::path batchOutput(const fs::path& dir, const std::string& input, const char* newExtension) {
    fs::path name = fs::path(input).filename();
    if (newExtension) name.replace_extension(newExtension);
    return dir / name;
}

void makeBatchFolder(const fs::path& dir, const char* option) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec))
        throw UsageError{std::string(option) + " names no folder: " + dir.string()};
}

int defaultJobs() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<int>(n);
}

int runBatch(const std::vector<std::string>& files, int jobs,
             const std::function<std::size_t(const std::string& file)>& job) {
    std::set<std::string> names;
    for (const auto& f : files)
        if (!names.insert(fs::path(f).filename().string()).second)
            throw UsageError{"two FILEs share the name " + fs::path(f).filename().string() +
                             ": their outputs would overwrite each other"};

    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex printing;
    auto worker = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            const std::string& file = files[i];
            const auto start = std::chrono::steady_clock::now();
            std::string line;
            try {
                const std::size_t records = job(file);
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                char text[64];
                std::snprintf(text, sizeof text, "\t%zu records\t%.3f s", records, seconds);
                line = file + text;
            } catch (const InputError& e) {
                line = file + "\t" + e.message;
                failed = true;
            } catch (const std::exception& e) {
                line = file + "\t" + e.what();
                failed = true;
            }
            std::lock_guard lock(printing);
            std::cout << line << std::endl;
        }
    };
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(files.size())));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    return failed ? 1 : 0;
}

}  // namespace lithora::cli
