#include "program.h"

#include "printing.h"
#include "worksheet_window.h"

#include <QApplication>

void runAsProgram(WorksheetWindow& window)
{
    QObject::connect(&window, &WorksheetWindow::exitRequested, qApp, &QCoreApplication::quit);
    QObject::connect(&window, &WorksheetWindow::printRequested, &window, [&window] { printWorksheet(window); });
}
