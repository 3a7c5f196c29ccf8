#include "ChapterInfoPage.h"

#include "InfoLog.h"
#include "LibraryLayout.h"
#include "ResReader.h"

namespace ChapterInfoPage {

bool isIntroduction(const QString& argument) {
    return argument == QLatin1String("nglish");
}

std::optional<int> resourceFor(const QString& argument) {
    if (isIntroduction(argument))
        return LibraryLayout::kIntroduction;
    bool ok = false;
    const int sura = argument.trimmed().toInt(&ok);
    if (!ok) {
        qCInfo(lcInfo) << "no chapter information for" << argument;
        return std::nullopt;
    }
    return LibraryLayout::chapterInfoId(sura);
}

const QStringList& knownHeadings() {
    static const QStringList headings{
        QStringLiteral("#Name#"),
        QStringLiteral("#Theme#"),
        QStringLiteral("#Sequence#"),
        QStringLiteral("#Period of Revelation#"),
        QStringLiteral("#Historical Background#"),
        QStringLiteral("#Subject Matter and Topics#"),
        QStringLiteral("#Subject : Consolidation of the Islamic Community#"),
        QStringLiteral("#Subject#"),
        QStringLiteral("#Occasion of Revelation#"),
        QStringLiteral("#The Background of Makki surahs#"),
        QStringLiteral("#Subject : Islamic Creed#"),
        QStringLiteral("#Topics of Discussion - Subject : Invitation to the Divine Message#"),
        QStringLiteral("#Time of Revelation#"),
        QStringLiteral("#When and Why Revealed?#"),
        QStringLiteral("#Though the main topics of the surah are:#"),
        QStringLiteral("#Topics of Discussion#"),
        QStringLiteral("#Miravel#"),
        // The credit headings of the general introduction: the author of
        // the chapter introductions (trailing space included) and the maker.
        QStringLiteral("#Chapter Information By : Miravel Team# "),
        QStringLiteral("#About Talvesk#"),
        QStringLiteral("#Introduction#"),
    };
    return headings;
}

QString headingParagraph(const QString& heading) {
    QString title = heading;
    title.remove(QLatin1Char('#'));
    return QStringLiteral(" <p class='style6'> <br />") + title + QStringLiteral("<br />") +
           QStringLiteral("<img src='break.gif'  /></p>");
}

QString body(const QString& text, const QString& cutText) {
    QString page = text;
    if (!cutText.isEmpty())
        page.remove(cutText, Qt::CaseInsensitive);
    page = QStringLiteral("<span class='Trans'>") + page + QStringLiteral("</span>");
    for (const QString& heading : knownHeadings())
        page.replace(heading, headingParagraph(heading), Qt::CaseInsensitive);
    return page + QStringLiteral("</p>");
}

std::optional<QString> bodyFor(const ResReader& reader, const QString& argument) {
    const auto resource = resourceFor(argument);
    if (!resource)
        return std::nullopt;
    const QString text = reader.LoadHtml(*resource, QString()).value_or(QString());
    const QString cut = reader.LoadHtml(QStringLiteral("replace"), QString()).value_or(QString());
    return body(text, cut);
}

QString addedTranslationNotice(const ResReader& library) {
    const auto notice = library.LoadHtml(QStringLiteral("NOTICE.TXT"), QStringLiteral("\n"));
    if (!notice)
        return {};
    QString lines;
    for (const QString& line : notice->split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines += line.toHtmlEscaped() + QStringLiteral("<br />");
    return headingParagraph(QStringLiteral("#") + library.LoadSTvar(224).toHtmlEscaped() +
                            QStringLiteral("#")) +
           QStringLiteral("<span class='Trans'>") + lines + QStringLiteral("</span>");
}

} // namespace ChapterInfoPage
