// Where the visible worksheet stands in the window. The form declares every
// control's place in twips; the window stretches those places sideways by
// one horizontal scale, and lets a list whose kinds are still too long grow
// into the empty room to its right (up to the next control in its row, or
// the worksheet's edge). The scale is the least at which every list's items
// and every caption show whole at the font in use. Rows, columns, sections
// and the summary panel keep their declared arrangement; the worksheet takes
// the room the hidden bookkeeping part has on the form.
#pragma once

#include "worksheet/form.h"

#include <QLine>
#include <QRect>
#include <QSize>

#include <array>

class QFont;
class QStyle;

// The font the worksheet's captions are laid out for.
QFont worksheetFont();

class WorksheetGeometry {
public:
    WorksheetGeometry(const QFont& font, const QStyle& style);

    // A control's place in pixels.
    QRect rectOf(const worksheet::ControlDecl& d) const;
    // A line of the form, from its start to its end.
    QLine lineOf(const worksheet::ControlDecl& d) const;
    // The visible worksheet with its margins: the size of the window's page.
    QSize extent() const { return extent_; }

    // Whether a control belongs to the worksheet the user sees (and not to
    // the hidden bookkeeping part), shown now or later.
    static bool onVisiblePart(const worksheet::ControlDecl& d);

private:
    int x(int twips) const;

    double scale_ = 1;
    int margin_ = 0;
    int left_ = 0;
    QSize extent_;
    // Per control: the pixels a widened list needs, and the twips of room to
    // its right it may take.
    std::array<int, worksheet::controlCount> needed_{};
    std::array<int, worksheet::controlCount> room_{};
};

// The geometry at the worksheet's font and the application's style, worked
// out once.
const WorksheetGeometry& worksheetGeometry();
