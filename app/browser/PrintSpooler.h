#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>

// Hands a PDF file to the system's print spooler (CUPS `lp`), so that a
// page reaches a real printer with its text as text rather than as a
// picture of the page.
namespace PrintSpooler {

// The spooler's program; empty where there is none.
QString program();

// How a page reaches a printer.
enum class Route {
    PdfFile,  // a PDF printer with a file: the engine writes the PDF, text as text
    Spooler,  // a named printer and a spooler: a PDF through the spooler, text as text
    Pictures, // anything else: the engine prints pictures of the page
};

// The route for a printer set up as given, with `spooler` the spooler's
// program (empty: there is none).
Route route(QPrinter::OutputFormat format, const QString& outputFile, const QString& printerName,
            const QString& spooler);
// The same for `printer` with this system's spooler.
Route route(const QPrinter& printer);

// The spooler's arguments for printing `pdfFile` as the dialog set up
// `printer` (destination, copies, sides, colour).  Page size, orientation
// and page ranges are already in the PDF.
QStringList arguments(const QPrinter& printer, const QString& pdfFile);
QStringList arguments(const QString& printerName, int copies, QPrinter::DuplexMode duplex,
                      QPrinter::ColorMode colour, const QString& pdfFile);

// Runs the spooler; true once it has taken the file.
bool send(const QPrinter& printer, const QString& pdfFile);

} // namespace PrintSpooler
