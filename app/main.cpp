#include "command_line.h"
#include "program.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    if (const std::optional<int> status = runCommandLine(argc, argv))
        return *status;
    if (!hasDisplay()) {
        std::fprintf(stderr, "combat-worksheet: no display found; run it in a desktop session, "
                             "or without one as: xvfb-run combat-worksheet\n");
        return 1;
    }
    QApplication app(argc, argv);
    const QString file = planToOpen(app);
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
