#pragma once

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include "OleColor.h"
#include "Picture.h"

// The host's per-form key/value store of a widget's properties. Keys are
// matched without regard to case. A write whose value equals the given
// default is skipped; an invalid default means "always write".
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    virtual QVariant ReadProperty(const QString& key, const QVariant& defaultValue) const = 0;
    virtual void WriteProperty(const QString& key, const QVariant& value,
                               const QVariant& defaultValue = QVariant()) = 0;
};

// An in-memory bag that keeps the keys in the order they were first written.
class MemoryPropertyBag : public PropertyBag {
public:
    QVariant ReadProperty(const QString& key, const QVariant& defaultValue) const override;
    void WriteProperty(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = QVariant()) override;

    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    QStringList keys() const;
    void set(const QString& key, const QVariant& value); // stores regardless of defaults
    void clear() { m_entries.clear(); }

private:
    qsizetype indexOf(const QString& key) const;
    QList<QPair<QString, QVariant>> m_entries;
};

// Typed reads with a quiet fallback: a missing or unreadable value gives the default.
namespace bagread {
int integer(const PropertyBag& bag, const QString& key, int def);
OleColor colour(const PropertyBag& bag, const QString& key, OleColor def);
bool boolean(const PropertyBag& bag, const QString& key, bool def);
float real(const PropertyBag& bag, const QString& key, float def);
QString text(const PropertyBag& bag, const QString& key, const QString& def);
QFont font(const PropertyBag& bag, const QString& key, const QFont& def);
Picture picture(const PropertyBag& bag, const QString& key);
} // namespace bagread

// Colours are stored as signed 32-bit integers, as the host does.
inline QVariant colourValue(OleColor c) {
    return QVariant(qint32(c));
}
inline QVariant pictureValue(const Picture& p) {
    return QVariant::fromValue(p);
}
