// The worksheet started as app/main.cpp starts it, ending after the window's
// first paint.
#include "first_paint.h"

#include "app/program.h"
#include "app/worksheet_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Combat Worksheet");
    QApplication::setFont(worksheetFont());

    ProgramWindow window;
    quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
