#include "ReadingPlace.h"

#include "AppLog.h"
#include "LibraryLayout.h"
#include "Settings.h"

#include <QRegularExpression>

namespace {

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

std::optional<VersePlace> VersePlace::fromLabel(const QString& label) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,3}) : (\\d{1,3})\\s*$"));
    const auto match = pattern.match(label);
    if (!match.hasMatch())
        return std::nullopt;
    return VersePlace{match.captured(1).toInt(), match.captured(2).toInt()};
}

QString VersePlace::label() const {
    return QStringLiteral("%1 : %2").arg(sura).arg(verse);
}

namespace ReadingPlace {

bool isKept(const Settings& settings) {
    return settings.leadingNumber(Setting::ContinueReading, 0) != 0;
}

std::optional<VersePlace> toOpen(const Settings& settings,
                                 const std::function<int(int sura)>& verseCount) {
    if (!isKept(settings))
        return std::nullopt;
    const QString suraText = settings.text(Setting::LastSura);
    const QString verseText = settings.text(Setting::LastVerse);
    const auto sura = wholeNumber(suraText);
    if (sura == 0)
        return std::nullopt; // closed on the start page
    const auto verse = wholeNumber(verseText);
    if (sura && verse && *sura >= 1 && *sura <= LibraryLayout::kSuraCount && *verse >= 1 &&
        *verse <= verseCount(*sura))
        return VersePlace{*sura, *verse};
    qCInfo(lcApp) << "stored reading place ignored, the start page is shown:" << suraText
                  << verseText;
    return std::nullopt;
}

void keep(Settings& settings, const std::optional<VersePlace>& place) {
    settings.save(Setting::LastSura, QString::number(place ? place->sura : 0));
    settings.save(Setting::LastVerse, QString::number(place ? place->verse : 0));
}

} // namespace ReadingPlace
