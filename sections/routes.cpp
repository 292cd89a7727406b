#include "routes.h"

#include "apcs.h"
#include "armour.h"
#include "other_vehicles.h"
#include "trucks.h"

#include "air_support.h"
#include "combat_supplies.h"
#include "infantry.h"
#include "towed_units.h"
#include "weapons.h"
#include "worksheet/shell.h"

#include <array>

namespace sections {

namespace {

using namespace worksheet;
using namespace worksheet::literals;

constexpr Route fixedRoutes[] = {
    {"Combo2"_ctl, Event::Click, missionTypeClick},
    {"Command1"_ctl, Event::Click, printClick},
    {"Command3"_ctl, Event::Click, exitClick},
    {"Command11"_ctl, Event::Click, trucksClear},
    {"Command7"_ctl, Event::Click, apcsClear},
    {"Command19"_ctl, Event::Click, armourClear},
    {"Command5"_ctl, Event::Click, otherVehiclesClear},
    {"Command2"_ctl, Event::Click, infantryClear},
    {"Command8"_ctl, Event::Click, weaponsClear},
    {"Command16"_ctl, Event::Click, towedClear},
    {"Combo8"_ctl, Event::Click, suppliesPick},
    {"Check5"_ctl, Event::Click, closeAirSupportClick},
    {"Command6"_ctl, Event::Click, supplyCalculationClick},
};

// One Click route per row of a section, all to the section's pick routine.
template <class Rows> constexpr auto pickRoutes(const Rows& rows, Handler pick)
{
    std::array<Route, std::size(Rows{})> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = {rows[i].list, Event::Click, pick, static_cast<int>(i)};
    return out;
}

constexpr auto changeRoutes = [] {
    std::array<Route, rowsWaitingForCount.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = {rowsWaitingForCount[i].count, Event::Change, countChanged, static_cast<int>(i)};
    return out;
}();

template <std::size_t... N> constexpr auto join(const std::array<Route, N>&... parts)
{
    std::array<Route, (N + ...)> out{};
    std::size_t n = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + static_cast<std::ptrdiff_t>(n)), n += N), ...);
    return out;
}

constexpr auto table =
    join(std::to_array(fixedRoutes), changeRoutes, pickRoutes(truckRows, truckPick), pickRoutes(apcRows, apcPick),
         pickRoutes(armourRows, armourPick), pickRoutes(otherVehicleRows, otherVehiclePick),
         pickRoutes(infantryRows, infantryPick), pickRoutes(weaponRows, weaponPick), pickRoutes(towedRows, towedPick));

} // namespace

std::span<const Route> routes()
{
    return table;
}

} // namespace sections
