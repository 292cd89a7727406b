// Every section's event handlers, which the section table and the route
// table name and each section's own unit defines: its rows' picks and its
// Clear.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// The four vehicle sections (Trucks, APCs, Armour and the other vehicles,
// headed "Vehicles"). Each row adds its count times the picked kind's figures
// to the summary panel and to the section's shares; each section's Clear
// takes its shares back out and blanks its rows.

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

// The Infantry rows: riding troops take seats and cargo off the transport,
// every row adds its supply needs.

// Combo1_Click and its eight twins; row 0 is the top row.
void infantryPick(worksheet::Sheet& sheet, int row);
// Command2_Click.
void infantryClear(worksheet::Sheet& sheet, int);

// The Weapons rows: weapons are charged against the cargo left, and the
// crew-served ones add their supply load.

// Combo13_Click and its eight twins; row 0 is the top row.
void weaponPick(worksheet::Sheet& sheet, int row);
// Command8_Click: clears the weapons and the combat supplies row.
void weaponsClear(worksheet::Sheet& sheet, int);

// The Towed Units rows: each towed weapon takes a towing place and adds its
// crew's supply load.

// Combo19_Click and its three twins; row 0 is the top row.
void towedPick(worksheet::Sheet& sheet, int row);
// Command16_Click.
void towedClear(worksheet::Sheet& sheet, int);

// The combat supplies row: the supplies beyond what the troops carry as
// their combat load are charged against the cargo left.

// Combo8_Click.
void suppliesPick(worksheet::Sheet& sheet, int);

// The close air support note and the supply calculation of the button
// beside the combat supplies row.

// Check5_Click: ticking the hidden close air support box shows the note.
void closeAirSupportClick(worksheet::Sheet& sheet, int);
// Command6_Click: empties the combat supplies row and, once a mission type
// is chosen, works the APC rows into the supply calculation's tallies, once.
void supplyCalculationClick(worksheet::Sheet& sheet, int);

} // namespace sections
