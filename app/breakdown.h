#pragma once

#include "worksheet/sheet.h"

#include <QDialog>

class QLabel;
class QListWidget;

// What one summary figure is made of: each row's share with its sign
// ("Trucks row 1, 2 × ZIL Medium Truck +4"), and any Clear's own, adding up
// to the figure. It stays open beside the worksheet and follows it as the
// user works; choosing an entry takes the focus to its row. The window makes
// it the first time a figure's breakdown is asked for.
class Breakdown : public QDialog {
    Q_OBJECT

public:
    Breakdown(QWidget* parent, const worksheet::Sheet& sheet);

    // Shows the figure's entries from the first, and keeps showing that
    // figure's. The first time, it opens where it was last left or else
    // beside the worksheet's window (its frame), and where the screen has
    // no room there where it covers least of what it must not: the summary
    // and the row in use.
    void showFigure(worksheet::Control figure, QRect worksheet, QRect summary, QRect row);
    // Reads the figure's entries again.
    void refresh();
    worksheet::Control figure() const { return figure_; }

    // An entry as the breakdown lists it.
    static QString entryText(const worksheet::Sheet& sheet, const worksheet::LedgerEntry& entry);
    // The whole breakdown as a few lines of text, for the figure's tooltip:
    // the figure as it is read out, then each entry.
    static QString asText(const worksheet::Sheet& sheet, worksheet::Control figure);

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

signals:
    // The user chose the entry of this control (a row's list, a button).
    void chosen(worksheet::Control c);

private:
    const worksheet::Sheet& sheet_;
    worksheet::Control figure_{};
    QLabel* heading_ = nullptr;
    QListWidget* entries_ = nullptr;
    bool placed_ = false;

};
