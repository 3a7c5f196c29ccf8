#include "FavouritesFile.h"

#include "PlainNumber.h"
#include "SettingKeys.h"
#include "VerseMark.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringList>

namespace {

const QString kHeader = QStringLiteral("Miravel favourites 1");
// The file holds the bookmark key as the store does.
const QString kKey = QString(Setting::BookMarkList.topSection());
const QString kListValue = QString::fromLatin1(Setting::BookMarkList.valueName);
const QString kNameValue = QString::fromLatin1(Setting::BookMarkName.valueName);
constexpr int kMaxNumberDigits = 7;

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\')) {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        if (text[i] == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else if (text[i] == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (text[i] == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            return std::nullopt;
    }
    return out;
}

// The list as the settings file holds it, "2;1" in quotes (there a ";"
// outside quotes starts a comment), is the same list.
QString unquotedList(const QString& value) {
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

bool isSaneName(const QString& name) {
    return !name.isEmpty() && name.size() <= FavouritesFile::kMaxNameLength;
}

// One key of the file being read: the list value of the bookmark key itself
// (number 0), or the "Name" of a numbered subkey.
struct FileKey {
    int number = 0;
    std::optional<QString> value;
};

class Reader {
public:
    std::optional<BookmarkSet> read(const QByteArray& content) {
        if (content.size() > FavouritesFile::kMaxFileSize)
            return fail(QStringLiteral("the file is too large"));
        if (content.contains('\0'))
            return fail(QStringLiteral("the file is not text"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(content);
        if (utf8.hasError())
            return fail(QStringLiteral("the file is not UTF-8 text"));

        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        if (lines.first() != kHeader)
            return fail(QStringLiteral("the file does not begin with \"%1\"").arg(kHeader));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (!readLine(lines.at(i)))
                return fail(QStringLiteral("line %1: %2").arg(i + 1).arg(why_));
        }
        return result();
    }

    QString why() const { return why_; }

private:
    std::nullopt_t fail(const QString& why) {
        why_ = why;
        return std::nullopt;
    }

    bool refuse(const QString& why) {
        why_ = why;
        return false;
    }

    bool readLine(const QString& line) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            return true;
        if (line.startsWith(QLatin1Char('[')))
            return readSection(line);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return refuse(QStringLiteral("neither a key nor a value"));
        if (!current_)
            return refuse(QStringLiteral("a value outside a key"));
        const QString name = line.left(equals);
        const QString& expected = current_->number == 0 ? kListValue : kNameValue;
        if (name.compare(expected, Qt::CaseInsensitive) != 0)
            return refuse(QStringLiteral("an unknown value \"%1\"").arg(name.left(40)));
        if (current_->value)
            return refuse(QStringLiteral("a value given twice"));
        const std::optional<QString> value = unescaped(QStringView(line).mid(equals + 1));
        if (!value)
            return refuse(QStringLiteral("a broken escape"));
        if (current_->number != 0 && !isSaneName(*value))
            return refuse(QStringLiteral("an empty or overlong name"));
        current_->value = current_->number == 0 ? unquotedList(*value) : *value;
        return true;
    }

    bool readSection(const QString& line) {
        if (!line.endsWith(QLatin1Char(']')))
            return refuse(QStringLiteral("an unclosed key"));
        const QString path = line.mid(1, line.size() - 2);
        const QStringList parts = path.split(QLatin1Char('\\'));
        if (parts.first().compare(kKey, Qt::CaseInsensitive) != 0 || parts.size() > 2)
            return refuse(QStringLiteral("a key outside the bookmarks"));
        int number = 0;
        if (parts.size() == 2) {
            const std::optional<int> parsed = FavouritesFile::bookmarkNumber(parts.at(1));
            if (!parsed)
                return refuse(QStringLiteral("a bookmark key that is no number"));
            number = *parsed;
        }
        if (keys_.contains(number))
            return refuse(QStringLiteral("a key given twice"));
        current_ = &keys_[number];
        current_->number = number;
        return true;
    }

    std::optional<BookmarkSet> result() {
        if (!keys_.contains(0) || !keys_[0].value)
            return fail(QStringLiteral("no list of bookmarks"));
        BookmarkSet set;
        const QString list = *keys_[0].value;
        const QStringList elements = list.isEmpty() ? QStringList() : list.split(QLatin1Char(';'));
        for (const QString& element : elements) {
            const std::optional<int> number = FavouritesFile::bookmarkNumber(element);
            if (!number)
                return fail(QStringLiteral("the list names \"%1\"").arg(element.left(40)));
            if (set.names.contains(*number))
                return fail(QStringLiteral("the list names %1 twice").arg(*number));
            if (!keys_.contains(*number) || !keys_[*number].value)
                return fail(QStringLiteral("the list names %1, which has no name").arg(*number));
            set.order << *number;
            set.names.insert(*number, *keys_[*number].value);
        }
        if (keys_.size() != set.order.size() + 1)
            return fail(QStringLiteral("a bookmark key missing from the list"));
        // The Add dialog gives a verse one bookmark; so does an import.
        QSet<QString> marks;
        for (const int number : set.order) {
            const QString mark = VerseMark::markOf(set.names.value(number));
            if (marks.contains(mark))
                return fail(QStringLiteral("the verse %1 is bookmarked twice").arg(mark.left(40)));
            marks.insert(mark);
        }
        return set;
    }

    QMap<int, FileKey> keys_;
    FileKey* current_ = nullptr;
    QString why_;
};

// A value of the stored key, matching its name without regard to case.
std::optional<QString> storedValue(const StoredKey& key, const QString& path,
                                   const QString& valueName) {
    const auto values = key.constFind(path);
    if (values == key.cend())
        return std::nullopt;
    for (auto value = values->cbegin(); value != values->cend(); ++value) {
        if (value.key().compare(valueName, Qt::CaseInsensitive) == 0)
            return value.value();
    }
    return std::nullopt;
}

} // namespace

namespace FavouritesFile {

std::optional<int> bookmarkNumber(const QString& text) {
    return plainNumber(text, kMaxNumberDigits);
}

QByteArray write(const BookmarkSet& bookmarks) {
    QStringList numbers;
    for (const int number : bookmarks.order)
        numbers << QString::number(number);
    QString text = kHeader + QLatin1Char('\n');
    text += QStringLiteral("[%1]\n%2=%3\n").arg(kKey, kListValue, numbers.join(QLatin1Char(';')));
    for (const int number : bookmarks.order) {
        text += QStringLiteral("\n[%1\\%2]\n%3=%4\n")
                    .arg(kKey, QString::number(number), kNameValue,
                         escaped(bookmarks.names.value(number)));
    }
    return text.toUtf8();
}

std::optional<BookmarkSet> read(const QByteArray& content, QString* why) {
    Reader reader;
    std::optional<BookmarkSet> set = reader.read(content);
    if (why)
        *why = reader.why();
    return set;
}

StoredKey toStoredKey(const BookmarkSet& bookmarks) {
    QStringList numbers;
    StoredKey key;
    for (const int number : bookmarks.order) {
        numbers << QString::number(number);
        key.insert(QString::number(number), {{kNameValue, bookmarks.names.value(number)}});
    }
    key.insert(QString(), {{kListValue, numbers.join(QLatin1Char(';'))}});
    return key;
}

BookmarkSet fromStoredKey(const StoredKey& key) {
    BookmarkSet set;
    QSet<QString> marks;
    const QString list = storedValue(key, QString(), kListValue).value_or(QString());
    for (const QString& element : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const std::optional<int> number = bookmarkNumber(element);
        if (!number || set.names.contains(*number))
            continue;
        const std::optional<QString> name = storedValue(key, element, kNameValue);
        if (!name || !isSaneName(*name) || marks.contains(VerseMark::markOf(*name)))
            continue;
        marks.insert(VerseMark::markOf(*name));
        set.order << *number;
        set.names.insert(*number, *name);
    }
    return set;
}

} // namespace FavouritesFile
