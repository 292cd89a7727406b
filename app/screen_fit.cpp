#include "screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

// Room for the panels a Wayland desktop may keep at the screen's edges
// (GNOME's top bar, KDE's panel, weston's).
constexpr int waylandPanels = 64;

} // namespace

void fitToScreen(QWidget& topLevel)
{
    const QScreen* screen = topLevel.screen();
    if (!screen)
        return;
    // Before its first show a window has no frame yet: allow for a title bar
    // and borders as large as the common desktops draw them.
    QSize frame = topLevel.frameGeometry().size() - topLevel.size();
    if (frame.isEmpty())
        frame = QSize(16, 40);
    const QSize wanted = topLevel.sizeHint();
    // On Wayland a program is not told where the desktop's panels are: its
    // available area is the whole screen. A window that may not fit beside
    // them opens maximised, and the compositor fits it to the work area.
    const QSize screenSize = screen->availableGeometry().size();
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        (wanted.width() + frame.width() > screenSize.width() ||
         wanted.height() + frame.height() + waylandPanels > screenSize.height()))
        topLevel.setWindowState(topLevel.windowState() | Qt::WindowMaximized);
    const QSize room = screen->availableGeometry().size() - frame;
    QSize size = wanted.boundedTo(room);
    // Cut in one direction, the window scrolls that way; its scroll bar takes
    // room that should not make it scroll the other way too.
    const int scrollBar = topLevel.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (size.height() < wanted.height())
        size.setWidth(std::min(size.width() + scrollBar, room.width()));
    if (size.width() < wanted.width())
        size.setHeight(std::min(size.height() + scrollBar, room.height()));
    topLevel.resize(size);
}
