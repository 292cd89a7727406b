// The Armour section: five rows of tanks, assault guns and armoured cars,
// and the section's Clear button.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// The Armour column of the hidden grid: the armour rows' shares of the
// summary tallies.
namespace armourShares {
using namespace worksheet::literals;
inline constexpr worksheet::Control combatLoad = "Label80"_ctl;
inline constexpr worksheet::Control supplyUsed = "Label77"_ctl;
inline constexpr worksheet::Control towing = "Label60"_ctl;
// Squads carried on armour; the supply calculation adds APC figures to it
// as well, and the Armour Clear takes out whatever it holds.
inline constexpr worksheet::Control squads = "Label41"_ctl;
} // namespace armourShares

// Combo30_Click, Combo31_Click, Combo32_Click, Combo45_Click, Combo46_Click:
// adds the row's count times the picked kind's figures to the summary panel
// and the Armour column.
void armourPick(worksheet::Sheet& sheet, int row);

// Command19_Click: takes the Armour shares back out and blanks the rows.
void armourClear(worksheet::Sheet& sheet, int);

} // namespace sections
