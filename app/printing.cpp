#include "printing.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

constexpr qreal imageScale = 2;

void reportFailure(QWidget& window, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Print Error"), text, QMessageBox::Ok, &window);
    box.exec();
}

void saveAsPdf(QWidget& window, const QImage& image)
{
    const QString path =
        QFileDialog::getSaveFileName(&window, QStringLiteral("Save the worksheet as PDF"),
                                     QStringLiteral("Combat Worksheet.pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setDocName(QStringLiteral("Combat Worksheet"));
    if (!printImage(pdf, image))
        reportFailure(window, QStringLiteral("The worksheet could not be saved as %1.").arg(path));
}

} // namespace

QImage worksheetImage(QWidget& window)
{
    QImage image(window.size() * imageScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(imageScale);
    image.fill(window.palette().color(QPalette::Window));
    window.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

bool printImage(QPrinter& printer, const QImage& image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(QPoint(0, 0), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    return painter.end();
}

void printWorksheet(QWidget& window)
{
    const QImage image = worksheetImage(window);
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Print Error"),
                        QStringLiteral("No printer is set up. Save the worksheet as a PDF file instead?"),
                        QMessageBox::Cancel, &window);
        QPushButton* save = box.addButton(QStringLiteral("Save as PDF..."), QMessageBox::AcceptRole);
        box.setDefaultButton(save);
        box.exec();
        if (box.clickedButton() == save)
            saveAsPdf(window, image);
        return;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Combat Worksheet"));
    if (!printImage(printer, image))
        reportFailure(window,
                      QStringLiteral("The worksheet could not be printed on %1.").arg(printerInfo.printerName()));
}
