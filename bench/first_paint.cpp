#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Watches every widget's paint: a window covered wholly by its children
// (a scroll area, say) gets no paint of its own.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == &window_ || window_.isAncestorOf(static_cast<QWidget*>(watched)))) {
            // The rest of the window is painted and the backing store flushed
            // in the same pass; quitting from the event loop comes after.
            qApp->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void quitAfterFirstPaint(QWidget& window)
{
    qApp->installEventFilter(new FirstPaintWatch(window));
}
