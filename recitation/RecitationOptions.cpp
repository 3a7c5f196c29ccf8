#include "RecitationOptions.h"

#include "RecitationLog.h"
#include "Settings.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// The stored number, held within [low, high]; a value outside is logged.
int boundedNumber(const Settings& settings, const SettingKey& key, int low, int high) {
    const int fallback = QString::fromLatin1(key.defaultText).toInt();
    const int stored = settings.strictNumber(key).value_or(fallback);
    const int bounded = std::clamp(stored, low, high);
    if (bounded != stored)
        qCInfo(lcRecitation) << "stored" << key.valueName << stored << "read as" << bounded;
    return bounded;
}

// A verse mark "sura:verse" (sura 1..114); nothing for any other text.
std::optional<VersePlace> markOf(const QString& text) {
    static const QRegularExpression mark(QStringLiteral("^\\s*(\\d{1,3})\\s*:\\s*(\\d{1,3})\\s*$"));
    const auto match = mark.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const VersePlace place{match.captured(1).toInt(), match.captured(2).toInt()};
    if (place.sura < 1 || place.sura > 114 || place.verse < 1)
        return std::nullopt;
    return place;
}

QString markText(const VersePlace& place) {
    return QStringLiteral("%1:%2").arg(place.sura).arg(place.verse);
}

bool comesBefore(const VersePlace& a, const VersePlace& b) {
    return a.sura < b.sura || (a.sura == b.sura && a.verse < b.verse);
}

} // namespace

RecitationOptions RecitationOptions::read(const Settings& settings) {
    RecitationOptions options;
    options.repeats = boundedNumber(settings, Setting::RecitationRepeats, 1, kMaxRepeats);
    options.rangeTimes = boundedNumber(settings, Setting::RecitationRangeTimes, 0, 999);
    options.pauseSeconds = boundedNumber(settings, Setting::RecitationPause, 0, kMaxPauseSeconds);
    options.nextSura = settings.strictNumber(Setting::RecitationNextSura).value_or(0) != 0;
    const auto from = markOf(settings.text(Setting::RecitationRangeFrom));
    const auto to = markOf(settings.text(Setting::RecitationRangeTo));
    options.rangeOn = settings.strictNumber(Setting::RecitationRangeOn).value_or(0) != 0;
    if (from && to && !comesBefore(*to, *from)) {
        options.rangeFrom = *from;
        options.rangeTo = *to;
    } else if (options.rangeOn) {
        qCInfo(lcRecitation) << "stored range" << settings.text(Setting::RecitationRangeFrom)
                             << settings.text(Setting::RecitationRangeTo) << "ignored";
        options.rangeOn = false;
    }
    return options;
}

void RecitationOptions::store(Settings& settings) const {
    const auto number = [](int n) { return QString::number(n); };
    settings.save(Setting::RecitationRepeats, number(repeats));
    settings.save(Setting::RecitationRangeOn, number(rangeOn ? 1 : 0));
    settings.save(Setting::RecitationRangeFrom, markText(rangeFrom));
    settings.save(Setting::RecitationRangeTo, markText(rangeTo));
    settings.save(Setting::RecitationRangeTimes, number(rangeTimes));
    settings.save(Setting::RecitationPause, number(pauseSeconds));
    settings.save(Setting::RecitationNextSura, number(nextSura ? 1 : 0));
}
