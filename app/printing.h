#pragma once

#include <QPageLayout>
#include <QRect>
#include <QString>

#include <functional>

class QDateTime;
class QPrinter;
class QWidget;
class WorksheetWindow;

// The part of the worksheet's page that is printed: its visible controls,
// less the Print and Exit buttons, with the lines and boxes drawn between them.
QRect printedExtent(WorksheetWindow& window);

// The orientation in which an extent of that size comes out largest on the
// printer's paper, within its margins.
QPageLayout::Orientation bestOrientation(const QPrinter& printer, QSize extent);

// Sets the printer up for the worksheet: the document's name (the plan's,
// which a PDF takes as its title and the print dialog for its file), the
// margins and the best orientation.
void setUpForWorksheet(QPrinter& printer, WorksheetWindow& window, const QString& name);

// Draws the worksheet on one page of a printer that is set up, on white
// paper, as text and lines rather than an image, scaled to fill the page
// within its margins, with a footer line of the document's name and the time
// of printing. Nothing has
// the focus or the mouse over it on paper. Returns false when the printer
// cannot be opened.
bool printPage(QPrinter& printer, WorksheetWindow& window, const QDateTime& printedAt);

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
