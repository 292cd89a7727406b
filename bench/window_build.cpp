// window-build [--builds N]: builds and destroys the worksheet window N times
// in one process on the offscreen platform and prints the median time of a
// build and of a teardown. Fonts, styles and code are warm after the first
// build, so this is the part of start-up that the window's own code decides,
// measured with far less noise than a whole launch.
#include "repeat_option.h"

#include "app/worksheet_window.h"
#include "app/worksheet_geometry.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double millis(const QElapsedTimer& t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    const auto asked = repeatOption(argc, argv, "window-build", "builds", 200);
    if (!asked)
        return 2;
    const int builds = *asked;
    if (builds < 1) {
        std::fprintf(stderr, "window-build: at least one build\n");
        return 2;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(worksheetFont());
    delete new WorksheetWindow; // the first build loads fonts and code

    std::vector<double> build;
    std::vector<double> teardown;
    for (int i = 0; i < builds; ++i) {
        QElapsedTimer t;
        t.start();
        auto* window = new WorksheetWindow;
        build.push_back(millis(t));
        t.restart();
        delete window;
        teardown.push_back(millis(t));
    }
    std::printf("window built %d times: median %.2f ms to build, %.2f ms to tear down\n", builds, median(build),
                median(teardown));
    return 0;
}
