#pragma once

#include <QSettings>
#include <QTemporaryDir>

// Settings folders of one test's own, fresh for every test.
class FreshSettings {
public:
    FreshSettings() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           dir_.path() + QStringLiteral("/system"));
    }

private:
    QTemporaryDir dir_;
};
