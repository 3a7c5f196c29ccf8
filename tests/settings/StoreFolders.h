#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// A settings store of a test's own: the user's and the system-wide folders
// point into a fresh temporary folder, never at the real configuration.
class StoreFolders {
public:
    StoreFolders() {
        QDir(root()).mkpath(QStringLiteral("user"));
        QDir(root()).mkpath(QStringLiteral("system"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userFolder());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, systemFolder());
    }

    QString root() const { return m_root.path(); }
    QString userFolder() const { return root() + QStringLiteral("/user"); }
    QString systemFolder() const { return root() + QStringLiteral("/system"); }
    QString userFile() const { return userFolder() + QStringLiteral("/Talvesk/Miravel.ini"); }
    QString systemFile() const { return systemFolder() + QStringLiteral("/Talvesk/Miravel.ini"); }

    // What an installer puts into the system-wide file.
    void writeSystemFile(const QByteArray& content) const { writeFile(systemFile(), content); }
    void writeUserFile(const QByteArray& content) const { writeFile(userFile(), content); }

    static QByteArray contentOf(const QString& fileName) {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Values of a store file as a fresh parser sees them (a copy under a new
    // name, so no cached reading of the original can answer).
    QSettings::SettingsMap parse(const QString& fileName, QSettings::Status* status) const {
        const QString copy = root() + QStringLiteral("/parsed-%1.ini").arg(++m_parses);
        QFile::copy(fileName, copy);
        QSettings settings(copy, QSettings::IniFormat);
        QSettings::SettingsMap values;
        for (const QString& key : settings.allKeys())
            values.insert(key, settings.value(key));
        *status = settings.status();
        return values;
    }

private:
    static void writeFile(const QString& fileName, const QByteArray& content) {
        QDir().mkpath(QFileInfo(fileName).absolutePath());
        QFile file(fileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    QTemporaryDir m_root;
    mutable int m_parses = 0;
};
