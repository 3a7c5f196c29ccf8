#include "SuraPageComposer.h"

#include "DisplayOrder.h"
#include "LibraryLayout.h"
#include "MushafMarkup.h"
#include "ResReader.h"
#include "SuraVerses.h"
#include "TextLanguage.h"
#include "TextScript.h"

#include <QElapsedTimer>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

const QString SuraPageComposer::kFirstOpening = QStringLiteral("<p class='main'>");
const QString SuraPageComposer::kOtherOpening = QStringLiteral("<p class='Trans'>");
const QString SuraPageComposer::kFirstArabicOpening =
    QStringLiteral("<p class='main' lang='ar' dir='rtl'>");
const QString SuraPageComposer::kOtherArabicOpening =
    QStringLiteral("<p class='Trans' lang='ar' dir='rtl'>");
const QString SuraPageComposer::kParagraphEnd = QStringLiteral("</p>");
const QString SuraPageComposer::kSeparator =
    QStringLiteral("<p class='Trans'><img border='0' src='q' width='680' height='4'></p> </P>");
const QString SuraPageComposer::kLastMark = QStringLiteral(".");
const QString SuraPageComposer::kRule = QStringLiteral("<p class='tE'><img src='w.jpg'  /></p>");
const QString SuraPageComposer::kLabelOpening = QStringLiteral("<p class='A1'>");
const QString SuraPageComposer::kTitleSlot = QStringLiteral("class=\"WHITE\" align=\"center\">|");
const QString SuraPageComposer::kTitleFill = QStringLiteral("class=style3 align=center>");

namespace {

// The file of library `code`; nothing for a code other than 1, 2 or 3.
std::optional<QString> libraryFileFor(const QString& code, const ComposerHost& host) {
    if (code == QLatin1String("1"))
        return host.arabicLibraryFile;
    if (code == QLatin1String("2"))
        return host.translationLibraryFile;
    if (code == QLatin1String("3"))
        return host.transliterationLibraryFile;
    return std::nullopt;
}

// A library named by an empty file name reads the program's own, as every
// library that cannot be loaded does.
ResReader readerOf(const QString& file, const ComposerHost& host) {
    if (host.library)
        return host.library(file);
    ResReader reader;
    reader.LoadLibrary(file);
    return reader;
}

// The paragraph opening of display position `m` for `text`.
const QString& openingFor(int m, const QString& text) {
    const bool arabic = TextScript::isArabic(text);
    if (m == 0)
        return arabic ? SuraPageComposer::kFirstArabicOpening : SuraPageComposer::kFirstOpening;
    return arabic ? SuraPageComposer::kOtherArabicOpening : SuraPageComposer::kOtherOpening;
}

// The paragraph opening of display position `m` for a library whose text is
// in the language `language` (a tag the library gives).
QString languageOpening(int m, const QString& language) {
    return QStringLiteral("<p class='%1' lang='%2' dir='%3'>")
        .arg(m == 0 ? QStringLiteral("main") : QStringLiteral("Trans"), language,
             TextLanguage::isRightToLeft(language) ? QStringLiteral("rtl") : QStringLiteral("ltr"));
}

// The opening of the Qur'an's own paragraph: marked as Arabic where it is
// (an empty verse is not), with the verse's number for its end ornament
// when `endNumber` is not 0.
QString mushafOpening(int m, const QString& text, int endNumber) {
    const QString& plain = openingFor(m, text);
    if (endNumber == 0 || !TextScript::isArabic(text))
        return plain;
    return plain.chopped(1) + QStringLiteral(" data-end='") +
           MushafMarkup::arabicIndicNumber(endNumber) + QStringLiteral("'>");
}

// The language a library says its text is in; empty where it says none.
QString languageOf(const ResReader& reader) {
    const QString tag =
        reader.LoadHtml(TextLanguage::kResourceName, QString()).value_or(QString()).trimmed();
    return TextLanguage::isTag(tag) ? tag : QString();
}

// The basmala printed above sura `sura`, as `reader`'s library holds it;
// empty where none is printed or the library has none.
QString basmalaOf(const ResReader& reader, int sura) {
    const QString list =
        reader.LoadHtml(LibraryLayout::kBasmalaList, QString()).value_or(QString());
    return splitVerses(list).value(sura - 1).trimmed();
}

} // namespace

QList<QPair<int, int>> SuraPageComposer::portions(int verseCount) {
    const int q = int(std::lround(verseCount / 3.0));
    QList<QPair<int, int>> result;
    int start = 0;
    int end = q;
    for (int i = 0; i < 4; ++i) {
        result.append({start, end});
        start = end;
        end = std::min(end + q, verseCount);
    }
    return result;
}

bool SuraPageComposer::DispalyHTML(int resourceId, ComposerHost& host, ComposerView& view) {
    const int me = ++generation_;
    bool& cancel = *host.cancelDisplay;
    const auto stopped = [&] { return cancel || generation_ != me; };
    const int sura = resourceId - 100;

    const QStringList displayList = DisplayOrder::displayList(host.orderString);
    const int last = int(displayList.size()) - 1;

    const QString templateAddress = host.pageAddress(QStringLiteral("QURAN.HTML"));
    const ResReader arabic = readerOf(host.arabicLibraryFile, host);
    const QString basmala = basmalaOf(arabic, sura);
    const auto fillTitle = [&] {
        view.replaceInBody(kTitleSlot, kTitleFill + host.treeNodeText(sura) +
                                           QStringLiteral(" : ") + host.englishName(sura));
    };
    const auto fillOpening = [&] {
        fillTitle();
        // Sura 9 opens with no formula; sura 1 has its basmala as verse 1,
        // whose translation says what the opening line would say again.
        view.setOpening(basmala, sura != 9 && sura != 1);
    };

    bool loadingShown = false;
    bool versesShown = false;
    const auto showLoadingPage = [&] {
        loadingShown = true;
        view.navigate(host.pageAddress(QStringLiteral("loading.HTML")));
        host.yield();
        host.yield();
    };
    // A sura page on show is emptied and titled for this sura at once, so
    // that the engine clears it while the texts are read; the loading page
    // shows first only when the template must be loaded, or when reading
    // takes long enough for the reader to wonder.
    QElapsedTimer reading;
    reading.start();
    const auto yield = [&] {
        if (!loadingShown && !versesShown && reading.elapsed() >= host.loadingPageDelayMs)
            showLoadingPage();
        else
            host.yield();
    };
    if (view.canReuseTemplate(templateAddress)) {
        view.openTemplate(templateAddress);
        fillOpening();
        view.flush();
    } else {
        showLoadingPage();
    }

    std::vector<SuraVerses> libraries;
    QStringList languages; // by display position; empty where the text tells
    // The Qur'an's own text (library 1), set as a printed mushaf sets it.
    const qsizetype arabicPosition = displayList.indexOf(QStringLiteral("1"));
    QString openingLine;
    QString openingLanguage;
    for (const QString& code : displayList) {
        const auto file = libraryFileFor(code, host);
        if (!file) {
            libraries.emplace_back(); // no library: its paragraphs stay empty
            languages.append(QString());
            yield();
            continue;
        }
        const ResReader reader = readerOf(*file, host);
        const bool isTranslation =
            reader.isLoaded() && reader.strFileName() == host.translationLibraryFile;
        libraries.push_back(SuraVerses::read(reader, sura, isTranslation));
        languages.append(reader.isLoaded() ? languageOf(reader) : QString());
        // A translation that gives its language is no English one: the
        // line under the basmala is its own first verse.
        if (isTranslation && !languages.last().isEmpty()) {
            openingLanguage = languages.last();
            openingLine = SuraVerses::read(reader, 1, true).shownVerse(1);
        }
        yield();
    }
    const int verseCount = int(SuraVerses::read(arabic, sura, false).elements().size()) - 1;
    if (generation_ != me)
        return false;
    verseCount_ = verseCount;

    bool first = true;
    bool firstShown = false;
    for (const auto& [start, end] : portions(verseCount)) {
        if (stopped())
            return false;
        QString portion;
        for (int v = start; v < end; ++v) {
            if (stopped())
                return false;
            for (int m = 0; m <= last; ++m) {
                if (stopped())
                    return false;
                const QString text = libraries[size_t(m)].shownVerse(v + 1);
                const QString& language = languages.at(m);
                if (m == arabicPosition) {
                    portion += mushafOpening(m, text, host.verseEndMarks ? v + 1 : 0);
                    portion += MushafMarkup::keepMarksWithWords(text);
                } else {
                    portion +=
                        language.isEmpty() ? openingFor(m, text) : languageOpening(m, language);
                    portion += text;
                }
                portion += kParagraphEnd;
                portion += m < last ? kSeparator : kLastMark;
                yield();
            }
            portion += kRule + kLabelOpening + QString::number(sura) + QStringLiteral(" : ") +
                       QString::number(v + 1) + kParagraphEnd;
        }
        if (first) {
            first = false;
            const bool noted = cancel;
            host.selectSuraNode(sura);
            cancel = noted;
            if (loadingShown) {
                view.openTemplate(templateAddress);
                host.yield();
                if (stopped())
                    return false;
                fillOpening();
                host.yield();
            }
            view.setOpeningLine(openingLine, openingLanguage);
        }
        if (versesShown && !firstShown) {
            firstShown = true;
            if (portion.size() >= host.secondPortionWaitChars)
                view.waitUntilShown(host.firstPortionShowMs);
        }
        if (stopped())
            return false;
        view.appendBody(portion);
        versesShown = true;
        host.yield();
        host.focusTree();
        if (stopped())
            return false;
        fillTitle();
    }
    return true;
}
