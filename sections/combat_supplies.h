// The combat supplies row: the supplies beyond what the troops carry as
// their combat load are charged against the cargo left.
#pragma once

#include "worksheet/form.h"
#include "worksheet/sheet.h"

namespace sections {

using namespace worksheet::literals;

// The row's shares, which the Weapons Clear takes back.
inline constexpr worksheet::Control suppliesWeight = "Label66"_ctl;
inline constexpr worksheet::Control suppliesCargo = "Label113"_ctl;
// How often a supply pick was refused; nothing shown depends on it.
inline constexpr worksheet::Control refusedSupplyPicks = "Label49"_ctl;

// Combo8_Click.
void suppliesPick(worksheet::Sheet& sheet, int);

} // namespace sections
