#include "other_vehicles.h"

#include "catalogue.h"
#include "summary.h"

#include "worksheet/rows.h"
#include "worksheet/shell.h"

#include <string_view>

namespace sections {

namespace {

using namespace worksheet;
using namespace worksheet::literals;

// These vehicles carry neither squads nor cargo.
struct OtherVehicleKind {
    std::string_view name;
    double supplyLoad = 0; // supplies needed per unit of mission factor, and carried as combat load
    double towing = 0;
};

constexpr OtherVehicleKind otherVehicleKinds[] = {
    {"VT-55 Armoured Recovery Vehicle", 5, 1},
    {"M-820 Mobile Workshop", 3, 1},
    {"IMR Combat Engineer Vehicle", 8, 1},
    {"RV-730 Recovery Truck", 3, 1},
    {"BAT-M Bulldozer", 2, 1},
    {"Military Excavator", 2, 1},
    {"EWK-M2 Ferry", 10, 1},
    {"Ceasar 155mm SP Arty", 26, 1},
    {"Abbot 105mm SP Arty", 22, 1},
    {"Astros II", 32, 1},
    {"SPM-85 SP Mortar", 9, 1},
    {"Panhard M3 VDA", 12, 1},
    {"AMX-DCA", 12, 1},
    {"ZRK Romb Launcher (SA-8)", 5, 0},
};
static_assert(namesAreUnique(otherVehicleKinds));

// The Vehicles column of the hidden grid.
constexpr Control combatLoadShare = "Label130"_ctl;
constexpr Control supplyUsedShare = "Label55"_ctl;
constexpr Control towingShare = "Label44"_ctl;

} // namespace

void otherVehiclePick(Sheet& sheet, int row)
{
    const Row& r = otherVehicleRows[static_cast<std::size_t>(row)];
    const OtherVehicleKind kind = kindNamed(otherVehicleKinds, sheet.text(r.list));
    const double n = sheet.number(r.count);

    sheet.add(combatLoadShare, n * kind.supplyLoad);
    sheet.add(summary::combatLoad, n * kind.supplyLoad);
    const double suppliesNeeded = sheet.number(missionFactor) * (n * kind.supplyLoad);
    sheet.add(supplyUsedShare, suppliesNeeded);
    sheet.add(summary::suppliesNeeded, suppliesNeeded);
    sheet.add(towingShare, n * kind.towing);
    sheet.add(summary::towing, n * kind.towing);
}

void otherVehiclesClear(Sheet& sheet, int)
{
    blankRows(sheet, otherVehicleRows);
    sheet.takeOut(summary::towing, towingShare);
    sheet.takeOut(summary::suppliesNeeded, supplyUsedShare);
    sheet.takeOut(summary::combatLoad, combatLoadShare);
    sheet.blank(towingShare);
    sheet.blank(supplyUsedShare);
    sheet.blank(combatLoadShare);
}

} // namespace sections
