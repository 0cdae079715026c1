#pragma once
// The command-line tool run as a process, in a fresh folder per test.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include "support/test_paths.h"

namespace lithora::cli_test {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_cli_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun run(const std::string& args) {
        const auto out = dir / "stdout.txt", err = dir / "stderr.txt";
        std::string cmd = std::string("'") + LITHORA_CLI + "' " + args + " >'" + out.string() +
                          "' 2>'" + err.string() + "' </dev/null";
        int status = std::system(cmd.c_str());
        CliRun r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }
    static std::string data(const std::string& name) {
        return "'" + std::string(LITHORA_TEST_DATA) + "/cli/" + name + "'";
    }

    fs::path dir;
};

}  // namespace lithora::cli_test
