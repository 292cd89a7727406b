// The Towed Units rows: each towed weapon takes a towing place and adds its
// crew's supply load.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo19_Click and its three twins; row 0 is the top row.
void towedPick(worksheet::Sheet& sheet, int row);
// Command16_Click.
void towedClear(worksheet::Sheet& sheet, int);

} // namespace sections
