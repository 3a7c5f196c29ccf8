#pragma once

#include "ResScheme.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The start of the GUI tests that run the program's windows with the real
// engine: settings folders of the run's own (a test may still make fresh
// ones per case), the engine prepared as the program prepares it, the
// application named as the program is, then every test object in turn.
template <typename... Tests> int runGuiTests(int argc, char** argv) {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                       settings.path() + QStringLiteral("/system"));
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    int status = 0;
    const auto run = [&](auto&& test) { status |= QTest::qExec(&test, argc, argv); };
    (run(Tests()), ...);
    return status;
}

#define MIRAVEL_GUI_TEST_MAIN(...)                                                                 \
    int main(int argc, char** argv) {                                                              \
        return runGuiTests<__VA_ARGS__>(argc, argv);                                               \
    }
