#pragma once

namespace lithora {

// The program's version as the build gives it ("0.1.0"): one text for the command-line
// tool's --version and the About window.
const char* programVersion();

}  // namespace lithora
