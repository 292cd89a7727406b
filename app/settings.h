#pragma once

#include <QSettings>

// What the program keeps between runs, in the desktop's usual place for
// settings (on Linux, ~/.config/combat-worksheet/combat-worksheet.conf).
inline QSettings programSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("combat-worksheet"),
                     QStringLiteral("combat-worksheet"));
}
