#include "HelpFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// Handing the help file to the desktop shell, and what the reader is told
// when that cannot work.
class TestHelpFile : public QObject {
    Q_OBJECT

private slots:
    void liesBesideTheProgram() {
        QCOMPARE(HelpFile::path(), QCoreApplication::applicationDirPath() + "/help.chm");
    }

    void open_data() {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("shellOpens");
        QTest::addColumn<bool>("openerInstalled");
        QTest::addColumn<bool>("shellAsked");
        QTest::addColumn<QString>("problem");
        QTest::newRow("opened") << true << true << true << true << QString();
        QTest::newRow("opened without a known opener")
            << true << true << false << true << QString();
        QTest::newRow("no viewer")
            << true << false << true << true << QStringLiteral("no program to show CHM help files");
        QTest::newRow("no xdg-open")
            << true << false << false << true << QStringLiteral("Debian package xdg-utils");
        QTest::newRow("file missing")
            << false << true << true << false << QStringLiteral("cannot be found");
    }

    void open() {
        QFETCH(bool, fileThere);
        QFETCH(bool, shellOpens);
        QFETCH(bool, openerInstalled);
        QFETCH(bool, shellAsked);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("help.chm"));
        if (fileThere) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList asked;
        const QString told = HelpFile::open(
            [&](const QString& address) {
                asked.append(address);
                return shellOpens;
            },
            [openerInstalled] { return openerInstalled; }, path);
        QCOMPARE(asked.size(), shellAsked ? 1 : 0);
        if (shellAsked)
            QCOMPARE(QUrl(asked.first()).toLocalFile(), path);
        if (problem.isEmpty()) {
            QVERIFY2(told.isEmpty(), qPrintable(told));
        } else {
            QVERIFY2(told.contains(problem), qPrintable(told));
            // The reader learns which file it is about.
            QVERIFY(told.contains(QDir::toNativeSeparators(path)));
        }
    }
};

QTEST_GUILESS_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
