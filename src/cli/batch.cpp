#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <set>
#include <thread>

#include <unistd.h>

#include "cli/commands.h"
#include "core/common/error.h"
#include "core/common/same_file.h"

namespace lithora::cli {

namespace fs = std::filesystem;

std::unique_ptr<workspace::Workspace> openWorkspace(const std::optional<std::string>& folder) {
    if (!folder) return std::make_unique<workspace::Workspace>("", workspace::Storage::Memory);
    std::error_code ec;
    fs::create_directories(*folder, ec);
    std::error_code isDir;
    if (!fs::is_directory(*folder, isDir))
        throw InputError{"Cannot create the workspace folder " + *folder + ": " +
                         (ec ? ec.message() : std::string("it is not a folder")) + "."};
    auto ws = std::make_unique<workspace::Workspace>(*folder);
    return ws;
}

void refuseOutputsThatAreInputs(const std::vector<fs::path>& outputs,
                                const std::vector<std::string>& inputs) {
    const std::vector<fs::path> in(inputs.begin(), inputs.end());
    for (const auto& output : outputs)
        if (inputReplacedBy(output, in)) throw InputError{outputIsInputMessage(output)};
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

namespace {

// The memory the system can still give, in bytes; 0 when it does not say.
std::uint64_t availableMemory() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib >> unit)
        if (key == "MemAvailable:") return kib * 1024;
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0
               ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size)
               : 0;
}

}  // namespace

int batchWorkers(int jobs, const std::vector<std::string>& files) {
    int workers = std::min<int>(jobs, static_cast<int>(files.size()));
    // More workers than cores only wait for one another, each holding a file in memory.
    workers = std::min(workers, defaultJobs());
    // A worker holds its file's table, about twice the file's size at its peak; the largest
    // file decides, so that the workers together stay within the memory there is.
    std::uint64_t largest = 0;
    for (const auto& f : files) {
        std::error_code ec;
        const auto size = fs::file_size(f, ec);
        if (!ec) largest = std::max<std::uint64_t>(largest, size);
    }
    const std::uint64_t perWorker = 3 * largest + (std::uint64_t{64} << 20);
    if (const std::uint64_t memory = availableMemory(); memory > 0)
        workers = static_cast<int>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(workers), memory / perWorker));
    return std::max(1, workers);
}

std::string progressText(std::size_t done, std::size_t total, std::size_t failures,
                         std::chrono::steady_clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    const double left =
        done == 0 ? 0 : seconds / static_cast<double>(done) * static_cast<double>(total - done);
    char text[128];
    std::snprintf(text, sizeof text, "%zu of %zu files, %zu failed, about %.0f s left", done, total,
                  failures, left);
    return text;
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
    // On a terminal, standard error keeps one line of progress below the results: files done,
    // failures, time left. Elsewhere (a log, a pipe) nothing is added.
    const bool progressLine = ::isatty(STDERR_FILENO) == 1;
    const auto begun = std::chrono::steady_clock::now();
    std::size_t done = 0, failures = 0;
    auto worker = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            const std::string& file = files[i];
            const auto start = std::chrono::steady_clock::now();
            std::string line;
            bool ok = false;
            try {
                const std::size_t records = job(file);
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                char text[64];
                std::snprintf(text, sizeof text, "\t%zu records\t%.3f s", records, seconds);
                line = file + text;
                ok = true;
            } catch (const InputError& e) {
                line = file + "\t" + e.message;
                failed = true;
            } catch (const std::exception& e) {
                line = file + "\t" + e.what();
                failed = true;
            }
            // Results on standard output, failures with the other messages on standard error.
            std::lock_guard lock(printing);
            if (progressLine) std::cerr << "\r\033[K" << std::flush;
            (ok ? std::cout : std::cerr) << line << std::endl;
            ++done;
            if (!ok) ++failures;
            if (progressLine && done < files.size())
                std::cerr << progressText(done, files.size(), failures,
                                          std::chrono::steady_clock::now() - begun)
                          << std::flush;
        }
    };
    const int threads = batchWorkers(jobs, files);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    if (progressLine) std::cerr << "\r\033[K" << std::flush;
    return failed ? 1 : 0;
}

}  // namespace lithora::cli
