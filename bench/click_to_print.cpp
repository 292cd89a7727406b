// click-to-print [--prints N]: the time from a click on Print to the job
// handed to the default printer, in the program's window on the offscreen
// platform. The click returns once the page is drawn and given to CUPS, so
// the time of the click is the figure. Prints the first print (printing's
// code and the printer's settings loaded then) and the median of the rest.
// Needs a default printer: bench/run gives it a private one.
#include "repeat_option.h"

#include "app/program.h"
#include "app/worksheet_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    const auto asked = repeatOption(argc, argv, "click-to-print", "prints", 10);
    if (!asked)
        return 2;
    const int prints = std::max(2, *asked);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    ProgramWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "click-to-print: the window was never shown\n");
        return 1;
    }
    auto* print = window.worksheet().findChild<QPushButton*>(QStringLiteral("Command1"));
    std::vector<double> ms;
    for (int i = 0; i < prints; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(print, Qt::LeftButton);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (i == 0 && QPrinterInfo::defaultPrinter().isNull()) {
            std::fprintf(stderr, "click-to-print: there is no default printer\n");
            return 1;
        }
    }
    const double first = ms.front();
    std::sort(ms.begin() + 1, ms.end());
    std::printf("click to job, %d prints: first %.0f ms, median of the rest %.0f ms, slowest of the rest %.0f ms\n",
                prints, first, ms[1 + (ms.size() - 1) / 2], ms.back());
    return 0;
}
