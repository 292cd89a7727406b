// The other vehicles' section (headed "Vehicles"): four rows of recovery,
// engineer, artillery and launcher vehicles, and the section's Clear button.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo25_Click, Combo28_Click, Combo29_Click, Combo43_Click: adds the row's
// count times the picked kind's figures to the summary panel and the
// Vehicles column of the grid.
void otherVehiclePick(worksheet::Sheet& sheet, int row);

// Command5_Click: takes the Vehicles shares back out and blanks the rows.
void otherVehiclesClear(worksheet::Sheet& sheet, int);

} // namespace sections
