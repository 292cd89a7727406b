#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

class FirstPaintWatch : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            // The children are painted and the backing store flushed in the
            // same pass as the window itself; quitting from the event loop
            // comes after both.
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void quitAfterFirstPaint(QWidget& window)
{
    window.installEventFilter(new FirstPaintWatch(&window));
}
