#pragma once

#include <QComboBox>

// A worksheet list: an editable combo box whose drop-down is made the first
// time it opens, wide enough to show every item whole. Making the drop-downs
// of all the window's lists up front would cost start-up time and memory for
// lists most users never open.
class ListField : public QComboBox {
public:
    explicit ListField(QWidget* parent);

    void showPopup() override;

private:
    bool popupSized_ = false;
};
