#pragma once

#include <QString>

class Printers;
class QWidget;
class WorksheetWindow;

// The worksheet goes on one page, on white paper, as text and lines rather
// than an image, scaled to fill the page within its margins and turned the
// way that shows it largest, with a footer line of the plan's name and the
// time of printing. Nothing has the focus or the mouse over it on paper.

// Where a page went: the printer it was sent to, or the PDF file written;
// both empty when it went nowhere.
struct Printed {
    QString printer;
    QString pdfFile;
};

// Print: the worksheet at once on the default printer. Without a printer it
// offers to save the page as a PDF file instead, suggesting pdfFile. A
// failure is reported in a message box. Nothing on the worksheet changes.
Printed printWorksheet(WorksheetWindow& window, const QString& pdfFile);

// The print dialog, to choose a printer and page settings, then the page of
// the plan of that name.
Printed printWorksheetWithDialog(WorksheetWindow& window, const QString& name);

// Asks where to save the page as a PDF file, suggesting pdfFile, and writes
// it there; a file that cannot be written is reported with the system's
// reason. Returns the file written, or nothing when the user cancelled or
// writing failed.
QString exportWorksheetAsPdf(WorksheetWindow& window, const QString& pdfFile);

// Without dialogs or message boxes, for the command line: writes the page of
// the plan of that name as a PDF file, or prints it on the default printer.
// Each returns the reason for a failure, else empty.
QString writePdf(WorksheetWindow& window, const QString& path, const QString& name);
QString printOnDefaultPrinter(WorksheetWindow& window, const QString& name);

// The PDF save dialog (see file_chooser.h), suggesting a file; the file
// chosen, with ".pdf" added where it has no suffix, or empty for Cancel.
QString choosePdfFile(QWidget* parent, const QString& suggested);
// Why a PDF file cannot be written there, else empty.
QString unwritablePdf(const QString& path);
// A print or PDF failure, in a message box over the window.
void reportPrintFailure(QWidget& over, const QString& text);
// The printers (see printer.h), or null when they cannot be loaded, which is
// reported over the window.
Printers* printersOr(QWidget& over);
