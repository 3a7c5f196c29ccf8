#include "BookMarkStore.h"

#include "BookmarksLog.h"
#include "RegSetting.h"
#include "SettingKeys.h"
#include "VerseMark.h"

#include <QStringList>

namespace {

const QString kSeparator = QStringLiteral(";");

QString listSection() {
    return QString::fromLatin1(Setting::BookMarkList.section);
}

QString numberSection(const QString& number) {
    return QString::fromLatin1(Setting::BookMarkName.section).arg(number);
}

} // namespace

BookMarkStore::BookMarkStore(SuraTreeText suraTreeText, QString application)
    : suraTreeText_(std::move(suraTreeText)), application_(std::move(application)) {}

QString BookMarkStore::list() const {
    return RegSetting::GetValue(application_, listSection(),
                                QString::fromLatin1(Setting::BookMarkList.valueName), QString());
}

QStringList BookMarkStore::listed() const {
    const QString text = list();
    return text.isEmpty() ? QStringList() : text.split(kSeparator);
}

QString BookMarkStore::name(const QString& number) const {
    if (number.isEmpty())
        return {};
    return RegSetting::GetValue(application_, numberSection(number),
                                QString::fromLatin1(Setting::BookMarkName.valueName), QString());
}

int BookMarkStore::NextBookMark() const {
    for (int n = 1; n <= kMaxNumber; ++n) {
        if (name(n).isEmpty())
            return n;
    }
    qCInfo(lcBookmarks) << "every bookmark number is taken";
    return 0;
}

std::optional<QString> BookMarkStore::GetFullName(const QString& strmark) const {
    bool isNumber = false;
    const int sura = strmark.section(QLatin1Char(':'), 0, 0).toInt(&isNumber);
    if (!isNumber || !suraTreeText_)
        return std::nullopt;
    return suraTreeText_(sura);
}

bool BookMarkStore::Dublicated(const QString& strmark) const {
    for (const QString& number : listed()) {
        if (VerseMark::markOf(name(number)) == strmark)
            return true;
    }
    return false;
}

int BookMarkStore::AddBookMark(const QString& strmark) {
    const int n = NextBookMark();
    if (n == 0)
        return 0;
    const QString before = list();
    QString after = before;
    // A listed number whose name was lost is named again, not listed twice.
    if (!listed().contains(QString::number(n)))
        after = before.isEmpty() ? QString::number(n) : before + kSeparator + QString::number(n);
    if (!RegSetting::SaveValue(application_, listSection(),
                               QString::fromLatin1(Setting::BookMarkList.valueName), after))
        return 0;
    const std::optional<QString> fullName = GetFullName(strmark);
    if (!fullName)
        qCInfo(lcBookmarks) << "no sura tree entry for the mark" << strmark;
    const QString text = strmark + QStringLiteral("  ") + fullName.value_or(QString());
    if (!RegSetting::SaveValue(application_, numberSection(QString::number(n)),
                               QString::fromLatin1(Setting::BookMarkName.valueName), text)) {
        // The list must not name a bookmark that has no name.
        RegSetting::SaveValue(application_, listSection(),
                              QString::fromLatin1(Setting::BookMarkList.valueName), before);
        return 0;
    }
    return n;
}

void BookMarkStore::RemoveBookMark(int n) {
    RegSetting::DeleteKey(application_, numberSection(QString::number(n)));
    RegSetting::SaveValue(application_, listSection(),
                          QString::fromLatin1(Setting::BookMarkList.valueName),
                          listWithout(list(), n));
}

QString BookMarkStore::listWithout(const QString& list, int n) {
    QStringList elements = list.split(kSeparator);
    for (QString& element : elements) {
        if (element.trimmed().toInt() == n) {
            element.clear();
            break;
        }
    }
    QString text = elements.join(kSeparator);
    if (text.startsWith(kSeparator))
        text.remove(0, 1);
    if (text.endsWith(kSeparator))
        text.chop(1);
    text.replace(QStringLiteral(";;"), kSeparator);
    return text;
}

int BookMarkStore::menuId(int number) {
    if (number < 1 || number > kMaxNumber)
        return 0;
    return QStringLiteral("210%1").arg(number).toInt();
}
