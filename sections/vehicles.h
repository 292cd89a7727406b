// The four vehicle sections (Trucks, APCs, Armour and the other vehicles,
// headed "Vehicles"). Each row adds its count times the picked kind's figures
// to the summary panel and to the section's shares; each section's Clear
// takes its shares back out and blanks its rows.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo33_Click to Combo37_Click.
void truckPick(worksheet::Sheet& sheet, int row);
// Command11_Click: takes the trucks' and the APCs' shares back out, blanks
// both sections' rows and zeroes the carrying capacity outright.
void trucksClear(worksheet::Sheet& sheet, int);

// Combo39_Click to Combo42_Click, and Command7_Click.
void apcPick(worksheet::Sheet& sheet, int row);
void apcsClear(worksheet::Sheet& sheet, int);

// Combo30_Click, Combo31_Click, Combo32_Click, Combo45_Click, Combo46_Click,
// and Command19_Click.
void armourPick(worksheet::Sheet& sheet, int row);
void armourClear(worksheet::Sheet& sheet, int);

// Combo25_Click, Combo28_Click, Combo29_Click, Combo43_Click, and
// Command5_Click.
void otherVehiclePick(worksheet::Sheet& sheet, int row);
void otherVehiclesClear(worksheet::Sheet& sheet, int);

} // namespace sections
