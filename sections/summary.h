// The summary panel's tallies, shared by every section.
#pragma once

#include "worksheet/form.h"

namespace sections {

using namespace worksheet::literals;

inline constexpr worksheet::Control squadsLeft = "Label110"_ctl;
inline constexpr worksheet::Control cargoLeft = "Label108"_ctl;
inline constexpr worksheet::Control towingLeft = "Label40"_ctl;
inline constexpr worksheet::Control suppliesNeeded = "Label75"_ctl;
inline constexpr worksheet::Control combatLoad = "Label121"_ctl;

} // namespace sections
