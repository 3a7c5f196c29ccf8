#include "FreshSettings.h"
#include "frmRecitation.h"
#include "RecitationFolders.h"
#include "Settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

int verseCount(int sura) {
    return sura == 1 ? 7 : sura == 2 ? 286 : 5;
}

} // namespace

// The recitation settings window: folders added, named, checked when
// chosen, removed; the learning options; OK stores all of it, Cancel
// nothing.
class TestRecitationSettings : public QObject {
    Q_OBJECT

private slots:
    void foldersAndOptionsStored() {
        FreshSettings fresh;
        Settings settings;
        QTemporaryDir reciter;
        // Two verses that play, one empty file, and a file that is no verse.
        for (const char* name : {"001001.mp3", "001002.mp3", "002255.ogg", "readme.txt"}) {
            QFile file(reciter.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (QByteArray(name) != "002255.ogg")
                file.write("ID3\x04");
        }
        const QString gone = reciter.filePath(QStringLiteral("gone"));

        frmRecitation window(settings, verseCount);
        QCOMPARE(window.lblPresent->text(), QStringLiteral("No folder is chosen."));
        window.addFolder(gone);
        QVERIFY(window.lblPresent->text().endsWith(QStringLiteral("the folder is not there.")));
        window.addFolder(reciter.path() + QStringLiteral("/"));
        QVERIFY2(window.lblPresent->text().endsWith(
                     QStringLiteral("2 of the 6236 verses present. 1 verse has a file that cannot "
                                    "be played (empty or not audio).")),
                 qPrintable(window.lblPresent->text()));
        QCOMPARE(window.txtName->text(), QFileInfo(reciter.path()).fileName());
        QTest::keyClick(window.txtName, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(window.txtName, QStringLiteral("Reciter A"));
        QCOMPARE(window.lstFolders->currentItem()->text(), QStringLiteral("Reciter A"));

        window.spnRepeats->setValue(3);
        window.grpRange->setChecked(true);
        // Typed the wrong way round: stored as the same verses.
        window.spnFromSura->setValue(2);
        window.spnFromVerse->setValue(257);
        window.spnToSura->setValue(2);
        window.spnToVerse->setValue(255);
        window.spnRangeTimes->setValue(0);
        QCOMPARE(window.spnRangeTimes->text(), QStringLiteral("without end"));
        window.spnPause->setValue(2);
        window.chkNextSura->setChecked(true);
        window.cmdOK->click();

        QCOMPARE(RecitationFolders::read(settings),
                 (QList<NamedFolder>{{QStringLiteral("gone"), gone},
                                     {QStringLiteral("Reciter A"), reciter.path()}}));
        QCOMPARE(RecitationFolders::chosenPath(settings), reciter.path());
        const RecitationOptions stored = RecitationOptions::read(settings);
        QCOMPARE(stored.repeats, 3);
        QVERIFY(stored.rangeOn);
        QCOMPARE(stored.rangeFrom, (VersePlace{2, 255}));
        QCOMPARE(stored.rangeTo, (VersePlace{2, 257}));
        QCOMPARE(stored.rangeTimes, 0);
        QCOMPARE(stored.pauseSeconds, 2);
        QVERIFY(stored.nextSura);

        // Again: the stored values shown; the gone folder removed.
        frmRecitation again(settings, verseCount);
        QCOMPARE(again.lstFolders->currentRow(), 1);
        QCOMPARE(again.spnRepeats->value(), 3);
        again.lstFolders->setCurrentRow(0);
        again.cmdRemoveFolder->click();
        again.store();
        QCOMPARE(RecitationFolders::read(settings),
                 (QList<NamedFolder>{{QStringLiteral("Reciter A"), reciter.path()}}));
        QCOMPARE(RecitationFolders::chosenPath(settings), reciter.path());
    }

    void cancelStoresNothing() {
        FreshSettings fresh;
        Settings settings;
        frmRecitation window(settings, verseCount);
        window.addFolder(QDir::tempPath());
        window.spnRepeats->setValue(5);
        window.reject();
        QVERIFY(RecitationFolders::read(settings).isEmpty());
        QCOMPARE(RecitationOptions::read(settings).repeats, 1);
    }

    // Every control is named for a screen reader as it is captioned.
    void controlsNamed() {
        FreshSettings fresh;
        Settings settings;
        frmRecitation window(settings, verseCount);
        const QList<QWidget*> controls{
            window.lstFolders,    window.cmdAddFolder, window.cmdRemoveFolder, window.txtName,
            window.spnRepeats,    window.grpRange,     window.spnFromSura,     window.spnToVerse,
            window.spnRangeTimes, window.spnPause,     window.chkNextSura};
        for (QWidget* control : controls)
            QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
    }
};

QTEST_MAIN(TestRecitationSettings)
#include "tst_recitationsettings.moc"
