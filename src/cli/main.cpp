// lithora-cli: the batch front end over the core. Results go to standard output, messages to
// standard error; exit 0 on success, 1 on bad input, 2 on a usage error.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"

namespace {

using lithora::cli::Command;

// The dispatch table: one line per command.
const Command* const kCommands[] = {
    &lithora::cli::kImportCommand,
    &lithora::cli::kElasticCommand,
    &lithora::cli::kCorrelateCommand,
    &lithora::cli::kTimelapseCommand,
};

std::string usage() {
    std::string text = "usage:\n";
    for (const Command* c : kCommands) text += c->usage;
    return text;
}

int dispatch(int argc, char** argv) {
    if (argc < 2) throw lithora::cli::UsageError{"no command given"};
    const std::string name = argv[1];
    for (const Command* c : kCommands)
        if (name == c->name) return c->run(std::vector<std::string>(argv + 2, argv + argc));
    throw lithora::cli::UsageError{"unknown command '" + name + "'"};
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return dispatch(argc, argv);
    } catch (const lithora::cli::UsageError& e) {
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
