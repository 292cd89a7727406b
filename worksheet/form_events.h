// The handlers of the window's own controls, outside any section: the
// window's start-up, the mission type and the count boxes that wait for it,
// Print and Exit.
#pragma once

#include "rows.h"
#include "sheet.h"

namespace worksheet {

// Form_Load: disables the lists that wait for a count and fills every list.
void formLoad(Sheet& sheet, int);
// Combo2_Click: the mission type sets the mission factor.
void missionTypeClick(Sheet& sheet, int);
// Text10_Change and its twins; row is the place in rowsWaitingForCount.
void countChanged(Sheet& sheet, int row);
// Command1_Click and Command3_Click.
void printClick(Sheet& sheet, int);
void exitClick(Sheet& sheet, int);

} // namespace worksheet
