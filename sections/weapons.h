// The Weapons rows: weapons are charged against the cargo left, and the
// crew-served ones add their supply load.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo13_Click and its eight twins; row 0 is the top row.
void weaponPick(worksheet::Sheet& sheet, int row);
// Command8_Click: clears the weapons and the combat supplies row.
void weaponsClear(worksheet::Sheet& sheet, int);

} // namespace sections
