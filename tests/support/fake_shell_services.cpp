#include "support/fake_shell_services.h"

namespace lithora::test {

FakeShellServices::FakeShellServices(lithora::workspace::Workspace& workspace, DialogSeam& seam,
                                     QString programFolder)
    : workspace_(workspace), seam_(seam), programFolder_(std::move(programFolder)) {}

void FakeShellServices::addCommand(Command command) {
    const CommandId id = command.id;
    commands_.insert_or_assign(id, std::move(command));
}

bool FakeShellServices::enabled(CommandId id) const {
    const auto it = commands_.find(id);
    return it != commands_.end() && (!it->second.enabledWhen || it->second.enabledWhen());
}

bool FakeShellServices::run(CommandId id) {
    if (!enabled(id)) return false;
    const auto run = commands_.at(id).run;
    run();
    return true;
}

}  // namespace lithora::test
