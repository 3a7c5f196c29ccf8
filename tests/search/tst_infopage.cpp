#include "ChapterInfoPage.h"

#include <QTest>

#include <optional>

using OptionalId = std::optional<int>;
Q_DECLARE_METATYPE(OptionalId)

namespace {

QString heading(const QString& title) {
    return QStringLiteral(" <p class='style6'> <br />") + title +
           QStringLiteral("<br /><img src='break.gif'  /></p>");
}

QString page(const QString& inner) {
    return QStringLiteral("<span class='Trans'>") + inner + QStringLiteral("</span></p>");
}

} // namespace

class TestInfoPage : public QObject {
    Q_OBJECT

private slots:
    void resourceByArgument_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<OptionalId>("resource");
        QTest::newRow("general introduction") << "nglish" << OptionalId(329);
        QTest::newRow("sura 1") << "1" << OptionalId(215);
        QTest::newRow("sura 114") << "114" << OptionalId(328);
        QTest::newRow("compared with case") << "NGLISH" << OptionalId();
        QTest::newRow("site node") << "ain" << OptionalId();
        QTest::newRow("no selection") << "" << OptionalId();
    }

    void resourceByArgument() {
        QFETCH(QString, argument);
        QFETCH(OptionalId, resource);
        QCOMPARE(ChapterInfoPage::resourceFor(argument), resource);
    }

    void headingsBecomeParagraphs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("known heading")
            << "#Name#Al-Faatiha " << page(heading("Name") + "Al-Faatiha ");
        QTest::newRow("written in upper case, shown in the list's wording")
            << "#PERIOD OF REVELATION#Meccan" << page(heading("Period of Revelation") + "Meccan");
        QTest::newRow("twice") << "#Theme#a#Theme#b"
                               << page(heading("Theme") + "a" + heading("Theme") + "b");
        QTest::newRow("similar headings stay apart")
            << "#Subject#x#Subject : Islamic Creed#y"
            << page(heading("Subject") + "x" + heading("Subject : Islamic Creed") + "y");
        QTest::newRow("unknown heading keeps its signs")
            << "#Relation with the previous surah#z" << page("#Relation with the previous surah#z");
        QTest::newRow("author credit heading keeps its trailing space")
            << "#Chapter Information By : Miravel Team# By us"
            << page(heading("Chapter Information By : Miravel Team ") + "By us");
    }

    void headingsBecomeParagraphs() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ChapterInfoPage::body(text, QString()), expected);
    }

    void cutTextIsRemovedWithoutRegardToCase() {
        const QString text = QStringLiteral("#Miravel#Ours #Chapter Information By : Miravel "
                                            "Team# written by them. #About Talvesk#Made here");
        const QString cut =
            QStringLiteral("CHAPTER INFORMATION BY : MIRAVEL TEAM# WRITTEN BY THEM. #");
        QCOMPARE(ChapterInfoPage::body(text, cut),
                 page(heading("Miravel") + "Ours " + heading("About Talvesk") + "Made here"));
        // A cut text that does not occur removes nothing.
        QCOMPARE(ChapterInfoPage::body(QStringLiteral("plain"), cut), page("plain"));
    }
};

QTEST_GUILESS_MAIN(TestInfoPage)
#include "tst_infopage.moc"
