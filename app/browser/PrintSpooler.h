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

// The spooler's arguments for printing `pdfFile` as the dialog set up
// `printer` (destination, copies, sides, colour).  Page size, orientation
// and page ranges are already in the PDF.
QStringList arguments(const QPrinter& printer, const QString& pdfFile);
QStringList arguments(const QString& printerName, int copies, QPrinter::DuplexMode duplex,
                      QPrinter::ColorMode colour, const QString& pdfFile);

// Runs the spooler; true once it has taken the file.
bool send(const QPrinter& printer, const QString& pdfFile);

} // namespace PrintSpooler
