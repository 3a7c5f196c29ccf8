#include "AddedTranslations.h"

#include "AppSettings.h"
#include "LibraryBuilder.h"
#include "LibraryLayout.h"
#include "ResourceLibrary.h"
#include "Settings.h"
#include "SuraVerses.h"
#include "TextLanguage.h"
#include "TranslationsLog.h"
#include "UserLibraries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString kNotice = QStringLiteral("NOTICE.TXT");
constexpr int kTranslationCaption = 224;

// The libraries a culture names, 1 to 3.
QStringList libraryFiles(const Settings& settings, int culture) {
    return {settings.text(Setting::CultureArabicLibrary, DefaultArabicLibraryFile(), culture),
            settings.text(Setting::CultureTranslationLibrary, culture),
            settings.text(Setting::CultureTransliterationLibrary, culture)};
}

QString slotDefault(int slot) {
    return QString::fromLatin1(slot == 2 ? Setting::CultureTranslationLibrary.defaultText
                                         : Setting::CultureTransliterationLibrary.defaultText);
}

// A library half written when the program stopped is never used (no
// culture names it), but it would stay for good; one that old is no other
// copy's work in progress.
void removeStalePartials(const QString& folder) {
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QFileInfoList partials =
        QDir(folder).entryInfoList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& partial : partials) {
        if (partial.lastModified().toUTC() < hourAgo && QFile::remove(partial.filePath()))
            qCInfo(lcTranslations) << "removed a half-written library" << partial.fileName();
    }
}

const QString kPartialSuffix = QStringLiteral(".part");

// The sections an add or a removal changes together.
QStringList cultureSections() {
    return {QString(Setting::CultureName.topSection()),
            QString::fromLatin1(Setting::Culture.section)};
}

// Sets the value `key` names in `values`, under the spelling already stored
// there (names match without regard to case).
void setValue(QMap<QString, QString>& values, const SettingKey& key, const QString& text) {
    const QString name = QString::fromLatin1(key.valueName);
    for (auto value = values.begin(); value != values.end(); ++value) {
        if (value.key().compare(name, Qt::CaseInsensitive) == 0) {
            value.value() = text;
            return;
        }
    }
    values.insert(name, text);
}

// Whether the system-wide file (where an installer puts the cultures) names
// culture `number`.
bool systemHasCulture(const Settings& settings, int number) {
    const QString file = settings.systemFileName();
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    const QSettings system(file, QSettings::IniFormat);
    return !system
                .value(QStringLiteral("%1/%2/%3")
                           .arg(QString(Setting::CultureName.topSection()))
                           .arg(number)
                           .arg(QString::fromLatin1(Setting::CultureName.valueName)))
                .toString()
                .isEmpty();
}

} // namespace

AddedTranslations::AddedTranslations(Settings& settings) : settings_(settings) {}

int AddedTranslations::cultureCount() const {
    int n = 0;
    while (!settings_.text(Setting::CultureName, n + 1).isEmpty())
        ++n;
    return n;
}

QList<AddedTranslations::Entry> AddedTranslations::list() const {
    QList<Entry> entries;
    const int count = cultureCount();
    for (int n = 1; n <= count; ++n) {
        const QStringList files = libraryFiles(settings_, n);
        for (const Slot slot : {Translation, Transliteration}) {
            if (UserLibraries::isUserLibrary(files.at(slot - 1))) {
                entries.append(
                    {n, settings_.text(Setting::CultureName, n), files.at(slot - 1), slot});
                break;
            }
        }
    }
    return entries;
}

QList<int> AddedTranslations::verseCounts(const ResReader& arabic) {
    QList<int> counts;
    for (int sura = 1; sura <= LibraryLayout::kSuraCount; ++sura)
        counts.append(SuraVerses::read(arabic, sura, false).storedVerseCount());
    return counts;
}

void AddedTranslations::build(LibraryBuilder& builder, const TranslationSource& source,
                              const QString& name, Slot slot, const QString& language) {
    // The page skips the lead elements in library 2 only; in library 3 they
    // would push every verse of those suras out of place.
    QMap<int, QStringList> lead;
    if (slot == Translation)
        lead = LibraryFormat::readLeadFile(QStringLiteral(":/translations/verses/etx2-lead.tsv"))
                   .value_or(QMap<int, QStringList>());
    builder.addVerses(source.file.verses, lead);
    QMap<int, QString> strings =
        LibraryFormat::readStringsFile(QStringLiteral(":/translations/strings/etx2.tsv"))
            .value_or(QMap<int, QString>());
    strings.insert(kTranslationCaption, name);
    builder.addStrings(strings);
    builder.addHtml(kNotice, source.file.comments.join(QStringLiteral("\r\n")).toUtf8());
    if (TextLanguage::isTag(language))
        builder.addHtml(TextLanguage::kResourceName, language.toLatin1());
}

std::optional<QString> AddedTranslations::store(const QByteArray& library,
                                                QString* partialPath) const {
    const QString folder = UserLibraries::folder();
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder %1 cannot be made.")
            .arg(QDir::toNativeSeparators(folder));
    removeStalePartials(folder);
    // Two copies adding in the same second get different names: the time
    // for the reader, a random part for the copies.
    const QString name =
        QStringLiteral("Translation-%1-%2.dll")
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss")))
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QString partial = folder + QLatin1Char('/') + name + kPartialSuffix;
    const auto failed = [&partial](const QString& why, bool created) {
        // Only what this call created is removed: never another copy's file.
        if (created)
            QFile::remove(partial);
        qCInfo(lcTranslations) << "translation not stored:" << why;
        return QStringLiteral("The translation could not be stored in %1.")
            .arg(QDir::toNativeSeparators(QFileInfo(partial).path()));
    };
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failed(file.errorString(), false);
    if (file.write(library) != library.size() || !file.flush())
        return failed(file.errorString(), true);
#ifdef Q_OS_UNIX
    // On the disc before it gets its name, so that a crash leaves no
    // library with that name half written.
    if (::fsync(file.handle()) != 0)
        return failed(QStringLiteral("cannot sync"), true);
#endif
    file.close();
    // What lies on the disc must be exactly the library that was built.
    const auto written = ResourceLibrary::open(partial);
    if (!written || written->custom(LibraryLayout::verseTextId(1)) == std::nullopt)
        return failed(QStringLiteral("the written library does not read back"), true);
    *partialPath = partial;
    return std::nullopt;
}

QSet<QString> AddedTranslations::namedLibraries(const StoredKey& cultures, int count) const {
    QSet<QString> named;
    for (const auto& values : cultures) {
        for (const QString& text : values) {
            if (UserLibraries::isUserLibrary(text))
                named.insert(UserLibraries::fileNameOf(text));
        }
    }
    // The system-wide file may name some as well.
    for (int n = 1; n <= count; ++n) {
        for (const QString& file : libraryFiles(settings_, n)) {
            if (UserLibraries::isUserLibrary(file))
                named.insert(UserLibraries::fileNameOf(file));
        }
    }
    return named;
}

void AddedTranslations::removeUnnamedLibraries(const QSet<QString>& named) {
    // Run while the settings are locked: every copy names its library in
    // the same locked step that gives it its name, so one that no culture
    // names now was left by a program that stopped in between.
    const QString folder = UserLibraries::folder();
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("Translation-*.dll")}, QDir::Files);
    for (const QString& file : files) {
        if (!named.contains(file) && QFile::remove(folder + QLatin1Char('/') + file))
            qCInfo(lcTranslations) << "removed a library that no language names:" << file;
    }
}

std::optional<QString> AddedTranslations::add(const TranslationSource& source,
                                              const Details& details) {
    const QString shownName = details.name.simplified();
    if (shownName.isEmpty())
        return QStringLiteral("The translation needs a name.");
    const Slot slot = details.slot;
    LibraryBuilder builder;
    build(builder, source, shownName, slot, details.language);
    QString partial;
    if (auto failure = store(builder.pack(), &partial))
        return failure;

    // The library gets its name and the culture that shows it in one locked
    // step: a crash leaves either both or a library that the next add
    // removes, and two copies never take the same culture number.
    const QString path = partial.chopped(kPartialSuffix.size());
    bool renamed = false;
    const bool saved = settings_.updateSections(
        cultureSections(), [&](const QList<StoredKey>& current) -> std::optional<QList<StoredKey>> {
            StoredKey cultures = current.at(0);
            StoredKey options = current.at(1);
            const int count = cultureCount();
            removeUnnamedLibraries(namedLibraries(cultures, count));
            if (!QFile::rename(partial, path)) {
                qCInfo(lcTranslations) << "translation not stored: cannot rename to" << path;
                return std::nullopt;
            }
            renamed = true;
            const int chosen = settings_.strictNumber(Setting::Culture).value_or(1);
            // The new culture keeps the chosen language's other libraries
            // (their program's own, where those are added ones too).
            QStringList files = libraryFiles(settings_, chosen);
            for (int code = 2; code <= 3; ++code) {
                if (UserLibraries::isUserLibrary(files.at(code - 1)))
                    files[code - 1] = slotDefault(code);
            }
            files[slot - 1] = UserLibraries::nameOf(QFileInfo(path).fileName());
            // Without culture sections the program runs on one culture of
            // its own; it is written out, so that it stays the first.
            if (count == 0)
                setValue(cultures[QStringLiteral("1")], Setting::CultureName,
                         QStringLiteral("English"));
            const int number = std::max(count, 1) + 1;
            auto& culture = cultures[QString::number(number)];
            setValue(culture, Setting::CultureName, shownName);
            setValue(culture, Setting::CultureArabicLibrary, files.at(0));
            setValue(culture, Setting::CultureTranslationLibrary, files.at(1));
            setValue(culture, Setting::CultureTransliterationLibrary, files.at(2));
            auto& values = options[QString()];
            setValue(values, Setting::Culture, QString::number(number));
            QStringList order = settings_.text(Setting::OrderString).split(QLatin1Char('/'));
            if (!order.contains(QString::number(slot))) {
                order.append(QString::number(slot));
                setValue(values, Setting::OrderString, order.join(QLatin1Char('/')));
            }
            return QList<StoredKey>{cultures, options};
        });
    if (saved)
        return std::nullopt;
    QFile::remove(renamed ? path : partial);
    return QStringLiteral("The settings could not be saved, so the translation was not added.");
}

std::optional<QString> AddedTranslations::addFile(const QString& path,
                                                  const QList<int>& verseCounts,
                                                  const AskDetails& ask) {
    auto read = TranslationSource::read(path, verseCounts);
    if (const QString* failure = std::get_if<QString>(&read))
        return *failure + QStringLiteral("\n\nNothing was added.");
    const TranslationSource& source = std::get<TranslationSource>(read);
    const auto details = ask(source);
    if (!details)
        return std::nullopt;
    return add(source, *details);
}

std::optional<QString> AddedTranslations::remove(int culture) {
    QString library;
    for (const Entry& entry : list()) {
        if (entry.culture == culture)
            library = entry.library;
    }
    if (library.isEmpty())
        return QStringLiteral("Culture %1 is no added translation.").arg(culture);
    // The later cultures move up a number and the choice follows, in one
    // locked step.
    bool stillNamed = false;
    const bool saved = settings_.updateSections(
        cultureSections(), [&](const QList<StoredKey>& current) -> std::optional<QList<StoredKey>> {
            StoredKey cultures = current.at(0);
            StoredKey options = current.at(1);
            const int count = cultureCount();
            if (culture < 1 || culture > count)
                return std::nullopt;
            stillNamed = false;
            for (int n = 1; n <= count; ++n) {
                if (n != culture && libraryFiles(settings_, n).contains(library))
                    stillNamed = true;
            }
            for (int n = culture; n < count; ++n) {
                auto& moved = cultures[QString::number(n)];
                const QStringList files = libraryFiles(settings_, n + 1);
                setValue(moved, Setting::CultureName, settings_.text(Setting::CultureName, n + 1));
                setValue(moved, Setting::CultureArabicLibrary, files.at(0));
                setValue(moved, Setting::CultureTranslationLibrary, files.at(1));
                setValue(moved, Setting::CultureTransliterationLibrary, files.at(2));
            }
            cultures.remove(QString::number(count));
            // A culture of the system-wide file under that number would
            // otherwise come back: an empty name ends the list before it.
            if (systemHasCulture(settings_, count))
                setValue(cultures[QString::number(count)], Setting::CultureName, QString());
            const int chosen = settings_.strictNumber(Setting::Culture).value_or(1);
            auto& values = options[QString()];
            if (chosen == culture)
                setValue(values, Setting::Culture, QStringLiteral("1"));
            else if (chosen > culture)
                setValue(values, Setting::Culture, QString::number(chosen - 1));
            return QList<StoredKey>{cultures, options};
        });
    if (!saved)
        return QStringLiteral("The settings could not be saved, so the translation was not "
                              "removed.");
    // Only a plain file name in the data folder is ever deleted: the
    // settings may have been edited by hand.
    const QString path = UserLibraries::pathOf(library);
    if (path.isEmpty())
        qCInfo(lcTranslations) << "not deleted, not a file of the data folder:" << library;
    else if (!stillNamed && !QFile::remove(path))
        qCInfo(lcTranslations) << "could not delete" << path;
    return std::nullopt;
}
