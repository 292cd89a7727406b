#include "printing.h"

#include "file_chooser.h"
#include "printer.h"

#include "colours.h"
#include "message_box.h"
#include "paper.h"
#include "worksheet_window.h"

#include "worksheet/form_events.h"
#include "worksheet_geometry.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>

#include <vector>

namespace {

// Room around the controls for the lines and boxes drawn between them.
constexpr int extentMargin = 8;
constexpr qreal pageMarginMm = 12;
constexpr qreal footerPoints = 7;
const QString programName = QStringLiteral("Combat Worksheet");

bool isPrinted(WorksheetWindow& window, QWidget* w)
{
    return w->isVisibleTo(&window.page()) && w != window.widget(worksheet::printButton) &&
           w != window.widget(worksheet::exitButton);
}

// The page's own controls, each with its children.
std::vector<QWidget*> printedControls(WorksheetWindow& window)
{
    std::vector<QWidget*> out;
    for (QObject* child : window.page().children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow() && isPrinted(window, w))
            out.push_back(w);
    return out;
}

// Takes the focus and the mouse's hover off the page while it is drawn and
// gives them back afterwards, so that no ring or highlight is printed; the
// page is drawn in black ink on white paper whatever the desktop's colours,
// and without the rows' marks, which are aids on screen.
class PlainLook {
public:
    explicit PlainLook(QWidget& page)
        : page_(page), filled_(page.autoFillBackground()), ownPalette_(page.testAttribute(Qt::WA_SetPalette)),
          palette_(page.palette())
    {
        // The page fills its background on screen; paper stays white.
        page.setAutoFillBackground(false);
        page.setPalette(colours::paper());
        for (QWidget* mark : page.findChildren<QWidget*>(QStringLiteral("rowMark")))
            if (mark->isVisible()) {
                mark->hide();
                marks_.emplace_back(mark);
            }
        if (QWidget* f = QApplication::focusWidget(); f && page.isAncestorOf(f)) {
            focus_ = f;
            f->clearFocus();
        }
        for (QWidget* w : page.findChildren<QWidget*>())
            if (w->testAttribute(Qt::WA_UnderMouse)) {
                w->setAttribute(Qt::WA_UnderMouse, false);
                hovered_.emplace_back(w);
            }
    }
    ~PlainLook()
    {
        page_.setAutoFillBackground(filled_);
        page_.setPalette(ownPalette_ ? palette_ : QPalette());
        for (const QPointer<QWidget>& w : marks_)
            if (w)
                w->show();
        for (const QPointer<QWidget>& w : hovered_)
            if (w)
                w->setAttribute(Qt::WA_UnderMouse, true);
        if (focus_)
            focus_->setFocus(Qt::OtherFocusReason);
    }
    PlainLook(const PlainLook&) = delete;
    PlainLook& operator=(const PlainLook&) = delete;

private:
    QWidget& page_;
    bool filled_;
    bool ownPalette_;
    QPalette palette_;
    std::vector<QPointer<QWidget>> marks_;
    QPointer<QWidget> focus_;
    std::vector<QPointer<QWidget>> hovered_;
};

QFont footerFont()
{
    QFont font = worksheetFont();
    font.setPointSizeF(footerPoints);
    return font;
}

// The part of the worksheet's page that is printed: its visible controls,
// less the Print and Exit buttons, with the lines and boxes drawn between them.
QRect printedExtent(WorksheetWindow& window)
{
    QWidget& page = window.page();
    QRect extent;
    for (QWidget* w : printedControls(window))
        extent |= QRect(w->mapTo(&page, QPoint(0, 0)), w->size());
    return extent.adjusted(-extentMargin, -extentMargin, extentMargin, extentMargin).intersected(page.rect());
}

// Draws the worksheet within room on the painter of a printer: on white
// paper, as text and lines rather than an image, scaled to fill the page,
// with a footer line of the document's name and the time of printing.
// Nothing has the focus or the mouse over it on paper.
void drawWorksheet(QPainter& painter, QSizeF room, int dpi, WorksheetWindow& window, const QString& name)
{
    QWidget& page = window.page();
    const QRect extent = printedExtent(window);
    const QDateTime printedAt = QDateTime::currentDateTime();
    painter.setFont(footerFont());
    const qreal footerHeight = painter.fontMetrics().height();
    const QRectF footerRect(0, room.height() - footerHeight, room.width(), footerHeight);
    painter.drawText(footerRect, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("%1, printed %2, %3")
                         .arg(name == programName ? programName : name + QStringLiteral(" \u2014 ") + programName,
                              QLocale().toString(printedAt.date(), QLocale::LongFormat),
                              QLocale().toString(printedAt.time(), QLocale::ShortFormat)));

    const qreal scale = std::min(room.width() / extent.width(), (room.height() - 2 * footerHeight) / extent.height());
    const PlainLook plain(page);
    Paper paper(painter, room.toSize(), dpi);
    QPainter onPaper(&paper);
    // Drawn scaled, the style draws its shapes afresh rather than from
    // images it keeps of them.
    onPaper.translate((room.width() - extent.width() * scale) / 2, 0);
    onPaper.scale(scale, scale);
    // The page's own lines and boxes, without its background; then each
    // control in turn, leaving out the buttons.
    page.render(&onPaper, QPoint(0, 0), QRegion(extent), {});
    for (QWidget* w : printedControls(window))
        w->render(&onPaper, w->mapTo(&page, QPoint(0, 0)) - extent.topLeft(), QRegion(), QWidget::DrawChildren);
}

// The worksheet as a page of the plan of that name, in the margins and the
// orientation that suit it.
Page worksheetPage(WorksheetWindow& window, const QString& name)
{
    return {name, printedExtent(window).size(), pageMarginMm,
            [&window, name](QPainter& painter, QSizeF room, int dpi) { drawWorksheet(painter, room, dpi, window, name); }};
}

} // namespace

void reportPrintFailure(QWidget& over, const QString& text)
{
    MessageBox::critical(&over, QStringLiteral("Print Error"), text);
}

Printers* printersOr(QWidget& over)
{
    QString why;
    Printers* found = printers(&why);
    if (!found)
        reportPrintFailure(over, why);
    return found;
}

QString choosePdfFile(QWidget* parent, const QString& suggested)
{
    QString path = chooseFileToSave(parent, QStringLiteral("Export as PDF"), suggested,
                                    QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

QString unwritablePdf(const QString& path)
{
    // The printer gives no reason when it cannot write its file; the file
    // opened here first does.
    if (QFile file(path); !file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1 cannot be written: %2.").arg(path, file.errorString());
    return {};
}

Printed printWorksheet(WorksheetWindow& window, const QString& pdfFile)
{
    Printers* out = printersOr(window);
    if (!out)
        return {};
    const QString printer = out->defaultPrinter();
    if (printer.isEmpty()) {
        const auto answer =
            MessageBox::offerPdf(&window, QStringLiteral("Print Error"),
                                 QStringLiteral("No printer is set up. Save the worksheet as a PDF file instead?"));
        if (answer != MessageBox::Answer::SaveAsPdf)
            return {};
        return {{}, exportWorksheetAsPdf(window, pdfFile)};
    }
    if (const QString why = printOnDefaultPrinter(window, QFileInfo(pdfFile).completeBaseName()); !why.isEmpty()) {
        reportPrintFailure(window, why);
        return {};
    }
    return {printer, {}};
}

Printed printWorksheetWithDialog(WorksheetWindow& window, const QString& name)
{
    Printers* out = printersOr(window);
    if (!out)
        return {};
    const Printers::Chosen chosen =
        out->printWithDialog(worksheetPage(window, name), &window, QStringLiteral("Print the worksheet"));
    if (!chosen.accepted)
        return {};
    if (!chosen.printed) {
        reportPrintFailure(window, QStringLiteral("The worksheet could not be printed on %1.").arg(chosen.printer));
        return {};
    }
    if (!chosen.pdfFile.isEmpty())
        return {{}, chosen.pdfFile};
    return {chosen.printer, {}};
}

QString exportWorksheetAsPdf(WorksheetWindow& window, const QString& suggested)
{
    const QString path = choosePdfFile(&window, suggested);
    if (path.isEmpty())
        return {};
    if (const QString why = writePdf(window, path, QFileInfo(suggested).completeBaseName()); !why.isEmpty()) {
        reportPrintFailure(window, why);
        return {};
    }
    return path;
}

QString writePdf(WorksheetWindow& window, const QString& path, const QString& name)
{
    if (QFile file(path); !file.open(QIODevice::WriteOnly))
        return QStringLiteral("The worksheet could not be saved as %1: %2.").arg(path, file.errorString());
    QString why;
    Printers* out = printers(&why);
    if (!out)
        return why;
    if (!out->writePdf(worksheetPage(window, name), path))
        return QStringLiteral("The worksheet could not be saved as %1.").arg(path);
    return {};
}

QString printOnDefaultPrinter(WorksheetWindow& window, const QString& name)
{
    QString why;
    Printers* out = printers(&why);
    if (!out)
        return why;
    const QString printer = out->defaultPrinter();
    if (printer.isEmpty())
        return QStringLiteral("No printer is set up.");
    if (!out->printOnDefaultPrinter(worksheetPage(window, name)))
        return QStringLiteral("The worksheet could not be printed on %1.").arg(printer);
    return {};
}
