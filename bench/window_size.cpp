// worksheet-window-size: writes the size the program's window asks for (the
// worksheet under its menu bar) as a header, so that the bare window the
// start-up benchmark compares against is the worksheet's size.
#include "app/program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplication();
    const QSize size = ProgramWindow().sizeHint();
    std::printf("// Written by worksheet-window-size: the program window's size.\n"
                "#pragma once\n"
                "inline constexpr int worksheetWindowWidth = %d;\n"
                "inline constexpr int worksheetWindowHeight = %d;\n",
                size.width(), size.height());
    return 0;
}
