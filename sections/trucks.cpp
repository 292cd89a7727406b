#include "trucks.h"

#include "apcs.h"
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

struct TruckKind {
    std::string_view name;
    double supplyLoad = 0; // supplies needed per unit of mission factor, and carried as combat load
    double squads = 0;
    double cargoPounds = 0;
    double towing = 0;
};

// "Prinzgauer Ambulance" is offered by the lists but carries nothing here.
constexpr TruckKind truckKinds[] = {
    {"ZIL Medium Truck", 4, 2, 5000, 1},
    {"Ural-375 Heavy Truck", 5, 3, 8000, 1},
    {"PTS", 11, 7, 12952, 1},
    {"LARC-5", 7, 2, 11200, 1},
    {"BAV-485", 5, 2.5, 5500, 1},
    {"ATMP", 4, 0, 3530, 1},
    {"Landrover", 2, 0.5, 1250, 1},
    {"Trailer", 0, 0, 700, 0},
    {"Mule Train", 1, 0, 1200, 0},
};
static_assert(namesAreUnique(truckKinds));

// The Trucks column of the hidden grid.
constexpr Control combatLoadShare = "Label18"_ctl;
constexpr Control supplyUsedShare = "Label21"_ctl;
constexpr Control towedShare = "Label22"_ctl;
constexpr Control towingShare = "Label25"_ctl;
// The running sum of towed units below the grid; trucks tow none themselves.
constexpr Control towedTotal = "Label33"_ctl;
// Hidden labels that nothing reads; the Clear resets them all the same.
constexpr Control airSupportNote = "Label12"_ctl;
constexpr Control casualtySections = "Label4"_ctl;
constexpr Control casualties = "Label11"_ctl;
// Infantry seats taken, and the APC figure of the supply calculation.
constexpr Control infantrySeatsTaken = "Label6"_ctl;
constexpr Control apcSupplyFigure = "Label15"_ctl;

// Every other section's share of the squads and cargo tallies: once the Clear
// has zeroed those two tallies, a later Clear of another section must find
// nothing of its own left in them to take out or give back.
constexpr Control carryingShares[] = {
    apcShares::cargoPounds, apcShares::squads, armourShares::squads,
    "Label51"_ctl,  // infantry: pounds of cargo taken by riding infantry
    "Label57"_ctl,  // infantry: squads of seats taken (Label6, their second total, is zeroed above)
    "Label181"_ctl, // weapons: pounds of cargo taken
    "Label113"_ctl, // combat supplies: pounds of cargo taken beyond the combat load
};

} // namespace

void truckPick(Sheet& sheet, int row)
{
    const Row& r = truckRows[static_cast<std::size_t>(row)];
    const TruckKind kind = kindNamed(truckKinds, sheet.text(r.list));
    const double n = sheet.number(r.count);

    sheet.add(summary::cargoPounds, n * kind.cargoPounds);
    sheet.add(summary::squads, n * kind.squads);
    const double suppliesNeeded = sheet.number(missionFactor) * (n * kind.supplyLoad);
    sheet.add(summary::suppliesNeeded, suppliesNeeded);
    sheet.add(supplyUsedShare, suppliesNeeded);
    sheet.add(combatLoadShare, n * kind.supplyLoad);
    sheet.add(summary::combatLoad, n * kind.supplyLoad);
    sheet.add(summary::towing, n * kind.towing);
    sheet.add(towingShare, n * kind.towing);
    // No truck kind tows anything itself; adding n x 0 only turns the
    // placeholders of both tallies into numbers.
    sheet.add(towedTotal, n * 0.0);
    sheet.add(towedShare, n * 0.0);
}

void trucksClear(Sheet& sheet, int)
{
    blankRows(sheet, apcRows);
    sheet.takeOut(summary::towing, apcShares::towing);
    sheet.takeOut(summary::combatLoad, apcShares::combatLoad);
    sheet.takeOut(summary::suppliesNeeded, apcShares::supplyUsed);
    sheet.blank(airSupportNote);
    sheet.blank(apcShares::supplyUsed);
    sheet.blank(apcShares::combatLoad);
    sheet.blank(apcShares::towing);

    blankRows(sheet, truckRows);
    sheet.setText(casualtySections, "0");
    sheet.setText(casualties, "0");
    sheet.setText(infantrySeatsTaken, "0");
    sheet.setText(apcSupplyFigure, "0");
    sheet.setText(summary::cargoPounds, "0");
    sheet.setText(summary::squads, "0");
    for (Control share : carryingShares)
        sheet.setText(share, "0");

    sheet.takeOut(summary::combatLoad, combatLoadShare);
    sheet.blank(combatLoadShare);
    sheet.takeOut(summary::suppliesNeeded, supplyUsedShare);
    sheet.blank(supplyUsedShare);
    sheet.takeOut(towedTotal, towedShare);
    sheet.blank(towedShare);
    sheet.takeOut(summary::towing, towingShare);
    sheet.blank(towingShare);
}

} // namespace sections
