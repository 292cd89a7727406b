#pragma once

#include "worksheet/sheet.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <span>

class QAction;
class QLabel;
class QFont;
class QScrollArea;
class ListField;
class Breakdown;

// The worksheet window: one widget per visible control of the form, laid out
// at its declared place (see worksheet_geometry.h) on a page that scrolls
// where the window is smaller, with every user action handed to the worksheet
// core as an event and every change the core reports copied back into the
// widgets.
class WorksheetWindow : public QWidget, private worksheet::Host {
    Q_OBJECT

public:
    WorksheetWindow();
    ~WorksheetWindow() override;

    const worksheet::Sheet& sheet() const { return *sheet_; }
    // The widget that shows a control, or null for a control that has never
    // been shown (the bookkeeping part has none).
    QWidget* widget(worksheet::Control c) const { return widgets_[c.index]; }
    // The visible worksheet: every control's widget, the lines and the
    // summary's box, at their places; the hidden part takes no room.
    QWidget& page() const { return *page_; }

    // The page whole, within the scrolling's frame.
    QSize sizeHint() const override;

    // The worksheet's undo (Ctrl+Z) and redo (Ctrl+Shift+Z, Ctrl+Y), which
    // work wherever the focus is in the window; a menu shows them.
    QAction& undoAction() const { return *undo_; }
    QAction& redoAction() const { return *redo_; }
    void undo();
    void redo();

    // Plans on disk. Opening replaces the worksheet with the plan, or says in
    // a message box which file it is and what is wrong with it and leaves
    // the worksheet as it was; saving says why a plan cannot be written. Each
    // returns whether it succeeded. Either way the history starts empty
    // after an open, as after startOver, which puts back the worksheet as at
    // start-up.
    bool openPlan(const QString& path);
    bool savePlan(const QString& path);
    void startOver();

    // A summary figure below zero, where it is a capacity, shows in red (as
    // legible on the palette it is drawn on) and says in its tooltip and
    // description by how much it is over.
    static void showOverCapacity(QLabel* label, worksheet::Control figure, double value, const QPalette& on);

    // Opens what the summary figure is made of (one of worksheet::ledger-
    // Figures), as clicking it, or Enter or Space on it, does; the
    // breakdown follows the worksheet while it is open.
    void showBreakdown(worksheet::Control figure);
    // Takes the focus to the control (a row's list that cannot have it yet:
    // the row's count box), as from a breakdown's or comparison's line.
    void focusControl(worksheet::Control c);
    // The breakdown, once one has been opened.
    Breakdown* breakdown() const { return breakdown_; }
    // The breakdown as a tooltip at a place over a widget, with the widget's
    // own tooltip first.
    void showBreakdownTip(QPoint at, QWidget* over, worksheet::Control figure);

signals:
    // After every change the user made, and after an open or startOver.
    void edited();
    void exitRequested();
    void printRequested();
    // The worksheet changed: an event, undo or redo.
    void changed();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMessage(std::string_view title, std::string_view text, std::string_view detail) override;
    void printWindow() override;
    void quit() override;

    void makeGroups();
    QWidget* createWidget(worksheet::Control c);
    ListField* createList(worksheet::Control c);
    // Copies what the last event, undo or redo changed into the widgets.
    void syncChanged();
    // The same, after a user's event, undo or redo.
    void userChanged();
    void showFigure(QLabel* label, worksheet::Control c);
    // The colours derived from the page's palette, derived again.
    void recolour();
    // Tells the list in use which figures changed since last told, if tell.
    void announceFigures(bool tell);
    void sync(worksheet::Control c);
    // Puts the state in place and shows it; returns why it cannot, else
    // empty.
    QString restore(const worksheet::SheetState& state);
    // The control whose widget has the focus, if any.
    std::optional<worksheet::Control> focusedControl() const;

    QScrollArea* scroll_ = nullptr;
    QWidget* page_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool fitted_ = false;

    std::unique_ptr<worksheet::Sheet> sheet_;
    std::array<QWidget*, worksheet::controlCount> widgets_{};
    // The summary figures as last shown, to tell what an event changed.
    std::array<double, worksheet::figureCount> shownFigures_{};
    // The group each control's widget is made in; the page for the header.
    std::array<QWidget*, worksheet::controlCount> groupOf_{};
    // The list of the row whose count box or Marching tick each control is,
    // if it is one.
    std::array<std::optional<worksheet::Control>, worksheet::controlCount> rowListOf_{};
    Breakdown* breakdown_ = nullptr;
};
