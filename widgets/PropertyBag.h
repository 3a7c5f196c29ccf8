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

// One persisted property of a widget: its key in the bag and its default,
// the value a missing or unreadable entry reads as and a write skips.  Each
// widget keeps one table of these; its fields start from it, and
// ReadProperties / WriteProperties go through it.
template <typename T> struct BagProperty {
    const char* key;
    T defaultValue;
};

// Reads and writes through a table row.  Colours (OleColor) are written as
// the host does, texts are given as Latin-1 defaults.
namespace bagprop {
bool read(const PropertyBag& bag, const BagProperty<bool>& p);
int read(const PropertyBag& bag, const BagProperty<int>& p);
qint16 read(const PropertyBag& bag, const BagProperty<qint16>& p);
float read(const PropertyBag& bag, const BagProperty<float>& p);
OleColor read(const PropertyBag& bag, const BagProperty<OleColor>& p);
QString read(const PropertyBag& bag, const BagProperty<const char*>& p);

template <typename T> void write(PropertyBag& bag, const BagProperty<T>& p, const T& value) {
    bag.WriteProperty(QString::fromLatin1(p.key), QVariant(value), QVariant(p.defaultValue));
}
void write(PropertyBag& bag, const BagProperty<OleColor>& p, OleColor value);
void write(PropertyBag& bag, const BagProperty<const char*>& p, const QString& value);
} // namespace bagprop

// Colours are stored as signed 32-bit integers, as the host does.
inline QVariant colourValue(OleColor c) {
    return QVariant(qint32(c));
}
inline QVariant pictureValue(const Picture& p) {
    return QVariant::fromValue(p);
}
