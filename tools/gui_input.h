#pragma once

class QComboBox;

// Chooses an item from a list's drop-down with the mouse, as a user does:
// the pop-up opens, the item is scrolled into view and clicked.
void chooseFromPopup(QComboBox* combo, int item);
