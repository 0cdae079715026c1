// lithora-cli: the batch front end over the core. Results go to standard output, messages to
// standard error; exit 0 on success, 1 on bad input, 2 on a usage error.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/memory.h"
#include "core/common/file_writer.h"
#include "core/common/version.h"

namespace {

using lithora::cli::Command;

// The dispatch table: one line per command.
const Command* const kCommands[] = {
    &lithora::cli::kImportCommand,    &lithora::cli::kElasticCommand,
    &lithora::cli::kCorrelateCommand, &lithora::cli::kTimelapseCommand,
    &lithora::cli::kMergeCommand,     &lithora::cli::kFluidSubCommand,
    &lithora::cli::kAvoCommand,
};

std::string usage() {
    std::string text = "usage:\n";
    for (const Command* c : kCommands) text += c->usage;
    text +=
        "  lithora-cli --help | COMMAND --help\n"
        "  lithora-cli --version\n"
        "Results go to standard output, messages to standard error. Exit 0 on success, 1 on bad\n"
        "input, 2 on a usage error.\n";
    return text;
}

bool isHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

int dispatch(int argc, char** argv) {
    if (argc < 2) throw lithora::cli::UsageError{"no command given"};
    const std::string name = argv[1];
    if (isHelp(name)) {
        std::cout << usage();
        return 0;
    }
    if (name == "--version") {
        std::cout << "lithora-cli " << lithora::programVersion() << "\n";
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command* c : kCommands) {
        if (name != c->name) continue;
        try {
            return c->run(args);
        } catch (lithora::cli::UsageError& e) {
            e.command = c->name;
            throw;
        }
    }
    throw lithora::cli::UsageError{"unknown command '" + name + "'"};
}

}  // namespace

int main(int argc, char** argv) {
    lithora::cli::prepareLargeColumnMemory();
    lithora::removeTemporaryFilesOnSignal();
    try {
        return dispatch(argc, argv);
    } catch (const lithora::cli::HelpShown& help) {
        std::cout << help.text;
        return 0;
    } catch (const lithora::cli::UsageError& e) {
        // An error of one command names it and shows that command's usage.
        for (const Command* c : kCommands)
            if (e.command == c->name) {
                std::cerr << "lithora-cli " << c->name << ": " << e.message << "\nusage:\n"
                          << c->usage << "Run 'lithora-cli " << c->name
                          << " --help' for every option.\n";
                return 2;
            }
        std::cerr << "lithora-cli: " << e.message << "\n" << usage();
        return 2;
    } catch (const lithora::cli::InputError& e) {
        std::cerr << e.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
