#pragma once

#include <QComboBox>

// A worksheet list: an editable combo box whose drop-down is made the first
// time it opens, wide enough to show every item whole. Making the drop-downs
// of all the window's lists up front would cost start-up time and memory for
// lists most users never open.
//
// On the closed list the arrow keys open the drop-down instead of choosing
// the next kind: every choice is a pick that adds the row again, so only a
// choice made in the open drop-down counts.
class ListField : public QComboBox {
public:
    explicit ListField(QWidget* parent);

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool popupSized_ = false;
};
