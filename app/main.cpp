#include "program.h"
#include "worksheet_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool hasDisplay()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// The plan to open at start, if one is named.
QString describe(QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Combat Worksheet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(COMBAT_WORKSHEET_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plans what a small force can carry, tow and supply on one mission."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A plan to open."), QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

// --help and --version are answered without a display, and without opening a
// window.
bool asksForHelpOrVersion(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* a) {
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"})
            if (std::strcmp(a, option) == 0)
                return true;
        return false;
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        describe(app); // prints and exits
    }
    if (!hasDisplay()) {
        std::fprintf(stderr, "combat-worksheet: no display found; run it in a desktop session, "
                             "or without one as: xvfb-run combat-worksheet\n");
        return 1;
    }
    QApplication app(argc, argv);
    const QString file = describe(app); // an unknown option is reported here, before the window opens
    setUpApplication();
    QApplication::setDesktopFileName(QStringLiteral("org.combatworksheet.combatworksheet"));
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    ProgramWindow window;
    window.show();
    // A file that cannot be opened is reported over the worksheet, which is
    // then the empty one of start-up.
    if (!file.isEmpty())
        window.openFile(file);
    return app.exec();
}
