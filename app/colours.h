#pragma once

#include <QColor>
#include <QPalette>

// The colours the window adds to the desktop's own, each derived from the
// palette it is drawn with (light or dark, the desktop's or paper's) so that
// it stays legible there: text at least 4.5:1 against its background and a
// mark at least 3:1, as WCAG asks of text and of what is not text.
namespace colours {

inline constexpr double textContrast = 4.5;
inline constexpr double markContrast = 3.0;

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrast(const QColor& a, const QColor& b);

// Text typed into a list that no pick has counted: the palette's
// placeholder grey, moved towards the text colour as far as it must be.
QColor typedText(const QPalette& palette);
// A summary figure below zero: red, lightened on a dark background and
// darkened on a light one as far as it must be.
QColor negative(const QPalette& palette);
// The amber underline of a row that reads differently from what it counts.
QColor mark(const QPalette& palette);

// The palette a page is drawn with for printing, whatever the desktop's:
// black ink on white paper.
QPalette paper();

} // namespace colours
