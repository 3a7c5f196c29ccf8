#include "RccValidator.h"

#include <QSet>
#include <QVector>

namespace {

class RccWalker {
public:
    RccWalker(const uchar* data, qint64 size) : data_(data), size_(size) {}

    bool run() {
        if (size_ < 20 || qstrncmp(reinterpret_cast<const char*>(data_), "qres", 4) != 0)
            return false;
        const quint32 version = u32(4);
        if (version < 1 || version > 3)
            return false;
        tree_ = u32(8);
        data0_ = u32(12);
        names_ = u32(16);
        if (version >= 3 && size_ < 24)
            return false;
        nodeSize_ = version >= 2 ? 22 : 14;
        return walk();
    }

private:
    quint32 u16(qint64 at) const { return (quint32(data_[at]) << 8) | data_[at + 1]; }
    quint32 u32(qint64 at) const { return (u16(at) << 16) | u16(at + 2); }
    bool inside(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
    }

    bool nameOk(quint32 nameOffset) const {
        const qint64 at = qint64(names_) + nameOffset;
        if (!inside(at, 6))
            return false;
        return inside(at + 6, qint64(u16(at)) * 2);
    }

    bool walk() {
        QVector<quint32> pending{0};
        QSet<quint32> seen;
        while (!pending.isEmpty()) {
            const quint32 node = pending.takeLast();
            if (seen.contains(node))
                return false;
            seen.insert(node);
            const qint64 at = qint64(tree_) + qint64(node) * nodeSize_;
            if (!inside(at, nodeSize_) || !nameOk(u32(at)))
                return false;
            const quint32 flags = u16(at + 4);
            if (flags & 0x02) { // directory
                const quint32 count = u32(at + 6);
                const quint32 first = u32(at + 10);
                if (!inside(qint64(tree_) + qint64(first) * nodeSize_, qint64(count) * nodeSize_))
                    return false;
                for (quint32 i = 0; i < count; ++i)
                    pending.append(first + i);
            } else {
                const qint64 block = qint64(data0_) + u32(at + 10);
                if (!inside(block, 4) || !inside(block + 4, u32(block)))
                    return false;
            }
        }
        return true;
    }

    const uchar* data_;
    qint64 size_;
    quint32 tree_ = 0;
    quint32 data0_ = 0;
    quint32 names_ = 0;
    qint64 nodeSize_ = 14;
};

} // namespace

bool isWellFormedRcc(const uchar* data, qint64 size) {
    return data != nullptr && RccWalker(data, size).run();
}
