#include "figure_label.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>

FigureLabel::FigureLabel(worksheet::Control figure, QWidget* parent) : QLabel(parent), figure_(figure)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

bool FigureLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        emit tipWanted(static_cast<QHelpEvent*>(event)->globalPos(), figure_);
        return true;
    }
    return QLabel::event(event);
}

void FigureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit activated(figure_);
    else
        QLabel::mouseReleaseEvent(event);
}

void FigureLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        emit activated(figure_);
    else
        QLabel::keyPressEvent(event);
}
