#include "AppContext.h"
#include "FixtureLibrary.h"
#include "FreshSettings.h"

#include <QTest>

#include <memory>

// The run's context without a window: its text libraries, opened once per
// language choice, and its sura catalogue.
class TestContext : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;

    static bool writeLibrary(const QString& fileName, const QString& firstName) {
        LibraryBuilder builder;
        builder.addStrings({{1, firstName}});
        return FixtureLibrary::write(builder, fileName);
    }
    void chooseTranslation(const QString& fileName) {
        // The translation library of the chosen culture (the first).
        context_->settings().save(Setting::CultureTranslationLibrary, fileName, 1);
    }
    QString firstName() const { return context_->library(2).LoadSTvar(1); }

private slots:
    void init() {
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
    }
    void cleanup() {
        context_.reset();
        settings_.reset();
    }

    // A library is read once per language choice: a file changed on disk
    // meanwhile is not seen until the choice names it again.
    void librariesAreOpenedOncePerChoice() {
        QVERIFY(writeLibrary(QStringLiteral("context-a.dll"), QStringLiteral("First A")));
        QVERIFY(writeLibrary(QStringLiteral("context-b.dll"), QStringLiteral("First B")));
        chooseTranslation(QStringLiteral("context-a.dll"));
        const ResReader earlier = context_->library(2);
        QCOMPARE(firstName(), QStringLiteral("First A"));

        QVERIFY(writeLibrary(QStringLiteral("context-a.dll"), QStringLiteral("Changed A")));
        QCOMPARE(firstName(), QStringLiteral("First A"));
        QCOMPARE(context_->library(QStringLiteral("context-a.dll")).LoadSTvar(1),
                 QStringLiteral("First A"));

        chooseTranslation(QStringLiteral("context-b.dll"));
        QCOMPARE(firstName(), QStringLiteral("First B"));
        // A reader handed out before keeps its library.
        QCOMPARE(earlier.LoadSTvar(1), QStringLiteral("First A"));

        chooseTranslation(QStringLiteral("context-a.dll"));
        QCOMPARE(firstName(), QStringLiteral("Changed A"));
    }

    // A missing or refused library reads the program's own, as a reader
    // loaded afresh does.
    void missingLibrariesReadTheProgramsOwn_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing") << "context-none.dll";
        QTest::newRow("not a plain name") << "../Etx2.dll";
    }
    void missingLibrariesReadTheProgramsOwn() {
        QFETCH(QString, file);
        chooseTranslation(file);
        const ResReader reader = context_->library(2);
        QVERIFY(!reader.isLoaded());
        QCOMPARE(reader.LoadSTvar(101), QStringLiteral("Al-F\u00e2tih^ah"));
    }

    void catalogueNamesAndCountsTheSuras() {
        context_->readCatalogue();
        const SuraCatalogue& suras = context_->catalogue();
        QCOMPARE(suras.treeTexts().size(), 114);
        QCOMPARE(suras.treeText(1), QStringLiteral("001- Al-Faatiha (The Opening)"));
        QCOMPARE(suras.englishName(1), QStringLiteral("The Opening"));
        QCOMPARE(suras.englishName(114), QStringLiteral("Mankind"));
        QCOMPARE(suras.verseCount(1), 7);
        QCOMPARE(suras.verseCount(2), 286);
        QCOMPARE(suras.verseCount(114), 6);
        for (const int outside : {0, 115, -1}) {
            QCOMPARE(suras.treeText(outside), QString());
            QCOMPARE(suras.verseCount(outside), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestContext)
#include "tst_context.moc"
