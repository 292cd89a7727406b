#pragma once

#include "worksheet/form.h"

#include <QLabel>

// A label that shows one of the summary figures, on the worksheet or in the
// status line: a left click on it, or Enter or Space while it has the focus,
// activates it (its breakdown opens), and hovering asks for its tip.
class FigureLabel : public QLabel {
    Q_OBJECT

public:
    FigureLabel(worksheet::Control figure, QWidget* parent);
    worksheet::Control figure() const { return figure_; }

signals:
    void activated(worksheet::Control figure);
    // The tooltip is due at a place on the screen.
    void tipWanted(QPoint at, worksheet::Control figure);

protected:
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    worksheet::Control figure_;
};
