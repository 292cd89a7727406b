// The worksheet's tally labels, one name each: the summary panel, every
// section's shares of it (so that the section's Clear can take exactly its
// own contribution back out) and the other cells of the hidden grid.
#pragma once

#include "worksheet/figures.h"
#include "worksheet/form.h"

namespace sections {

using worksheet::Control;
using namespace worksheet::literals;

// The summary panel's figures (worksheet/figures.h).
namespace summary = worksheet::summary;

namespace truckShares {
inline constexpr Control combatLoad = "Label18"_ctl;
inline constexpr Control suppliesNeeded = "Label21"_ctl;
inline constexpr Control towedUnits = "Label22"_ctl; // trucks tow none themselves: always 0
inline constexpr Control towing = "Label25"_ctl;
} // namespace truckShares

namespace apcShares {
inline constexpr Control combatLoad = "Label34"_ctl;
inline constexpr Control suppliesNeeded = "Label50"_ctl;
inline constexpr Control towing = "Label46"_ctl;
inline constexpr Control cargoPounds = "Label47"_ctl;
inline constexpr Control squads = "Label53"_ctl;
} // namespace apcShares

namespace armourShares {
inline constexpr Control combatLoad = "Label80"_ctl;
inline constexpr Control suppliesNeeded = "Label77"_ctl;
inline constexpr Control towing = "Label60"_ctl;
inline constexpr Control squads = "Label41"_ctl;
} // namespace armourShares

namespace otherVehicleShares {
inline constexpr Control combatLoad = "Label130"_ctl;
inline constexpr Control suppliesNeeded = "Label55"_ctl;
inline constexpr Control towing = "Label44"_ctl;
} // namespace otherVehicleShares

namespace infantryShares {
inline constexpr Control suppliesNeeded = "Label42"_ctl;
inline constexpr Control combatLoad = "Label43"_ctl;
inline constexpr Control cargoTaken = "Label51"_ctl;
inline constexpr Control squadsTaken = "Label57"_ctl;
inline constexpr Control squadsTakenTotal = "Label6"_ctl; // a second running total; nothing reads it
} // namespace infantryShares

namespace weaponShares {
inline constexpr Control combatLoad = "Label65"_ctl;
inline constexpr Control suppliesNeeded = "Label9"_ctl;
inline constexpr Control cargoTaken = "Label181"_ctl;
} // namespace weaponShares

namespace towedShares {
inline constexpr Control combatLoad = "Label171"_ctl;
inline constexpr Control suppliesNeeded = "Label170"_ctl;
inline constexpr Control towingTaken = "Label13"_ctl;
} // namespace towedShares

// The combat supplies row's shares, which the Weapons Clear takes back.
namespace supplyShares {
inline constexpr Control weight = "Label66"_ctl;
inline constexpr Control cargoTaken = "Label113"_ctl;
// How often a supply pick was refused; nothing shown depends on it.
inline constexpr Control refusedPicks = "Label49"_ctl;
} // namespace supplyShares

// Other cells of the hidden grid.
namespace grid {
// The running count of towed units; the truck rows add 0 to it.
inline constexpr Control towedUnits = "Label33"_ctl;
// What the supply calculation adds up over the APC rows.
inline constexpr Control apcPounds = "Label15"_ctl;
inline constexpr Control apcSquadsTimesFactor = "Label27"_ctl;
inline constexpr Control apcSupplyLoadsTotal = "Label31"_ctl;
inline constexpr Control apcPoundsTotal = "Label29"_ctl;
inline constexpr Control apcSquadsTimesFactorTotal = "Label90"_ctl;
// Labels that nothing reads; a Clear resets them all the same.
inline constexpr Control airSupportNote = "Label12"_ctl;
inline constexpr Control casualtySections = "Label4"_ctl;
inline constexpr Control casualties = "Label11"_ctl;
inline constexpr Control infantryCapacityNote = "Label81"_ctl;
} // namespace grid

} // namespace sections
