#pragma once

#include "worksheet/sheet.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <span>

class QComboBox;
class QLabel;
class QFont;
class QScrollArea;

// The font the worksheet's captions are laid out for.
QFont worksheetFont();

// The worksheet window: one widget per visible control of the form, laid out
// at its declared place (see worksheet_geometry.h) on a page that scrolls
// where the window is smaller, with every user action handed to the worksheet
// core as an event and every change the core reports copied back into the
// widgets.
class WorksheetWindow : public QWidget, private worksheet::Host {
    Q_OBJECT

public:
    WorksheetWindow();
    // A window whose events go to other handlers than the worksheet's own.
    explicit WorksheetWindow(std::span<const worksheet::Route> routes);
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

    // Whether a list's line edit was detached from its combo's
    // editingFinished, so that typed text is never taken for a pick.
    bool listsIgnoreTypedText() const { return listsIgnoreTypedText_; }

    // The worksheet's undo and redo, as Ctrl+Z and Ctrl+Shift+Z do them.
    void undo();
    void redo();

signals:
    void exitRequested();
    void printRequested();
    // The widgets show the worksheet's state after an event, an undo or a
    // redo.
    void synced();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMessage(std::string_view title, std::string_view text) override;
    void printWindow() override;
    void quit() override;

    QWidget* createWidget(worksheet::Control c);
    void fillList(QComboBox* combo, worksheet::Control c);
    // Copies what the last event changed into the widgets. A list written
    // by a handler loses what the user typed there; userList is the list the
    // user typed into or picked from, and undo and redo pass history.
    void syncChanged(std::optional<worksheet::Control> userList = std::nullopt, bool history = false);
    void showCapacity(QLabel* label, worksheet::Control c);
    void sync(worksheet::Control c);
    void syncList(QComboBox* combo, worksheet::Control c, const QString& text);

    QScrollArea* scroll_ = nullptr;
    QWidget* page_ = nullptr;
    bool fitted_ = false;

    std::unique_ptr<worksheet::Sheet> sheet_;
    std::array<QWidget*, worksheet::controlCount> widgets_{};
    // What the user last typed into each list; while a list shows it, the
    // text is no pick and counts for nothing.
    std::array<QString, worksheet::controlCount> typed_{};
    bool listsIgnoreTypedText_ = true;
};
