// The tallies of the summary panel, which every section adds to or takes
// from, and the Clear buttons' blanking of a section's rows.
#pragma once

#include "worksheet/rows.h"
#include "worksheet/sheet.h"

#include <cstddef>

namespace sections::summary {

using namespace worksheet::literals;

// "You can Carry" n "Squad/s"
inline constexpr worksheet::Control squads = "Label110"_ctl;
// "OR" n "Pounds of Cargo"
inline constexpr worksheet::Control cargoPounds = "Label108"_ctl;
// "You can Tow" n "Weapons from the "Towed" Section"
inline constexpr worksheet::Control towing = "Label40"_ctl;
// "You Will Need" n "Combat Supplies for the Mission"
inline constexpr worksheet::Control suppliesNeeded = "Label75"_ctl;
// "Of Those," n "Supplies can be carried as the Combat Load"
inline constexpr worksheet::Control combatLoad = "Label121"_ctl;

} // namespace sections::summary

namespace sections {

// Sets every count box of the rows to " ", then every list; a count box
// whose text changes runs its change rule, a list's text raises nothing.
template <class Row, std::size_t N> void blankRows(worksheet::Sheet& sheet, const Row (&rows)[N])
{
    for (const auto& row : rows)
        sheet.blank(row.count);
    for (const auto& row : rows)
        sheet.blank(row.list);
}

} // namespace sections
