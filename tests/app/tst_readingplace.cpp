#include "ReadingPlace.h"
#include "Settings.h"

#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The stored reading place and the option that keeps it, without a window.
class tst_ReadingPlace : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> store_;
    std::unique_ptr<Settings> settings_;

    // Verse counts of the first suras and of the last, as text library 1 has them.
    static int verseCount(int sura) {
        static const QMap<int, int> counts{{1, 7}, {2, 286}, {114, 6}};
        return counts.value(sura, 10);
    }

    std::optional<VersePlace> toOpen() { return ReadingPlace::toOpen(*settings_, &verseCount); }

private slots:
    void init() {
        store_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store_->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           store_->path() + QStringLiteral("/system"));
        settings_ = std::make_unique<Settings>();
    }

    void labels_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("sura"); // 0: no label
        QTest::addColumn<int>("verse");
        QTest::newRow("verse label") << "2 : 255" << 2 << 255;
        QTest::newRow("blanks around") << "\n 114 : 6 " << 114 << 6;
        QTest::newRow("no blanks") << "2:255" << 0 << 0;
        QTest::newRow("title text") << "Al-Baqara" << 0 << 0;
        QTest::newRow("four digits") << "2 : 2555" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
    }

    void labels() {
        QFETCH(QString, label);
        QFETCH(int, sura);
        QFETCH(int, verse);
        const auto place = VersePlace::fromLabel(label);
        QCOMPARE(place.value_or(VersePlace{}), (VersePlace{sura, verse}));
        if (place)
            QCOMPARE(place->label(), label.trimmed());
    }

    void storedPlace_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("sura");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<int>("openSura"); // 0: the start page
        QTest::addColumn<int>("openVerse");
        QTest::newRow("kept") << "1"
                              << "2"
                              << "255" << 2 << 255;
        QTest::newRow("last verse of the last sura") << "1"
                                                     << "114"
                                                     << "6" << 114 << 6;
        QTest::newRow("option off") << "0"
                                    << "2"
                                    << "255" << 0 << 0;
        QTest::newRow("option never set") << ""
                                          << "2"
                                          << "255" << 0 << 0;
        QTest::newRow("closed on the start page") << "1"
                                                  << "0"
                                                  << "0" << 0 << 0;
        QTest::newRow("sura 115") << "1"
                                  << "115"
                                  << "1" << 0 << 0;
        QTest::newRow("sura -1") << "1"
                                 << "-1"
                                 << "1" << 0 << 0;
        QTest::newRow("verse 0") << "1"
                                 << "2"
                                 << "0" << 0 << 0;
        QTest::newRow("verse past the sura") << "1"
                                             << "1"
                                             << "8" << 0 << 0;
        QTest::newRow("junk sura") << "1"
                                   << "two"
                                   << "1" << 0 << 0;
        QTest::newRow("junk verse") << "1"
                                    << "2"
                                    << "25x" << 0 << 0;
        QTest::newRow("huge number") << "1"
                                     << "99999999999"
                                     << "1" << 0 << 0;
    }

    void storedPlace() {
        QFETCH(QString, option);
        QFETCH(QString, sura);
        QFETCH(QString, verse);
        QFETCH(int, openSura);
        QFETCH(int, openVerse);
        if (!option.isEmpty())
            settings_->save(Setting::ContinueReading, option);
        settings_->save(Setting::LastSura, sura);
        settings_->save(Setting::LastVerse, verse);
        QCOMPARE(toOpen().value_or(VersePlace{}), (VersePlace{openSura, openVerse}));
    }

    void keptPlaceReadsBack() {
        settings_->save(Setting::ContinueReading, QStringLiteral("1"));
        ReadingPlace::keep(*settings_, VersePlace{18, 10});
        QCOMPARE(toOpen().value_or(VersePlace{}), (VersePlace{18, 10}));
        ReadingPlace::keep(*settings_, std::nullopt); // the start page on screen
        QVERIFY(!toOpen());
        QCOMPARE(settings_->text(Setting::LastSura), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(tst_ReadingPlace)
#include "tst_readingplace.moc"
