// worksheet-script: runs scenario files against the worksheet, headless or,
// with --gui, against the real window on the offscreen platform.
#include "gui_backend.h"
#include "headless_backend.h"
#include "script.h"

#include "app/program.h"
#include "app/worksheet_geometry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The process's resident memory now and at its peak, from /proc, in kB.
void reportMemory()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    std::string now = "?";
    std::string peak = "?";
    while (std::getline(status, line)) {
        const auto value = [&] { return line.substr(line.find_first_not_of(" \t", line.find(':') + 1)); };
        if (line.starts_with("VmRSS:"))
            now = value();
        else if (line.starts_with("VmHWM:"))
            peak = value();
    }
    std::cout << "resident memory: " << now << ", peak " << peak << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    const bool gui = std::any_of(argv + 1, argv + argc, [](const char* a) { return std::strcmp(a, "--gui") == 0; });

    std::unique_ptr<QApplication> app;
    if (gui) {
        // The window runs offscreen unless Qt's own -platform option names
        // another platform, which QApplication then takes out of argv.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietOffscreenNotes);
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setFont(worksheetFont());
    }

    // What QApplication left of the command line: Qt's own options are gone.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption guiOption(QStringLiteral("gui"), QStringLiteral("Run against the real window."));
    const QCommandLineOption memoryOption(QStringLiteral("report-memory"),
                                          QStringLiteral("Print the resident memory after the files."));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("With --gui, save the window as the last file left it."),
                                              QStringLiteral("PNG"));
    parser.addOptions({guiOption, memoryOption, screenshotOption});
    const bool parsed = parser.parse(arguments);
    const std::string screenshot = parser.value(screenshotOption).toStdString();
    const bool memory = parser.isSet(memoryOption);
    std::vector<std::string> files;
    for (const QString& file : parser.positionalArguments())
        files.push_back(file.toStdString());
    if (!parsed || files.empty() || (!screenshot.empty() && !gui)) {
        std::cerr << "usage: worksheet-script [--gui [-platform NAME] [--screenshot PNG]] [--report-memory] FILE...\n";
        return 2;
    }

    std::unique_ptr<Backend> backend;
    if (gui)
        backend = std::make_unique<GuiBackend>();
    else
        backend = std::make_unique<HeadlessBackend>();

    int passed = 0;
    int failed = 0;
    for (const auto& file : files)
        (runScenario(file, *backend, std::cout) ? passed : failed)++;
    if (memory)
        reportMemory();
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    // The window as the last file left it.
    if (!screenshot.empty() && !static_cast<GuiBackend&>(*backend).saveScreenshot(screenshot)) {
        std::cerr << "worksheet-script: cannot write " << screenshot << '\n';
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
