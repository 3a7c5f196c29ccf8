#pragma once

#include <QtGlobal>

namespace Module1 {
// Platform families: 0 Win32s, 1 the 95/98 family, 2 the NT family and every
// current system.  Callers take values below 2 for an old platform.
qint32 GetOSPlatform();
} // namespace Module1
