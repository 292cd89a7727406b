// The module behind printer.h: the only code of the program that uses Qt's
// print support, loaded on the first print.
#include "printer.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Sets the printer up for the page: its name, its margins, and the way round
// in which its extent comes out largest within them.
void setUp(QPrinter& printer, const Page& page)
{
    printer.setDocName(page.name);
    if (page.marginMm >= 0)
        printer.setPageMargins(QMarginsF(page.marginMm, page.marginMm, page.marginMm, page.marginMm),
                               QPageLayout::Millimeter);
    if (page.extent.isEmpty())
        return;
    QPageLayout layout = printer.pageLayout();
    const auto scaleIn = [&](QPageLayout::Orientation o) {
        layout.setOrientation(o);
        const QSizeF room = layout.paintRect(QPageLayout::Point).size();
        return std::min(room.width() / page.extent.width(), room.height() / page.extent.height());
    };
    printer.setPageOrientation(scaleIn(QPageLayout::Landscape) > scaleIn(QPageLayout::Portrait) ? QPageLayout::Landscape
                                                                                               : QPageLayout::Portrait);
}

// Whether the PDF file was written whole. A printer says nothing of a write
// that fails, as on a full disk; a whole PDF file ends with its end mark. A
// file cut short is taken away.
bool wholePdf(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.seek(std::max<qint64>(0, file.size() - 6)) &&
        file.read(6).trimmed().endsWith("%%EOF"))
        return true;
    file.remove();
    return false;
}

bool draw(QPrinter& printer, const Page& page)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    page.draw(painter, printer.pageLayout().paintRectPixels(printer.resolution()).size(), printer.resolution());
    return painter.end();
}

class QtPrinters final : public Printers {
public:
    QString defaultPrinter() const override { return QPrinterInfo::defaultPrinter().printerName(); }

    bool printOnDefaultPrinter(const Page& page) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        QPrinter printer(info, QPrinter::ScreenResolution);
        setUp(printer, page);
        return draw(printer, page);
    }

    bool writePdf(const Page& page, const QString& path) override
    {
        QPrinter pdf(QPrinter::ScreenResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(path);
        setUp(pdf, page);
        return draw(pdf, page) && wholePdf(path);
    }

    Chosen printWithDialog(const Page& page, QWidget* parent, const QString& title) override
    {
        QPrinter printer(QPrinter::ScreenResolution);
        setUp(printer, page);
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(title);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        const bool printed = draw(printer, page) && (!toFile || wholePdf(printer.outputFileName()));
        return {true, printed, printer.printerName(), toFile ? printer.outputFileName() : QString()};
    }
};

} // namespace

extern "C" Q_DECL_EXPORT Printers* combatWorksheetPrinters()
{
    static QtPrinters printers;
    return &printers;
}
