#pragma once

#include "worksheet/figures.h"

#include <QWidget>

#include <array>

class FigureLabel;
class WorksheetWindow;

// The five summary figures in one line for the status bar, in view however
// the worksheet is scrolled: "Carry 4 squads or 10252 lb · Tow 2 · Need 414
// · Combat load 138", a figure below zero in red. Each part reads as it
// shows, and opens that figure's breakdown when clicked. The
// parts are no Tab stops: the keyboard reaches the same figures in the
// summary, which Tab scrolls into view, and a screen reader would hear each
// twice.
class FigureStrip : public QWidget {
public:
    explicit FigureStrip(WorksheetWindow& worksheet);

protected:
    void changeEvent(QEvent* event) override;

private:
    void refresh();

    WorksheetWindow& worksheet_;
    std::array<FigureLabel*, worksheet::figureCount> parts_{};
};
