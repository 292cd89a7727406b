#include "list_field.h"

#include <QAbstractItemView>
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
