// The baseline: an empty Qt window of the worksheet's size, shown the same way
// and ending after its first paint.
#include "first_paint.h"
#include "worksheet_window_size.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.setFixedSize(worksheetWindowWidth, worksheetWindowHeight);
    quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
