// The APCs section: four rows of armoured personnel carriers and the
// section's "Clear " button.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// The APCs column of the hidden grid: the APC rows' shares of the summary
// tallies. The Trucks Clear also resets them.
namespace apcShares {
using namespace worksheet::literals;
inline constexpr worksheet::Control combatLoad = "Label34"_ctl;
inline constexpr worksheet::Control supplyUsed = "Label50"_ctl;
inline constexpr worksheet::Control towing = "Label46"_ctl;
inline constexpr worksheet::Control cargoPounds = "Label47"_ctl;
inline constexpr worksheet::Control squads = "Label53"_ctl;
} // namespace apcShares

// Combo39_Click to Combo42_Click: adds the row's count times the picked
// kind's figures to the summary panel and the APCs column.
void apcPick(worksheet::Sheet& sheet, int row);

// Command7_Click: takes the APC shares back out and blanks the rows.
void apcsClear(worksheet::Sheet& sheet, int);

} // namespace sections
