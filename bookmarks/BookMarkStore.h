#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The stored bookmarks: the list value "BookMarks" of the key "BookMarks"
// (bookmark numbers joined by ";", in the order they were added) and one
// subkey per number whose "Name" is the mark, two spaces and the sura's tree
// text.  Every call reads the store afresh.
class BookMarkStore {
public:
    // The text of the sura tree's entry with key "c" + sura; nothing when the
    // tree has no such entry.
    using SuraTreeText = std::function<std::optional<QString>(int sura)>;

    explicit BookMarkStore(SuraTreeText suraTreeText,
                           QString application = QStringLiteral("Miravel"));

    // Bookmark numbers have at most seven digits, so that "210" followed by
    // the number fits a signed 32-bit menu identifier.
    static constexpr int kMaxNumber = 9'999'999;

    // The lowest number whose "Name" is empty or absent (freed numbers are used
    // again); 0 when every number is taken.
    int NextBookMark() const;
    // The sura's display name for a mark ("2:255" gives sura 2's tree text).
    std::optional<QString> GetFullName(const QString& strmark) const;
    // Whether a listed bookmark already has this mark.
    bool Dublicated(const QString& strmark) const;
    // Stores a new bookmark for the mark; its number, or 0 when nothing was
    // stored.
    int AddBookMark(const QString& strmark);
    // Deletes bookmark n's subkey and takes n out of the list.
    void RemoveBookMark(int n);

    // The list value split at ";" (elements as stored).
    QStringList listed() const;
    QString list() const;
    QString name(const QString& number) const;
    QString name(int number) const { return name(QString::number(number)); }

    // "210" followed by the number; 0 when that is no valid identifier.
    static int menuId(int number);
    // The list with the first element equal to n (as a number) taken out.
    static QString listWithout(const QString& list, int n);

    const QString& application() const { return application_; }

private:
    SuraTreeText suraTreeText_;
    QString application_;
};
