#include "PrintSpooler.h"

#include <QTest>

Q_DECLARE_METATYPE(PrintSpooler::Route)

// Which way a print goes, and what the spooler is asked to do with the page's PDF.
class TestPrintSpooler : public QObject {
    Q_OBJECT

private slots:
    void route_data() {
        using PrintSpooler::Route;
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("spooler");
        QTest::addColumn<Route>("expected");
        const int pdf = QPrinter::PdfFormat;
        const int native = QPrinter::NativeFormat;
        QTest::newRow("pdf file") << pdf << "/tmp/p.pdf"
                                  << ""
                                  << "/usr/bin/lp" << Route::PdfFile;
        QTest::newRow("pdf file, no spooler needed") << pdf << "/tmp/p.pdf"
                                                     << ""
                                                     << "" << Route::PdfFile;
        QTest::newRow("pdf without a file") << pdf << ""
                                            << ""
                                            << "/usr/bin/lp" << Route::Pictures;
        QTest::newRow("printer and spooler") << native << ""
                                             << "Office"
                                             << "/usr/bin/lp" << Route::Spooler;
        QTest::newRow("no spooler: pictures") << native << ""
                                              << "Office"
                                              << "" << Route::Pictures;
        QTest::newRow("no printer name: pictures") << native << ""
                                                   << ""
                                                   << "/usr/bin/lp" << Route::Pictures;
    }
    void route() {
        QFETCH(int, format);
        QFETCH(QString, file);
        QFETCH(QString, printer);
        QFETCH(QString, spooler);
        QFETCH(PrintSpooler::Route, expected);
        QCOMPARE(PrintSpooler::route(QPrinter::OutputFormat(format), file, printer, spooler),
                 expected);
    }

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
