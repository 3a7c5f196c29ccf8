#include "gifwriter.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <limits>

namespace miravel::artwork {

namespace {

struct ColourCount {
    QRgb colour;
    qint64 count;
};

int channel(QRgb c, int which) {
    switch (which) {
    case 0:
        return qRed(c);
    case 1:
        return qGreen(c);
    default:
        return qBlue(c);
    }
}

// A box of the median cut: a range of the sorted colour list.
struct Box {
    qsizetype begin;
    qsizetype end;

    int widestChannel(const QList<ColourCount>& colours, int* range) const {
        int best = 0;
        *range = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (qsizetype i = begin; i < end; ++i) {
                const int v = channel(colours[i].colour, ch);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            if (hi - lo > *range) {
                *range = hi - lo;
                best = ch;
            }
        }
        return best;
    }

    QRgb average(const QList<ColourCount>& colours) const {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (qsizetype i = begin; i < end; ++i) {
            const ColourCount& cc = colours[i];
            r += qRed(cc.colour) * cc.count;
            g += qGreen(cc.colour) * cc.count;
            b += qBlue(cc.colour) * cc.count;
            n += cc.count;
        }
        n = std::max<qint64>(n, 1);
        return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
    }
};

QList<QRgb> medianCut(QList<ColourCount> colours, int maxColours) {
    QList<Box> boxes{{0, colours.size()}};
    while (boxes.size() < maxColours) {
        qsizetype pick = -1;
        int pickRange = 0;
        int pickChannel = 0;
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2)
                continue;
            int range = 0;
            const int ch = boxes[i].widestChannel(colours, &range);
            if (range > pickRange) {
                pick = i;
                pickRange = range;
                pickChannel = ch;
            }
        }
        if (pick < 0)
            break;
        Box box = boxes[pick];
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [pickChannel](const ColourCount& a, const ColourCount& b) {
                      return channel(a.colour, pickChannel) < channel(b.colour, pickChannel);
                  });
        qint64 total = 0;
        for (qsizetype i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        // Split at the weighted median, but never leave a side empty.
        qint64 running = 0;
        qsizetype split = box.begin + 1;
        for (qsizetype i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        boxes[pick] = {box.begin, split};
        boxes.append({split, box.end});
    }
    QList<QRgb> palette;
    for (const Box& box : boxes)
        palette.append(box.average(colours));
    return palette;
}

int nearest(const QList<QRgb>& palette, QRgb c) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (qsizetype i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(c);
        const int dg = qGreen(palette[i]) - qGreen(c);
        const int db = qBlue(palette[i]) - qBlue(c);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

// Transparent parts are laid on white: every page shows its pictures on white.
QImage opaqueCopy(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    return flat;
}

class BitPacker {
public:
    void put(int code, int width) {
        m_buffer |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish() {
        if (m_bits > 0)
            m_bytes.append(char(m_buffer & 0xff));
        m_buffer = 0;
        m_bits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

void appendWord(QByteArray& out, int value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

} // namespace

QImage PaletteQuantizer::toIndexed(const QImage& image) {
    const QImage flat = opaqueCopy(image);
    QHash<QRgb, qint64> histogram;
    for (int y = 0; y < flat.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x)
            ++histogram[line[x] | 0xff000000u];
    }
    QList<ColourCount> colours;
    colours.reserve(histogram.size());
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.append({it.key(), it.value()});
    // A fixed order keeps the output the same from run to run.
    std::sort(colours.begin(), colours.end(),
              [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });

    QList<QRgb> palette;
    if (colours.size() <= 256) {
        for (const ColourCount& cc : colours)
            palette.append(cc.colour);
    } else {
        palette = medianCut(colours, 256);
    }
    if (palette.isEmpty())
        palette.append(qRgb(255, 255, 255));

    QHash<QRgb, int> indexOf;
    QImage indexed(flat.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < flat.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = in[x] | 0xff000000u;
            auto it = indexOf.constFind(c);
            if (it == indexOf.cend())
                it = indexOf.insert(c, nearest(palette, c));
            out[x] = uchar(it.value());
        }
    }
    return indexed;
}

QByteArray GifWriter::encode(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage indexed = image.format() == QImage::Format_Indexed8 && image.colorCount() <= 256
                               ? image
                               : PaletteQuantizer::toIndexed(image);
    const int width = indexed.width();
    const int height = indexed.height();
    if (width <= 0 || height <= 0 || width > 0xffff || height > 0xffff)
        return {};

    QByteArray out("GIF89a");
    appendWord(out, width);
    appendWord(out, height);
    out.append(char(0xf7)); // global colour table of 256 entries, 8 bits per primary
    out.append(char(0));    // background colour index
    out.append(char(0));    // no aspect ratio
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }

    out.append(char(0x2c)); // image descriptor
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, width);
    appendWord(out, height);
    out.append(char(0)); // no local table, not interlaced

    constexpr int minimumCodeSize = 8;
    constexpr int clearCode = 1 << minimumCodeSize;
    constexpr int endCode = clearCode + 1;
    constexpr int codeWidth = minimumCodeSize + 1;
    // The decoder adds a table entry for every code after the first one that
    // follows a clear; clearing well before 512 entries keeps codes 9 bits wide.
    constexpr int literalsPerClear = 250;

    out.append(char(minimumCodeSize));
    BitPacker packer;
    int sinceClear = literalsPerClear;
    for (int y = 0; y < height; ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (sinceClear == literalsPerClear) {
                packer.put(clearCode, codeWidth);
                sinceClear = 0;
            }
            packer.put(line[x], codeWidth);
            ++sinceClear;
        }
    }
    packer.put(endCode, codeWidth);
    const QByteArray data = packer.finish();
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        out.append(char(n));
        out.append(data.mid(pos, n));
    }
    out.append(char(0));    // end of the image data
    out.append(char(0x3b)); // trailer
    return out;
}

bool GifWriter::write(const QImage& image, const QString& path) {
    const QByteArray bytes = encode(image);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

} // namespace miravel::artwork
