#pragma once

#include <QImage>

class QPrinter;
class QWidget;

// The window's client area as it is on screen, drawn at twice its size so
// that the smallest caption prints sharply.
QImage worksheetImage(QWidget& window);

// Draws the image on one page, scaled to the printable area with its
// proportions kept. Returns false when the printer cannot be opened.
bool printImage(QPrinter& printer, const QImage& image);

// Print: the window on one landscape page of the default printer. Without a
// printer it offers to save the page as a PDF file instead; a failure is
// reported in a message box. Nothing on the worksheet changes.
void printWorksheet(QWidget& window);
