#include "PrintSpooler.h"

#include <QProcess>
#include <QStandardPaths>

namespace PrintSpooler {

QString program() {
    return QStandardPaths::findExecutable(QStringLiteral("lp"));
}

Route route(QPrinter::OutputFormat format, const QString& outputFile, const QString& printerName,
            const QString& spooler) {
    if (format == QPrinter::PdfFormat)
        return outputFile.isEmpty() ? Route::Pictures : Route::PdfFile;
    return printerName.isEmpty() || spooler.isEmpty() ? Route::Pictures : Route::Spooler;
}

Route route(const QPrinter& printer) {
    return route(printer.outputFormat(), printer.outputFileName(), printer.printerName(),
                 program());
}

QStringList arguments(const QPrinter& printer, const QString& pdfFile) {
    return arguments(printer.printerName(), printer.copyCount(), printer.duplex(),
                     printer.colorMode(), pdfFile);
}

QStringList arguments(const QString& printerName, int copies, QPrinter::DuplexMode duplex,
                      QPrinter::ColorMode colour, const QString& pdfFile) {
    QStringList args{QStringLiteral("-d"), printerName,
                     QStringLiteral("-n"), QString::number(qMax(1, copies)),
                     QStringLiteral("-t"), QStringLiteral("Miravel")};
    switch (duplex) {
    case QPrinter::DuplexLongSide:
        args << QStringLiteral("-o") << QStringLiteral("sides=two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        args << QStringLiteral("-o") << QStringLiteral("sides=two-sided-short-edge");
        break;
    case QPrinter::DuplexNone:
        args << QStringLiteral("-o") << QStringLiteral("sides=one-sided");
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    if (colour == QPrinter::GrayScale)
        args << QStringLiteral("-o") << QStringLiteral("print-color-mode=monochrome");
    args << QStringLiteral("--") << pdfFile;
    return args;
}

bool send(const QPrinter& printer, const QString& pdfFile) {
    const QString lp = program();
    if (lp.isEmpty() || printer.printerName().isEmpty())
        return false;
    QProcess spooler;
    spooler.start(lp, arguments(printer, pdfFile));
    // lp copies the file into the spool and returns; it never waits for paper.
    if (!spooler.waitForFinished(30000)) {
        spooler.kill();
        return false;
    }
    return spooler.exitStatus() == QProcess::NormalExit && spooler.exitCode() == 0;
}

} // namespace PrintSpooler
