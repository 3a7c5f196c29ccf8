#include "RccValidator.h"

#include <QSet>
#include <QVector>

namespace {

constexpr quint16 kDirectory = 0x02;
// Qt reads every offset as a signed 32-bit number.
constexpr qint64 kLargestOffset = 0x7fffffff;

class RccWalker {
public:
    RccWalker(const uchar* data, qint64 size) : data_(data), size_(size) {}

    std::optional<QHash<QString, RccEntry>> run() {
        if (data_ == nullptr || size_ < 20 || size_ > kLargestOffset ||
            qstrncmp(reinterpret_cast<const char*>(data_), "qres", 4) != 0)
            return std::nullopt;
        const quint32 version = u32(4);
        if (version < 1 || version > 3 || (version >= 3 && size_ < 24))
            return std::nullopt;
        tree_ = u32(8);
        data0_ = u32(12);
        names_ = u32(16);
        nodeSize_ = version >= 2 ? 22 : 14;
        if (!walk())
            return std::nullopt;
        return entries_;
    }

private:
    quint32 u16(qint64 at) const { return (quint32(data_[at]) << 8) | data_[at + 1]; }
    quint32 u32(qint64 at) const { return (u16(at) << 16) | u16(at + 2); }
    bool inside(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
    }
    qint64 nodeAt(qint64 node) const { return qint64(tree_) + node * nodeSize_; }

    // A name as Qt reads it: length, hash, UTF-16 characters.
    std::optional<QString> nameOf(qint64 node) const {
        const qint64 at = qint64(names_) + u32(nodeAt(node));
        if (!inside(at, 6))
            return std::nullopt;
        const qint64 length = u16(at);
        if (length == 0 || !inside(at + 6, length * 2))
            return std::nullopt;
        QString name(length, Qt::Uninitialized);
        for (qint64 i = 0; i < length; ++i)
            name[i] = QChar(char16_t(u16(at + 6 + 2 * i)));
        if (name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
            name == QLatin1String(".."))
            return std::nullopt;
        return name;
    }

    // Queues the children of the directory node `node`; Qt's binary search
    // may probe any of them.
    bool queueChildren(qint64 node, const QString& path) {
        const qint64 at = nodeAt(node);
        const qint64 count = u32(at + 6);
        const qint64 first = u32(at + 10);
        if (count > kLargestOffset || first > kLargestOffset ||
            !inside(nodeAt(first), count * nodeSize_))
            return false;
        for (qint64 child = first; child < first + count; ++child)
            pending_.append({child, path});
        return true;
    }

    bool walk() {
        // Qt takes node 0 for a directory whatever its flags say.
        if (!inside(nodeAt(0), nodeSize_) || !(u16(nodeAt(0) + 4) & kDirectory) ||
            !queueChildren(0, QString()))
            return false;
        QSet<qint64> seen{0};
        while (!pending_.isEmpty()) {
            const auto [node, parent] = pending_.takeLast();
            if (seen.contains(node))
                return false;
            seen.insert(node);
            const auto name = nameOf(node);
            if (!name)
                return false;
            const QString path = parent.isEmpty() ? *name : parent + QLatin1Char('/') + *name;
            const qint64 at = nodeAt(node);
            const quint16 flags = quint16(u16(at + 4));
            if (flags & kDirectory) {
                if (!queueChildren(node, path))
                    return false;
                continue;
            }
            const qint64 block = qint64(data0_) + u32(at + 10);
            if (!inside(block, 4) || !inside(block + 4, u32(block)) || entries_.contains(path))
                return false;
            entries_.insert(path, RccEntry{block + 4, u32(block), flags});
        }
        return true;
    }

    struct Pending {
        qint64 node;
        QString parentPath;
    };

    const uchar* data_;
    qint64 size_;
    quint32 tree_ = 0;
    quint32 data0_ = 0;
    quint32 names_ = 0;
    qint64 nodeSize_ = 14;
    QVector<Pending> pending_;
    QHash<QString, RccEntry> entries_;
};

} // namespace

std::optional<QHash<QString, RccEntry>> indexRcc(const uchar* data, qint64 size) {
    return RccWalker(data, size).run();
}

bool isWellFormedRcc(const uchar* data, qint64 size) {
    return indexRcc(data, size).has_value();
}
