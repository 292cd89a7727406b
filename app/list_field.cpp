#include "list_field.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QStyle>

ListField::ListField(QWidget* parent) : QComboBox(parent)
{
}

void ListField::showPopup()
{
    if (!popupSized_) {
        // The field is narrower than most kinds' names; the drop-down shows
        // them whole.
        QAbstractItemView* list = view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
        popupSized_ = true;
    }
    QComboBox::showPopup();
}

void ListField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // With Ctrl they are the line edit's; without, the closed list's
        // own handling would pick.
        if (!(event->modifiers() & Qt::ControlModifier)) {
            showPopup();
            return;
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        // The line edit moves its cursor; the list itself never picks.
        event->ignore();
        return;
    default: break;
    }
    QComboBox::keyPressEvent(event);
}
