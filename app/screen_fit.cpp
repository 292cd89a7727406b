#include "screen_fit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

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
    const QSize room = screen->availableGeometry().size() - frame;
    const QSize wanted = topLevel.sizeHint();
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
