#include "gui_input.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

void chooseFromPopup(QComboBox* combo, int item)
{
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex index = combo->model()->index(item, 0);
    view->scrollTo(index);
    // An item wider than the pop-up reaches past its right edge: click on
    // the part that shows.
    const QRect rect = view->visualRect(index).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}
