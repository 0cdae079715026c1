#include "core/common/file_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <utility>

#include "core/common/error.h"

namespace lithora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinkHops = 40;
// Temporary files are named ".lithora-<process id>-<random>.tmp", so a later run can tell
// those of a process that is gone.
constexpr std::string_view kTempPrefix = ".lithora-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string reasonOf(int err) {
    return err != 0 ? std::string(std::strerror(err)) : std::string("write error");
}

// The temporary files being written, for the signal handler: fixed slots that the handler
// reads without taking a lock or allocating. A writer that finds no free slot is still
// cleaned up by the next run's sweep.
struct LiveTemp {
    std::atomic<bool> used{false};
    std::atomic<bool> ready{false};
    char path[4096];
};
LiveTemp gLive[64];

int registerTemp(const fs::path& temp) {
    const std::string& text = temp.native();
    if (text.size() >= sizeof gLive[0].path) return -1;
    for (int i = 0; i < static_cast<int>(std::size(gLive)); ++i) {
        bool expected = false;
        if (!gLive[i].used.compare_exchange_strong(expected, true)) continue;
        std::memcpy(gLive[i].path, text.c_str(), text.size() + 1);
        gLive[i].ready.store(true, std::memory_order_release);
        return i;
    }
    return -1;
}

void unregisterTemp(int slot) {
    if (slot < 0) return;
    gLive[slot].ready.store(false, std::memory_order_release);
    gLive[slot].used.store(false, std::memory_order_release);
}

extern "C" void removeLiveTempsAndEnd(int sig) {
    for (auto& live : gLive)
        if (live.ready.load(std::memory_order_acquire)) ::unlink(live.path);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// The process id in a temporary file's name; 0 when the name is not one of ours.
pid_t ownerOf(std::string_view name) {
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return 0;
    name.remove_prefix(kTempPrefix.size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc() || end == name.data() || *end != '-' || pid <= 0) return 0;
    return pid;
}

bool running(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Each folder is swept once per run, before the first file written there.
void sweepOnce(const fs::path& folder) {
    static std::mutex mutex;
    static std::set<fs::path> swept;
    {
        std::lock_guard lock(mutex);
        if (!swept.insert(folder).second) return;
    }
    removeStaleTemporaryFiles(folder);
}

}  // namespace

void removeTemporaryFilesOnSignal() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
        struct sigaction act {};
        act.sa_handler = removeLiveTempsAndEnd;
        sigemptyset(&act.sa_mask);
        ::sigaction(sig, &act, nullptr);
    }
}

void removeStaleTemporaryFiles(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const pid_t pid = ownerOf(name);
        if (pid == 0 || pid == ::getpid() || running(pid)) continue;
        std::error_code removed;
        if (it->is_regular_file(removed)) fs::remove(it->path(), removed);
    }
}

void FileWriter::fail(int err) {
    fail(reasonOf(err));
}

void FileWriter::fail(const std::string& reason) {
    discard();
    throw Error("Cannot write file " + target_.string() + ": " + reason + ".");
}

FileWriter::FileWriter(const fs::path& target) : target_(target) {
    if (target.empty() || !target.has_filename()) fail("no file name");

    // Follow symbolic links to the file they name, so the link itself stays.
    resolved_ = target;
    struct stat st {};
    bool exists = false;
    for (int hops = 0;; ++hops) {
        if (::lstat(resolved_.c_str(), &st) != 0) {
            if (errno != ENOENT) fail(errno);
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            break;
        }
        if (hops == kMaxLinkHops) fail(ELOOP);
        std::error_code ec;
        const fs::path link = fs::read_symlink(resolved_, ec);
        if (ec) fail(ec.value());
        resolved_ = link.is_absolute() ? link : resolved_.parent_path() / link;
    }
    if (exists && S_ISDIR(st.st_mode)) fail("it is a folder");
    if (exists && !S_ISREG(st.st_mode)) fail("it is not a regular file");

    // A fresh name beside the file it replaces: the rename stays within one file system.
    const fs::path folder = resolved_.has_parent_path() ? resolved_.parent_path() : fs::path(".");
    sweepOnce(folder);
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".lithora-%ld-%016llx.tmp", static_cast<long>(::getpid()),
                      static_cast<unsigned long long>(gen()));
        temp_ = folder / name;
        // Listed before it exists, so that no moment passes in which a signal would leave it.
        slot_ = registerTemp(temp_);
        fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int err = errno;
            unregisterTemp(std::exchange(slot_, -1));
            temp_.clear();  // nothing of ours to remove
            if (err != EEXIST || attempt == 100) fail(err);
        }
    }
    // The replacement keeps what the old file had: its owner where the system allows it,
    // then its permission bits (before any byte is written).
    if (exists) {
        struct stat mine {};
        if (::fstat(fd, &mine) == 0 && (mine.st_uid != st.st_uid || mine.st_gid != st.st_gid)) {
            if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
                // Only the owner may give a file away: the new file stays the writer's.
            }
        }
        if (::fchmod(fd, st.st_mode & 07777) != 0) {
            const int err = errno;
            ::close(fd);
            fail(err);
        }
    }
    file_.reset(::fdopen(fd, "wb"));
    if (!file_) {
        const int err = errno;
        ::close(fd);
        fail(err);
    }
    buffer_.resize(kBufferSize);
    std::setvbuf(file_.get(), buffer_.data(), _IOFBF, buffer_.size());
}

FileWriter::~FileWriter() {
    discard();
}

void FileWriter::write(std::string_view bytes) {
    if (!file_) fail("the file is already closed");
    if (bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) fail(errno);
}

void FileWriter::line(std::string_view text) {
    write(text);
    write("\r\n");
}

void FileWriter::commit() {
    if (!file_) fail("the file is already closed");
    errno = 0;
    if (std::fflush(file_.get()) != 0) fail(errno);
    // On the disk before it takes the old file's place; a file system that cannot sync
    // (EINVAL) has nothing more to flush.
    if (::fsync(::fileno(file_.get())) != 0 && errno != EINVAL) fail(errno);
    errno = 0;
    const int closed = std::fclose(file_.release());
    if (closed != 0) fail(errno);
    if (::rename(temp_.c_str(), resolved_.c_str()) != 0) fail(errno);
    committed_ = true;
    unregisterTemp(std::exchange(slot_, -1));
    temp_.clear();

    // The new name on the disk too; a folder that cannot be opened or synced changes nothing.
    const fs::path folder = resolved_.has_parent_path() ? resolved_.parent_path() : fs::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void FileWriter::discard() noexcept {
    file_.reset();
    if (!temp_.empty() && !committed_) ::unlink(temp_.c_str());
    unregisterTemp(std::exchange(slot_, -1));
    temp_.clear();
}

void writeWholeFile(const fs::path& target, std::string_view bytes) {
    FileWriter out(target);
    out.write(bytes);
    out.commit();
}

}  // namespace lithora
