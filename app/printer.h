#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;
class QWidget;

// Printers and PDF files, through Qt's print support. That library is not
// loaded with the program: the module that drives it (printer_module.cpp) is
// loaded when a page is first printed or saved, so that a start-up that
// prints nothing does not pay for it.

// A page to put on paper.
struct Page {
    // The document's name: a PDF file's title, the print dialog's file.
    QString name;
    // The size of what is drawn: the page is turned the way that shows it
    // largest. Empty: the printer's own way.
    QSize extent;
    // The margins on every side; negative: the printer's own.
    double marginMm = -1;
    // Draws the page. room: the part of the paper within the margins, in
    // device pixels, at dpi dots per inch.
    std::function<void(QPainter& painter, QSizeF room, int dpi)> draw;
};

class Printers {
public:
    virtual ~Printers() = default;

    // The default printer's name, or empty when there is none.
    virtual QString defaultPrinter() const = 0;
    // Each is false when the printer or the file cannot be opened.
    virtual bool printOnDefaultPrinter(const Page& page) = 0;
    virtual bool writePdf(const Page& page, const QString& path) = 0;

    // The print dialog, titled title, to choose a printer (or a PDF file)
    // and the page's settings; then the page on it.
    struct Chosen {
        bool accepted = false;
        bool printed = false;
        QString printer; // the printer chosen
        QString pdfFile; // the file, when the dialog chose one instead
    };
    virtual Chosen printWithDialog(const Page& page, QWidget* parent, const QString& title) = 0;
};

// The printers, the module loaded on the first call; null when it cannot be
// loaded, and why is set to a message that says so, with the reason.
Printers* printers(QString* why);

// The module's one entry point.
using PrintersEntry = Printers* (*)();
inline constexpr char printersEntry[] = "combatWorksheetPrinters";
