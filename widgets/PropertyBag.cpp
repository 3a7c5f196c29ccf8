#include "PropertyBag.h"

#include "WidgetsLog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

qsizetype MemoryPropertyBag::indexOf(const QString& key) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant MemoryPropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const {
    const qsizetype i = indexOf(key);
    return i < 0 ? defaultValue : m_entries[i].second;
}

void MemoryPropertyBag::WriteProperty(const QString& key, const QVariant& value,
                                      const QVariant& defaultValue) {
    if (defaultValue.isValid() && value == defaultValue)
        return;
    set(key, value);
}

void MemoryPropertyBag::set(const QString& key, const QVariant& value) {
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({key, value});
}

QStringList MemoryPropertyBag::keys() const {
    QStringList out;
    for (const auto& e : m_entries)
        out << e.first;
    return out;
}

namespace bagread {

namespace {
QVariant raw(const PropertyBag& bag, const QString& key) {
    return bag.ReadProperty(key, {});
}

// A value that is there but cannot be read is damaged: say so once, use the default.
template <typename T> T damaged(const QString& key, const QVariant& v, T def) {
    if (v.isValid())
        qCInfo(lcWidgets) << "property" << key << "holds an unreadable value" << v
                          << "- its default is used";
    return def;
}

std::optional<qint64> number(const QVariant& v) {
    if (!v.isValid())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1 : 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    const double d = v.toDouble(&ok);
    if (ok && std::isfinite(d) && std::fabs(d) < 9e18)
        return qint64(std::nearbyint(d));
    return std::nullopt;
}
} // namespace

int integer(const PropertyBag& bag, const QString& key, int def) {
    const QVariant v = raw(bag, key);
    const auto n = number(v);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return damaged(key, v, def);
    return int(*n);
}

OleColor colour(const PropertyBag& bag, const QString& key, OleColor def) {
    const QVariant v = raw(bag, key);
    const auto n = number(v);
    if (!n || *n < std::numeric_limits<qint32>::min() || *n > std::numeric_limits<quint32>::max())
        return damaged(key, v, def);
    return OleColor(quint32(*n));
}

bool boolean(const PropertyBag& bag, const QString& key, bool def) {
    const QVariant v = raw(bag, key);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare("True", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare("False", Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto n = number(v);
    return n ? *n != 0 : damaged(key, v, def);
}

float real(const PropertyBag& bag, const QString& key, float def) {
    const QVariant v = raw(bag, key);
    bool ok = false;
    const double d = v.isValid() ? v.toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(d) || std::fabs(d) > 3.0e38)
        return damaged(key, v, def);
    return float(d);
}

QString text(const PropertyBag& bag, const QString& key, const QString& def) {
    const QVariant v = raw(bag, key);
    return v.canConvert<QString>() ? v.toString() : damaged(key, v, def);
}

QFont font(const PropertyBag& bag, const QString& key, const QFont& def) {
    const QVariant v = raw(bag, key);
    if (v.typeId() == QMetaType::QFont)
        return v.value<QFont>();
    if (v.typeId() == QMetaType::QString) {
        QFont f;
        if (f.fromString(v.toString()))
            return f;
    }
    return damaged(key, v, def);
}

Picture picture(const PropertyBag& bag, const QString& key) {
    const QVariant v = raw(bag, key);
    if (v.canConvert<Picture>() && v.typeId() == qMetaTypeId<Picture>())
        return v.value<Picture>();
    if (v.typeId() == QMetaType::QImage)
        return Picture::bitmap(v.value<QImage>());
    return damaged(key, v, Picture());
}

} // namespace bagread

namespace bagprop {

bool read(const PropertyBag& bag, const BagProperty<bool>& p) {
    return bagread::boolean(bag, QString::fromLatin1(p.key), p.defaultValue);
}
int read(const PropertyBag& bag, const BagProperty<int>& p) {
    return bagread::integer(bag, QString::fromLatin1(p.key), p.defaultValue);
}
qint16 read(const PropertyBag& bag, const BagProperty<qint16>& p) {
    const int n = bagread::integer(bag, QString::fromLatin1(p.key), p.defaultValue);
    return qint16(std::clamp(n, -32768, 32767));
}
float read(const PropertyBag& bag, const BagProperty<float>& p) {
    return bagread::real(bag, QString::fromLatin1(p.key), p.defaultValue);
}
OleColor read(const PropertyBag& bag, const BagProperty<OleColor>& p) {
    return bagread::colour(bag, QString::fromLatin1(p.key), p.defaultValue);
}
QString read(const PropertyBag& bag, const BagProperty<const char*>& p) {
    return bagread::text(bag, QString::fromLatin1(p.key), QString::fromLatin1(p.defaultValue));
}

void write(PropertyBag& bag, const BagProperty<OleColor>& p, OleColor value) {
    bag.WriteProperty(QString::fromLatin1(p.key), colourValue(value), colourValue(p.defaultValue));
}
void write(PropertyBag& bag, const BagProperty<const char*>& p, const QString& value) {
    bag.WriteProperty(QString::fromLatin1(p.key), value, QString::fromLatin1(p.defaultValue));
}

} // namespace bagprop
