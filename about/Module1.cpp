#include "Module1.h"

namespace Module1 {

qint32 GetOSPlatform() {
    // Every platform Qt 6 runs on is of the current family.
    return 2;
}

} // namespace Module1
