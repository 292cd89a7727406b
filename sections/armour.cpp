#include "armour.h"

#include "catalogue.h"
#include "summary.h"

#include "worksheet/rows.h"
#include "worksheet/shell.h"

#include <string_view>

namespace sections {

namespace {

using namespace worksheet;
using namespace worksheet::literals;

// Armour carries no cargo; some kinds carry half a squad on the hull.
struct ArmourKind {
    std::string_view name;
    double supplyLoad = 0; // supplies needed per unit of mission factor, and carried as combat load
    double squads = 0;
    double towing = 0;
};

// "ASU-57 Assault Gun" is known here although the lists do not offer it.
constexpr ArmourKind armourKinds[] = {
    {"M-48 Medium Tank", 15, 0.5, 1},
    {"AMX-13 Lt Tank", 10, 0, 1},
    {"PT-76 Lt Tank", 8, 0, 1},
    {"TAM Medium Tank", 10, 0, 1},
    {"ASU-57 Assault Gun", 6, 0, 1},
    {"Scorpion Lt Tank", 9, 0, 1},
    {"Type 69 Main Battle Tank", 18, 0.5, 1},
    {"FV-601 Saladin Armoured Car", 6, 0.5, 1},
    {"Panhard VBL Armoured Car", 4, 0.5, 1},
    {"Wiesel Armoured Veh", 4, 0, 1},
    {"EE-9 Cascavel Armoured Car", 7, 0.5, 1},
    {"Fiat 6616 Armoured Car", 4, 0, 1},
    {"EE-3 Jararaca Armoured Car", 4, 0, 1},
};
static_assert(namesAreUnique(armourKinds));

// A label beside the troop grid that only this Clear writes.
constexpr Control infantryCapacityNote = "Label81"_ctl;

} // namespace

void armourPick(Sheet& sheet, int row)
{
    const Row& r = armourRows[static_cast<std::size_t>(row)];
    const ArmourKind kind = kindNamed(armourKinds, sheet.text(r.list));
    const double n = sheet.number(r.count);

    sheet.add(summary::squads, n * kind.squads);
    sheet.add(armourShares::squads, n * kind.squads);
    sheet.add(armourShares::towing, n * kind.towing);
    sheet.add(summary::towing, n * kind.towing);
    const double suppliesNeeded = sheet.number(missionFactor) * (n * kind.supplyLoad);
    sheet.add(summary::suppliesNeeded, suppliesNeeded);
    sheet.add(armourShares::supplyUsed, suppliesNeeded);
    sheet.add(summary::combatLoad, n * kind.supplyLoad);
    sheet.add(armourShares::combatLoad, n * kind.supplyLoad);
}

void armourClear(Sheet& sheet, int)
{
    blankRows(sheet, armourRows);
    sheet.takeOut(summary::squads, armourShares::squads);
    sheet.takeOut(summary::towing, armourShares::towing);
    sheet.takeOut(summary::suppliesNeeded, armourShares::supplyUsed);
    sheet.takeOut(summary::combatLoad, armourShares::combatLoad);
    sheet.blank(armourShares::supplyUsed);
    sheet.blank(armourShares::combatLoad);
    sheet.blank(infantryCapacityNote);
    sheet.blank(armourShares::towing);
    sheet.blank(armourShares::squads);
}

} // namespace sections
