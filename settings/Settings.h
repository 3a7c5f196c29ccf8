#pragma once

#include "AppSettings.h"
#include "SettingKeys.h"

#include <QObject>
#include <QString>

#include <optional>

// The program's settings for one run: typed access to the stored values of
// the key table (through RegSetting), the values read at start-up that every
// part uses (the library files, the display order, the gradient), and a
// signal whenever a value is written, so that what shows a value can follow
// a change made elsewhere.
class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QString application = QStringLiteral("Miravel"), QObject* parent = nullptr);

    const QString& application() const { return application_; }

    // The stored text, or the key's default.
    QString text(const SettingKey& key, int number = 0) const;
    QString text(const SettingKey& key, const QString& defaultText, int number) const;
    // The leading number of the stored text ("12abc" reads 12), else `fallback`.
    qint32 leadingNumber(const SettingKey& key, qint32 fallback, int number = 0) const;
    // The stored text when it is a whole number, else nothing.
    std::optional<qint32> strictNumber(const SettingKey& key, int number = 0) const;

    // Writes a value and announces it.  False when nothing was written.
    bool save(const SettingKey& key, const QString& text, int number = 0);

    // The values of this run.
    AppSettings& values() { return values_; }
    const AppSettings& values() const { return values_; }

    // A new display order: kept for the run, stored, announced.
    void setOrderString(const QString& order);

    static bool isKey(const SettingKey& key, const QString& section, const QString& valueName);

signals:
    // A value was written (section as stored, e.g. "Settings").
    void valueChanged(const QString& section, const QString& valueName);

private:
    QString application_;
    AppSettings values_;
};
