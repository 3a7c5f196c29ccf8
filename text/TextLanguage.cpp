#include "TextLanguage.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>

namespace TextLanguage {

bool isTag(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z0-9]{1,8})*$"));
    return tag.match(text).hasMatch();
}

QString fromName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (isTag(trimmed) &&
        QLocale::codeToLanguage(trimmed.section(QLatin1Char('-'), 0, 0)) != QLocale::AnyLanguage)
        return trimmed;
    for (int code = QLocale::C + 1; code <= QLocale::LastLanguage; ++code) {
        const auto language = QLocale::Language(code);
        if (QLocale::languageToString(language).compare(trimmed, Qt::CaseInsensitive) == 0)
            return QLocale::languageToCode(language);
    }
    return {};
}

namespace {

struct Hint {
    char32_t first;
    char32_t last;
    const char* language;
};

// Letters that only some languages of a script use, looked for first.
constexpr std::array kLetterHints{
    Hint{0x0679, 0x0679, "ur"}, Hint{0x0688, 0x0688, "ur"}, Hint{0x0691, 0x0691, "ur"},
    Hint{0x06BA, 0x06BA, "ur"}, Hint{0x06C1, 0x06C1, "ur"}, Hint{0x06D2, 0x06D2, "ur"},
    Hint{0x067E, 0x067E, "fa"}, Hint{0x0686, 0x0686, "fa"}, Hint{0x06AF, 0x06AF, "fa"},
    Hint{0x011F, 0x011F, "tr"}, Hint{0x0131, 0x0131, "tr"}, Hint{0x015F, 0x015F, "tr"},
    Hint{0x00E7, 0x00E7, "fr"}, Hint{0x00E8, 0x00E8, "fr"}, Hint{0x00EA, 0x00EA, "fr"},
    Hint{0x00DF, 0x00DF, "de"}, Hint{0x00F1, 0x00F1, "es"},
};

// Scripts, where the script names the language well enough.
constexpr std::array kScriptHints{
    Hint{0x3040, 0x30FF, "ja"}, Hint{0xAC00, 0xD7AF, "ko"}, Hint{0x4E00, 0x9FFF, "zh"},
    Hint{0x0400, 0x04FF, "ru"}, Hint{0x0600, 0x06FF, "ar"}, Hint{0x0900, 0x097F, "hi"},
    Hint{0x0980, 0x09FF, "bn"}, Hint{0x0E00, 0x0E7F, "th"}, Hint{0x0041, 0x007A, "en"},
};

QString firstHint(const QList<uint>& characters, const auto& hints) {
    for (const Hint& hint : hints) {
        for (const uint c : characters) {
            if (c >= hint.first && c <= hint.last)
                return QString::fromLatin1(hint.language);
        }
    }
    return {};
}

} // namespace

QString guessFrom(QStringView sample) {
    const QList<uint> characters = sample.toUcs4();
    const QString byLetter = firstHint(characters, kLetterHints);
    return byLetter.isEmpty() ? firstHint(characters, kScriptHints) : byLetter;
}

bool isRightToLeft(const QString& tag) {
    if (!isTag(tag))
        return false;
    return QLocale(QString(tag).replace(QLatin1Char('-'), QLatin1Char('_'))).textDirection() ==
           Qt::RightToLeft;
}

} // namespace TextLanguage
