#include "printer.h"

#include <QCoreApplication>
#include <QLibrary>

Printers* printers(QString* why)
{
    // Beside the program's folder as it is installed, and as it is built:
    // every program of the build lies one folder down, as bin/ does.
    static QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" PRINTER_MODULE));
    static Printers* loaded = nullptr;
    if (!loaded) {
        if (auto entry = reinterpret_cast<PrintersEntry>(module.resolve(printersEntry)))
            loaded = entry();
        else if (why)
            *why = QStringLiteral("Printing is not available: %1.").arg(module.errorString());
    }
    return loaded;
}
