#include "AddedTranslations.h"

#include "AppSettings.h"
#include "LibraryBuilder.h"
#include "LibraryLayout.h"
#include "ResourceLibrary.h"
#include "Settings.h"
#include "SuraVerses.h"
#include "TranslationsLog.h"
#include "UserLibraries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
                              const QString& name, Slot slot) {
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
}

std::optional<QString> AddedTranslations::store(const QByteArray& library,
                                                QString* fileName) const {
    const QString folder = UserLibraries::folder();
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder %1 cannot be made.")
            .arg(QDir::toNativeSeparators(folder));
    removeStalePartials(folder);
    const QString stem = QStringLiteral("Translation-") + QDateTime::currentDateTimeUtc().toString(
                                                              QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = stem + QStringLiteral(".dll");
    for (int n = 2; QFileInfo::exists(folder + QLatin1Char('/') + name); ++n)
        name = stem + QStringLiteral("-%1.dll").arg(n);
    const QString path = folder + QLatin1Char('/') + name;
    const QString partial = path + QStringLiteral(".part");
    const auto failed = [&partial](const QString& why) {
        QFile::remove(partial);
        qCInfo(lcTranslations) << "translation not stored:" << why;
        return QStringLiteral("The translation could not be stored in %1.")
            .arg(QDir::toNativeSeparators(QFileInfo(partial).path()));
    };
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(library) != library.size() || !file.flush())
        return failed(file.errorString());
#ifdef Q_OS_UNIX
    // On the disc before it gets its name, so that a crash leaves no
    // library with that name half written.
    if (::fsync(file.handle()) != 0)
        return failed(QStringLiteral("cannot sync"));
#endif
    file.close();
    // What lies on the disc must be exactly the library that was built.
    const auto written = ResourceLibrary::open(partial);
    if (!written || written->custom(LibraryLayout::verseTextId(1)) == std::nullopt)
        return failed(QStringLiteral("the written library does not read back"));
    if (!QFile::rename(partial, path))
        return failed(QStringLiteral("cannot rename to %1").arg(path));
    *fileName = name;
    return std::nullopt;
}

bool AddedTranslations::writeCulture(int number, const QString& name, const QStringList& files) {
    return settings_.save(Setting::CultureName, name, number) &&
           settings_.save(Setting::CultureArabicLibrary, files.at(0), number) &&
           settings_.save(Setting::CultureTranslationLibrary, files.at(1), number) &&
           settings_.save(Setting::CultureTransliterationLibrary, files.at(2), number);
}

std::optional<QString> AddedTranslations::add(const TranslationSource& source, const QString& name,
                                              Slot slot) {
    const QString shownName = name.simplified();
    if (shownName.isEmpty())
        return QStringLiteral("The translation needs a name.");
    LibraryBuilder builder;
    build(builder, source, shownName, slot);
    QString fileName;
    if (auto failure = store(builder.pack(), &fileName))
        return failure;

    const QString storedCulture = settings_.text(Setting::Culture);
    const QString storedOrder = settings_.text(Setting::OrderString);
    int count = cultureCount();
    const bool namedDefault = count == 0;
    const int current = settings_.strictNumber(Setting::Culture).value_or(1);
    // The new culture keeps the chosen language's other libraries (their
    // program's own, where those are added ones too).
    QStringList files = libraryFiles(settings_, current);
    for (int code = 2; code <= 3; ++code) {
        if (UserLibraries::isUserLibrary(files.at(code - 1)))
            files[code - 1] = slotDefault(code);
    }
    files[slot - 1] = UserLibraries::nameOf(fileName);
    // Without culture sections the program runs on one culture of its own;
    // it is written out, so that it stays the first.
    bool saved = true;
    if (namedDefault) {
        saved = settings_.save(Setting::CultureName, QStringLiteral("English"), 1);
        count = 1;
    }
    const int number = count + 1;
    saved = saved && writeCulture(number, shownName, files) &&
            settings_.save(Setting::Culture, QString::number(number));
    QStringList order = storedOrder.split(QLatin1Char('/'));
    if (!order.contains(QString::number(slot))) {
        order.append(QString::number(slot));
        saved = saved && settings_.save(Setting::OrderString, order.join(QLatin1Char('/')));
    }
    if (saved)
        return std::nullopt;
    // Undo what was written, so that no culture names a missing library.
    settings_.removeSection(Setting::CultureName, number);
    if (namedDefault)
        settings_.removeSection(Setting::CultureName, 1);
    settings_.save(Setting::Culture, storedCulture);
    settings_.save(Setting::OrderString, storedOrder);
    QFile::remove(UserLibraries::pathOf(files.at(slot - 1)));
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
    return add(source, details->name, details->slot);
}

std::optional<QString> AddedTranslations::remove(int culture) {
    const int count = cultureCount();
    QString library;
    for (const Entry& entry : list()) {
        if (entry.culture == culture)
            library = entry.library;
    }
    if (library.isEmpty())
        return QStringLiteral("Culture %1 is no added translation.").arg(culture);
    bool saved = true;
    for (int n = culture; n < count && saved; ++n)
        saved = writeCulture(n, settings_.text(Setting::CultureName, n + 1),
                             libraryFiles(settings_, n + 1));
    if (!saved)
        return QStringLiteral("The settings could not be saved, so the translation was not "
                              "removed.");
    settings_.removeSection(Setting::CultureName, count);
    // A culture of the system-wide file under that number would otherwise
    // come back: an empty name ends the list before it.
    if (!settings_.text(Setting::CultureName, count).isEmpty())
        settings_.save(Setting::CultureName, QString(), count);
    const int current = settings_.strictNumber(Setting::Culture).value_or(1);
    if (current == culture)
        settings_.save(Setting::Culture, QStringLiteral("1"));
    else if (current > culture)
        settings_.save(Setting::Culture, QString::number(current - 1));
    if (!QFile::remove(UserLibraries::pathOf(library)))
        qCInfo(lcTranslations) << "could not delete" << UserLibraries::pathOf(library);
    return std::nullopt;
}
