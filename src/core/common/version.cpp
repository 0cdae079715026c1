#include "core/common/version.h"

namespace lithora {

const char* programVersion() {
    return LITHORA_VERSION;
}

}  // namespace lithora
