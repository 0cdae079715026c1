#pragma once
// Shared pieces of lithora-cli: the command table, option parsing, the errors that decide the
// exit code, and the outputs more than one command writes.
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace lithora::store {
class Table;
}
namespace lithora::workspace {
class Workspace;
}

namespace lithora::cli {

// Exit 2 with the usage text. The dispatch names the command the error came from.
struct UsageError {
    std::string message;
    std::string command = {};
};
// `COMMAND --help`: the command's help, printed on standard output with exit 0.
struct HelpShown {
    std::string text;
};
// Exit 1 with the message alone (the program's own text, such as "Error reading file.").
struct InputError {
    std::string message;
};

// One command of the tool. run() gets the words after the command name and returns the exit
// code; it throws UsageError or InputError for the two kinds of failure.
struct Command {
    const char* name;
    const char* summary;  // what the command does, one sentence
    const char* usage;    // its lines of the usage text, each starting "  lithora-cli NAME"
    int (*run)(const std::vector<std::string>& args);
};

// The command line of one command: the words that are no option, and the options given.
struct Args {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;  // valued options: name -> value
    std::vector<std::string> flags;              // options without a value, as given

    std::optional<std::string> option(const std::string& name) const;
    bool flag(const std::string& name) const;
    // The value of a numeric option; fallback when absent; UsageError when no number.
    double number(const std::string& name, double fallback) const;
    // The value of an option that takes one of a few words; UsageError for any other word.
    std::optional<std::string> choice(const std::string& name,
                                      const std::vector<std::string>& allowed) const;
    // A positive whole number; fallback when absent.
    int count(const std::string& name, int fallback) const;
};

// Parses the words after a command's name against the options it takes (CLI11). Unknown
// options and missing values are usage errors naming the option; so is a file count outside
// [minFiles, maxFiles]. --help (or -h) anywhere throws HelpShown with the command's summary,
// usage and every option it takes, described.
Args parseArgs(const Command& command, const std::vector<std::string>& args,
               const std::vector<std::string>& valued, const std::vector<std::string>& flags,
               std::size_t minFiles = 1, std::size_t maxFiles = 1);

// Writes the first fieldCount fields of a table as tab-separated text: field names, then one
// line per visible record; a null cell is empty; lines end with CR LF. The old file is
// replaced only when the new one is complete.
void writeTsv(const store::Table& table, int fieldCount, const std::filesystem::path& target);

// Writes text lines, each ending CR LF; the old file is replaced only when the new one is
// complete.
void writeLines(const std::vector<std::string>& lines, const std::filesystem::path& target);

// The JSON object that import (and every command that builds a workspace) prints.
nlohmann::json describe(const workspace::Workspace& ws);
// Prints a JSON value on standard output as the tool prints every JSON result.
void printJson(const nlohmann::json& j);

}  // namespace lithora::cli
