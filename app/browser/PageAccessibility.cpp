#include "PageAccessibility.h"

#include <QByteArray>
#include <QtGlobal>

namespace {
constexpr char kVariable[] = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";
}

void allowPageAccessibility() {
    // The engine reads the variable only on Linux; elsewhere it is harmless.
    // A value the user set stays, so the page can still be kept out of reach.
    if (!qEnvironmentVariableIsSet(kVariable))
        qputenv(kVariable, "1");
}
