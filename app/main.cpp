#include "program.h"
#include "worksheet_window.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

bool hasDisplay()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    if (!hasDisplay()) {
        std::fprintf(stderr, "combat-worksheet: no display found; run it in a desktop session, "
                             "or without one as: xvfb-run combat-worksheet\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Combat Worksheet");
    QApplication::setFont(worksheetFont());
    QApplication::setDesktopFileName(QStringLiteral("org.combatworksheet.CombatWorksheet"));
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    WorksheetWindow window;
    runAsProgram(window);
    window.show();
    return app.exec();
}
