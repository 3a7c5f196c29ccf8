#include "PrintSpooler.h"

#include <QTest>

// What the spooler is asked to do with the page's PDF.
class TestPrintSpooler : public QObject {
    Q_OBJECT

private slots:
    void arguments_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QStringList>("expected");
        const QStringList head{"-d", "Office", "-n"};
        QTest::newRow("one copy, printer's own sides")
            << "Office" << 1 << int(QPrinter::DuplexAuto) << int(QPrinter::Color)
            << head + QStringList{"1", "-t", "Miravel", "--", "/tmp/p.pdf"};
        QTest::newRow("copies never below one")
            << "Office" << 0 << int(QPrinter::DuplexAuto) << int(QPrinter::Color)
            << head + QStringList{"1", "-t", "Miravel", "--", "/tmp/p.pdf"};
        QTest::newRow("both sides, grey")
            << "Office" << 3 << int(QPrinter::DuplexLongSide) << int(QPrinter::GrayScale)
            << head + QStringList{"3",
                                  "-t",
                                  "Miravel",
                                  "-o",
                                  "sides=two-sided-long-edge",
                                  "-o",
                                  "print-color-mode=monochrome",
                                  "--",
                                  "/tmp/p.pdf"};
        QTest::newRow("one side")
            << "Office" << 2 << int(QPrinter::DuplexNone) << int(QPrinter::Color)
            << head +
                   QStringList{"2", "-t", "Miravel", "-o", "sides=one-sided", "--", "/tmp/p.pdf"};
        QTest::newRow("a name that looks like an option stays a name")
            << "-x" << 1 << int(QPrinter::DuplexAuto) << int(QPrinter::Color)
            << QStringList{"-d", "-x", "-n", "1", "-t", "Miravel", "--", "/tmp/p.pdf"};
    }
    void arguments() {
        QFETCH(QString, printer);
        QFETCH(int, copies);
        QFETCH(int, duplex);
        QFETCH(int, colour);
        QFETCH(QStringList, expected);
        QCOMPARE(PrintSpooler::arguments(printer, copies, QPrinter::DuplexMode(duplex),
                                         QPrinter::ColorMode(colour), QStringLiteral("/tmp/p.pdf")),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestPrintSpooler)
#include "tst_printspooler.moc"
