// The Trucks section: five rows of trucks and the section's Clear button.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo33_Click to Combo37_Click: adds the row's count times the picked
// kind's figures to the summary panel and the Trucks column of the grid.
void truckPick(worksheet::Sheet& sheet, int row);

// Command11_Click: takes the trucks' and the APCs' shares back out, blanks
// both sections' rows and zeroes the carrying capacity outright.
void trucksClear(worksheet::Sheet& sheet, int);

} // namespace sections
