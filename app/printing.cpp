#include "printing.h"

#include "file_chooser.h"

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
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
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

void reportFailure(WorksheetWindow& window, const QString& text)
{
    reportPrintFailure(window, text);
}

} // namespace

void reportPrintFailure(QWidget& over, const QString& text)
{
    MessageBox::critical(&over, QStringLiteral("Print Error"), text);
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

QRect printedExtent(WorksheetWindow& window)
{
    QWidget& page = window.page();
    QRect extent;
    for (QWidget* w : printedControls(window))
        extent |= QRect(w->mapTo(&page, QPoint(0, 0)), w->size());
    return extent.adjusted(-extentMargin, -extentMargin, extentMargin, extentMargin).intersected(page.rect());
}

QPageLayout::Orientation bestOrientation(const QPrinter& printer, QSize extent)
{
    QPageLayout layout = printer.pageLayout();
    const auto scaleIn = [&](QPageLayout::Orientation o) {
        layout.setOrientation(o);
        const QSizeF room = layout.paintRect(QPageLayout::Point).size();
        return std::min(room.width() / extent.width(), room.height() / extent.height());
    };
    return scaleIn(QPageLayout::Landscape) > scaleIn(QPageLayout::Portrait) ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait;
}

void setUpForWorksheet(QPrinter& printer, WorksheetWindow& window, const QString& name)
{
    printer.setDocName(name);
    printer.setPageMargins(QMarginsF(pageMarginMm, pageMarginMm, pageMarginMm, pageMarginMm), QPageLayout::Millimeter);
    printer.setPageOrientation(bestOrientation(printer, printedExtent(window).size()));
}

bool printPage(QPrinter& printer, WorksheetWindow& window, const QDateTime& printedAt)
{
    QWidget& page = window.page();
    const QRect extent = printedExtent(window);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QSizeF room = printer.pageLayout().paintRectPixels(printer.resolution()).size();

    const QFont footer = footerFont();
    painter.setFont(footer);
    const qreal footerHeight = painter.fontMetrics().height();
    const QRectF footerRect(0, room.height() - footerHeight, room.width(), footerHeight);
    painter.drawText(footerRect, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("%1, printed %2, %3")
                         .arg(printer.docName() == programName ? programName
                                                               : printer.docName() + QStringLiteral(" \u2014 ") + programName,
                              QLocale().toString(printedAt.date(), QLocale::LongFormat),
                              QLocale().toString(printedAt.time(), QLocale::ShortFormat)));

    const qreal scale = std::min(room.width() / extent.width(), (room.height() - 2 * footerHeight) / extent.height());
    {
        const PlainLook plain(page);
        Paper paper(painter, room.toSize(), printer.resolution());
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
    return painter.end();
}

Printed printWorksheet(WorksheetWindow& window, const QString& pdfFile)
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        const auto answer =
            MessageBox::offerPdf(&window, QStringLiteral("Print Error"),
                                 QStringLiteral("No printer is set up. Save the worksheet as a PDF file instead?"));
        if (answer != MessageBox::Answer::SaveAsPdf)
            return {};
        return {{}, exportWorksheetAsPdf(window, pdfFile)};
    }
    if (const QString why = printOnDefaultPrinter(window, QFileInfo(pdfFile).completeBaseName()); !why.isEmpty()) {
        reportFailure(window, why);
        return {};
    }
    return {printerInfo.printerName(), {}};
}

Printed printWorksheetWithDialog(WorksheetWindow& window, const QString& name)
{
    QPrinter printer(QPrinter::ScreenResolution);
    setUpForWorksheet(printer, window, name);
    QPrintDialog dialog(&printer, &window);
    dialog.setWindowTitle(QStringLiteral("Print the worksheet"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (!printPage(printer, window, QDateTime::currentDateTime())) {
        reportFailure(window, QStringLiteral("The worksheet could not be printed on %1.").arg(printer.printerName()));
        return {};
    }
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return {{}, printer.outputFileName()};
    return {printer.printerName(), {}};
}

QString exportWorksheetAsPdf(WorksheetWindow& window, const QString& suggested)
{
    const QString path = choosePdfFile(&window, suggested);
    if (path.isEmpty())
        return {};
    if (const QString why = writePdf(window, path, QFileInfo(suggested).completeBaseName()); !why.isEmpty()) {
        reportFailure(window, why);
        return {};
    }
    return path;
}

QString writePdf(WorksheetWindow& window, const QString& path, const QString& name)
{
    if (QFile file(path); !file.open(QIODevice::WriteOnly))
        return QStringLiteral("The worksheet could not be saved as %1: %2.").arg(path, file.errorString());
    QPrinter pdf(QPrinter::ScreenResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    setUpForWorksheet(pdf, window, name);
    if (!printPage(pdf, window, QDateTime::currentDateTime()))
        return QStringLiteral("The worksheet could not be saved as %1.").arg(path);
    return {};
}

QString printOnDefaultPrinter(WorksheetWindow& window, const QString& name)
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull())
        return QStringLiteral("No printer is set up.");
    QPrinter printer(printerInfo, QPrinter::ScreenResolution);
    setUpForWorksheet(printer, window, name);
    if (!printPage(printer, window, QDateTime::currentDateTime()))
        return QStringLiteral("The worksheet could not be printed on %1.").arg(printerInfo.printerName());
    return {};
}
