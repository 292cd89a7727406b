// The worksheet started as app/main.cpp starts it, ending after the window's
// first paint.
#include "first_paint.h"

#include "app/program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplication();

    ProgramWindow window;
    quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
