// The Infantry rows: riding troops take seats and cargo off the transport,
// every row adds its supply needs.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo1_Click and its eight twins; row 0 is the top row.
void infantryPick(worksheet::Sheet& sheet, int row);
// Command2_Click.
void infantryClear(worksheet::Sheet& sheet, int);

} // namespace sections
