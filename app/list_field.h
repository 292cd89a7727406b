#pragma once

#include <QComboBox>

// A worksheet list: an editable combo box in which only a choice made in the
// open drop-down is a pick, since every pick adds the row's figures again.
//
// - On the closed list the arrow keys, and Space on a field whose text is
//   all selected, open the drop-down instead of choosing or overwriting a
//   kind; the wheel scrolls the page and never picks or takes the focus.
// - Enter, or leaving the field, with an item's name typed in is no pick.
// - Text the worksheet marks as typed shows in grey italics, with a note.
// - A row that reads differently from what it counts is underlined in amber,
//   and its tooltip and description say what was counted.
// - A screen reader hears the list by its own name ("Trucks, row 2, kind"),
//   whatever it shows, and what it shows as its value.
//
// The drop-down is made the first time it opens, wide enough to show every
// item whole: making those of all the window's lists up front would cost
// start-up time and memory for lists most users never open.
class ListField : public QComboBox {
    Q_OBJECT

public:
    ListField(QWidget* parent, const QString& name, const QStringList& items);

    // Shows the worksheet's text for the list: typed text the user typed
    // that no pick counted; note says what the user should know about it,
    // mark what the row counts where that differs from what it shows.
    void showText(const QString& text, bool typed, const QString& note, const QString& mark = {});
    // What a pick on the list changed, told to a screen reader with the
    // list's description until the focus leaves it.
    void announce(const QString& changes);
    // Derives the grey of typed text and the mark's amber from the palette
    // of the page the list is on (the list's own holds what is set here).
    void recolour(const QPalette& page);

    void showPopup() override;
    // Whether the drop-down is open, without making it.
    bool popupShown() const;

    // Registers the list's accessible interface; once, before any is made.
    static void describeToScreenReaders();

signals:
    // A kind chosen in the open drop-down.
    void picked(int item);
    // The user changed the field's text by typing, pasting or deleting.
    void typedText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool popupMade_ = false;
    bool typedShown_ = false;     // in grey italics
    QWidget* markLine_ = nullptr; // made when a mark first shows
    QString description_;         // the mark and the note
    QString changes_;             // the last pick's, while the focus stays
    void describe();
};
