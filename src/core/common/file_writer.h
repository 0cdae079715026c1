#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lithora {

// Every file the program writes goes through this writer, so a failed write never costs the
// user the file that was there before:
// - the bytes go to a new temporary file in the target's folder, through a buffer of fixed
//   size, so a large file never needs its whole text in memory;
// - commit() flushes the file to the disk, checks every step, and only then renames it over
//   the target; without a commit (an error, an exception, a cancelled save) the temporary
//   file is removed and the target is left exactly as it was;
// - a target that is a symbolic link is written through: the file it points to is replaced
//   and the link stays a link;
// - a target that exists keeps its permission bits (and, where allowed, its owner);
// - a target that exists and is not a regular file (a folder, a device, a fifo, a socket) is
//   refused before anything is written.
// Every failure is a lithora::Error "Cannot write file <target>: <reason>.".
class FileWriter {
  public:
    // Checks the target and creates the temporary file; throws lithora::Error.
    explicit FileWriter(const std::filesystem::path& target);
    ~FileWriter();  // removes the temporary file unless committed
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void write(std::string_view bytes);
    // Writes text and the line end every written line carries: CR LF.
    void line(std::string_view text);
    // Makes the written bytes the target's contents; throws lithora::Error.
    void commit();
    // Gives up: the temporary file goes, the target stays as it was. Safe to call twice.
    void discard() noexcept;

    const std::filesystem::path& target() const { return target_; }
    // The file that is replaced: the target, or what its symbolic links lead to.
    const std::filesystem::path& resolvedTarget() const { return resolved_; }

  private:
    struct Closer {
        void operator()(std::FILE* f) const noexcept { std::fclose(f); }
    };

    // Removes the temporary file and throws the error that names the target.
    [[noreturn]] void fail(int err);
    [[noreturn]] void fail(const std::string& reason);

    std::filesystem::path target_;    // as the caller named it, for messages
    std::filesystem::path resolved_;  // where the bytes land
    std::filesystem::path temp_;
    std::vector<char> buffer_;  // the stream's buffer (outlives it): all the memory a write uses
    std::unique_ptr<std::FILE, Closer> file_;
    bool committed_ = false;
    int slot_ = -1;  // where the temporary file is listed for removal on a signal
};

// Writes bytes as the whole contents of target through a FileWriter.
void writeWholeFile(const std::filesystem::path& target, std::string_view bytes);

// A run that ends by a signal leaves no temporary file behind. The temporary file of every
// FileWriter still writing is removed when the process is asked to end (SIGTERM, SIGINT,
// SIGHUP), then the signal takes its usual course. Installs the handlers only where the
// signal still has its default action, so a toolkit's own handling is kept. Call once, at
// start-up.
void removeTemporaryFilesOnSignal();

// Removes the temporary files that writers of processes no longer running left in folder
// (a run killed outright gets no signal to clean up after). A FileWriter does this for its
// folder before its first file there; the desktop may call it for a folder at start-up.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace lithora
