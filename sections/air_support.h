// The close air support note and the supply calculation of the button
// beside the combat supplies row.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Check5_Click: ticking the hidden close air support box shows the note.
void closeAirSupportClick(worksheet::Sheet& sheet, int);
// Command6_Click: empties the combat supplies row and, once a mission type
// is chosen, works the APC rows into the supply calculation's tallies, once.
void supplyCalculationClick(worksheet::Sheet& sheet, int);

} // namespace sections
