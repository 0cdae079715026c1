#include "core/common/file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "core/common/error.h"

namespace lithora {
namespace {

namespace fs = std::filesystem;

class FileWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lithora_fw_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    static std::string read(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    static void put(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    std::vector<std::string> entries(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> entries() const { return entries(dir_); }
    static unsigned modeOf(const fs::path& p) {
        struct stat st {};
        EXPECT_EQ(::stat(p.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    // The message every refusal carries: the target as named, a reason, a full stop.
    static std::string messageOf(const fs::path& target) {
        try {
            FileWriter w(target);
            w.write("new");
            w.commit();
        } catch (const Error& e) {
            return e.what();
        }
        return "no error";
    }
    fs::path dir_;
};

TEST_F(FileWriterTest, StreamsChunksAndReplacesTheTargetOnlyAtCommit) {
    const fs::path target = dir_ / "out.txt";
    put(target, "old");
    {
        FileWriter w(target);
        w.write("abc");
        w.line("def");
        const std::string big(300000, 'x');  // more than the buffer holds
        w.write(big);
        EXPECT_EQ(read(target), "old");  // nothing replaced before the commit
        EXPECT_EQ(entries().size(), 2u);
        w.commit();
    }
    EXPECT_EQ(read(target), "abcdef\r\n" + std::string(300000, 'x'));
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.txt"}));
}

TEST_F(FileWriterTest, WithoutCommitTheTargetStaysAndNoFileIsLeft) {
    put(dir_ / "old.txt", "old");
    {
        FileWriter w(dir_ / "old.txt");
        w.write("half");
    }
    {
        FileWriter w(dir_ / "new.txt");
        w.write("half");
        w.discard();
        w.discard();
        EXPECT_THROW(w.write("more"), Error);
    }
    EXPECT_EQ(read(dir_ / "old.txt"), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"old.txt"}));
}

TEST_F(FileWriterTest, WritesThroughSymbolicLinksWhichStayLinks) {
    fs::create_directories(dir_ / "data");
    put(dir_ / "data" / "real.las", "old");
    fs::create_symlink("data/real.las", dir_ / "link1");  // relative to the link's folder
    fs::create_symlink(dir_ / "link1", dir_ / "link2");   // a chain, absolute
    writeWholeFile(dir_ / "link2", "new");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link1"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link2"));
    EXPECT_EQ(read(dir_ / "data" / "real.las"), "new");
    EXPECT_EQ(entries(dir_ / "data"), (std::vector<std::string>{"real.las"}));

    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("data/later.las", dir_ / "dangling");
    writeWholeFile(dir_ / "dangling", "later");
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
    EXPECT_EQ(read(dir_ / "data" / "later.las"), "later");

    // A loop of links is refused with a message.
    fs::create_symlink("loopB", dir_ / "loopA");
    fs::create_symlink("loopA", dir_ / "loopB");
    EXPECT_EQ(messageOf(dir_ / "loopA").rfind("Cannot write file " + (dir_ / "loopA").string(), 0),
              0u);
}

TEST_F(FileWriterTest, KeepsThePermissionBitsOfTheFileItReplaces) {
    for (unsigned mode : {0600u, 0640u, 0755u}) {
        const fs::path target = dir_ / ("m" + std::to_string(mode));
        put(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        writeWholeFile(target, "new");
        EXPECT_EQ(read(target), "new");
        EXPECT_EQ(modeOf(target), mode);
    }
    // A new file gets the usual mode of a new file.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    writeWholeFile(dir_ / "fresh", "x");
    EXPECT_EQ(modeOf(dir_ / "fresh"), 0666u & ~static_cast<unsigned>(mask));
}

TEST_F(FileWriterTest, RefusesWhatIsNotARegularFileAndLeavesItAlone) {
    fs::create_directory(dir_ / "folder");
    put(dir_ / "folder" / "keep", "kept");
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir_ / "to-null");

    struct Case {
        fs::path target;
        std::string reason;
    };
    const Case cases[] = {{dir_ / "folder", "it is a folder"},
                          {dir_ / "fifo", "it is not a regular file"},
                          {"/dev/null", "it is not a regular file"},
                          {dir_ / "to-null", "it is not a regular file"},
                          {dir_ / "missing" / "out.txt", "No such file or directory"},
                          {"", "no file name"},
                          {dir_ / "folder" / "", "no file name"}};
    for (const Case& c : cases)
        EXPECT_EQ(messageOf(c.target),
                  "Cannot write file " + c.target.string() + ": " + c.reason + ".");

    EXPECT_EQ(read(dir_ / "folder" / "keep"), "kept");
    EXPECT_EQ(entries(dir_ / "folder"), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(fs::status(dir_ / "fifo").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(dir_ / "to-null"));
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
    EXPECT_EQ(entries(), (std::vector<std::string>{"fifo", "folder", "to-null"}));
}

}  // namespace
}  // namespace lithora
