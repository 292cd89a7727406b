#include "handlers.h"

#include "blank_rows.h"
#include "sections.h"
#include "tallies.h"

#include "worksheet/catalogue.h"
#include "worksheet/form_events.h"
#include "worksheet/rows.h"

#include <span>
#include <string_view>

namespace sections {

namespace {

using namespace worksheet;

// A vehicle's figures, per vehicle.
struct VehicleKind {
    std::string_view name;
    double supplyLoad = 0; // supplies needed per unit of mission factor, and carried as combat load
    double squads = 0;
    double cargoPounds = 0;
    double towing = 0;
};

// "Prinzgauer Ambulance" is offered by the lists but carries nothing here.
constexpr VehicleKind truckKinds[] = {
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

constexpr VehicleKind apcKinds[] = {
    {"BMD-1 APC", 8, 0.5, 0, 1},
    {"ENGESA EE-11 Uruta APC", 4, 1, 500, 1},
    {"FV433 Stormer Command Post", 4, 0.5, 500, 1},
    {"BTR-152 APC", 3, 2, 1200, 1},
    {"FV 601 Saracen APC", 3, 1, 600, 1},
    {"AMX-VCG Engineer Vehicle", 4, 1, 500, 1},
};

// Armour carries no cargo; some kinds carry half a squad on the hull.
constexpr VehicleKind armourKinds[] = {
    {"M-48 Medium Tank", 15, 0.5, 0, 1},
    {"AMX-13 Lt Tank", 10, 0, 0, 1},
    {"PT-76 Lt Tank", 8, 0, 0, 1},
    {"TAM Medium Tank", 10, 0, 0, 1},
    {"ASU-57 Assault Gun", 6, 0, 0, 1},
    {"Scorpion Lt Tank", 9, 0, 0, 1},
    {"Type 69 Main Battle Tank", 18, 0.5, 0, 1},
    {"FV-601 Saladin Armoured Car", 6, 0.5, 0, 1},
    {"Panhard VBL Armoured Car", 4, 0.5, 0, 1},
    {"Wiesel Armoured Veh", 4, 0, 0, 1},
    {"EE-9 Cascavel Armoured Car", 7, 0.5, 0, 1},
    {"Fiat 6616 Armoured Car", 4, 0, 0, 1},
    {"EE-3 Jararaca Armoured Car", 4, 0, 0, 1},
};

// These vehicles carry neither squads nor cargo.
constexpr VehicleKind otherVehicleKinds[] = {
    {"VT-55 Armoured Recovery Vehicle", 5, 0, 0, 1},
    {"M-820 Mobile Workshop", 3, 0, 0, 1},
    {"IMR Combat Engineer Vehicle", 8, 0, 0, 1},
    {"RV-730 Recovery Truck", 3, 0, 0, 1},
    {"BAT-M Bulldozer", 2, 0, 0, 1},
    {"Military Excavator", 2, 0, 0, 1},
    {"EWK-M2 Ferry", 10, 0, 0, 1},
    {"Ceasar 155mm SP Arty", 26, 0, 0, 1},
    {"Abbot 105mm SP Arty", 22, 0, 0, 1},
    {"Astros II", 32, 0, 0, 1},
    {"SPM-85 SP Mortar", 9, 0, 0, 1},
    {"Panhard M3 VDA", 12, 0, 0, 1},
    {"AMX-DCA", 12, 0, 0, 1},
    {"ZRK Romb Launcher (SA-8)", 5, 0, 0, 0},
};
static_assert(namesAreUnique(truckKinds) && namesAreUnique(apcKinds) && namesAreUnique(armourKinds) &&
              namesAreUnique(otherVehicleKinds));
static_assert(namesAreItemsOf(truckKinds, ItemList::Trucks) && namesAreItemsOf(apcKinds, ItemList::APCs) &&
              namesAreItemsOf(armourKinds, ItemList::Armour) &&
              namesAreItemsOf(otherVehicleKinds, ItemList::OtherVehicles));

// A figure of a section that keeps no tally of it would be ignored: it must
// be 0.
constexpr bool noneHas(std::span<const VehicleKind> kinds, double VehicleKind::*figure)
{
    for (const VehicleKind& kind : kinds)
        if (kind.*figure != 0)
            return false;
    return true;
}
static_assert(noneHas(armourKinds, &VehicleKind::cargoPounds));
static_assert(noneHas(otherVehicleKinds, &VehicleKind::squads) &&
              noneHas(otherVehicleKinds, &VehicleKind::cargoPounds));

// What the row's count of the picked kind adds to each summary tally: the
// supplies needed are the supply load times the mission factor.
Amounts amountsOf(Sheet& sheet, const Row& row, std::span<const VehicleKind> kinds)
{
    const VehicleKind kind = kindNamed(kinds, sheet.text(row.list));
    const double n = sheet.number(row.count);
    return {n * kind.squads, n * kind.cargoPounds, n * kind.towing, sheet.number(missionFactor) * (n * kind.supplyLoad),
            n * kind.supplyLoad};
}

void pick(Sheet& sheet, const Section& section, std::span<const VehicleKind> kinds, int row)
{
    book(sheet, section.shares, amountsOf(sheet, section.rows[static_cast<std::size_t>(row)], kinds));
}

bool isCarrying(Control tally)
{
    return tally == summary::cargoPounds || tally == summary::squads;
}

// The trucks keep no share of the carrying capacity: their Clear zeroes it,
// and with it every section's share of it, so that a later Clear of another
// section finds nothing of its own left in it to take out or give back.
void zeroCarryingCapacity(Sheet& sheet)
{
    for (Control zeroed : {grid::casualtySections, grid::casualties, infantryShares::squadsTakenTotal, grid::apcPounds,
                           summary::cargoPounds, summary::squads})
        sheet.setText(zeroed, "0");
    const auto zeroCarryingShares = [&](std::span<const Share> shares) {
        for (const Share& s : shares)
            if (isCarrying(s.tally))
                sheet.setText(s.share, "0");
    };
    for (const Section& section : sectionTable)
        zeroCarryingShares(section.shares);
    zeroCarryingShares(sharesOfSupplies);
}

void blankInfantryCapacityNote(Sheet& sheet)
{
    sheet.blank(grid::infantryCapacityNote);
}

} // namespace

void truckPick(Sheet& sheet, int row)
{
    const Row& r = trucks.rows[static_cast<std::size_t>(row)];
    const Amounts amounts = amountsOf(sheet, r, truckKinds);
    // The trucks keep no share of the carrying capacity: their Clear zeroes it.
    sheet.add(summary::cargoPounds, amounts.cargoPounds);
    sheet.add(summary::squads, amounts.squads);
    book(sheet, trucks.shares, amounts);
    // No truck tows anything itself; adding n x 0 only turns the placeholders
    // of both towed-unit counts into numbers.
    const double n = sheet.number(r.count);
    sheet.add(grid::towedUnits, n * 0.0);
    sheet.add(truckShares::towedUnits, n * 0.0);
}

void trucksClear(Sheet& sheet, int)
{
    // The APC rows go first, with the APCs' shares but those of the carrying
    // capacity, which is zeroed with everyone's share of it.
    blankRows(sheet, trucks.alsoBlanks);
    for (const Share& s : apcs.shares)
        if (!isCarrying(s.tally)) {
            takeBack(sheet, {&s, 1});
            sheet.setText(s.share, apcs.clearedShare);
        }
    sheet.blank(grid::airSupportNote);

    clearSection(sheet, trucks, zeroCarryingCapacity);
    sheet.takeOut(grid::towedUnits, truckShares::towedUnits);
    sheet.blank(truckShares::towedUnits);
}

void apcPick(Sheet& sheet, int row)
{
    pick(sheet, apcs, apcKinds, row);
}

void apcsClear(Sheet& sheet, int)
{
    clearSection(sheet, apcs);
}

void armourPick(Sheet& sheet, int row)
{
    pick(sheet, armour, armourKinds, row);
}

void armourClear(Sheet& sheet, int)
{
    clearSection(sheet, armour, blankInfantryCapacityNote);
}

void otherVehiclePick(Sheet& sheet, int row)
{
    pick(sheet, otherVehicles, otherVehicleKinds, row);
}

void otherVehiclesClear(Sheet& sheet, int)
{
    clearSection(sheet, otherVehicles);
}

} // namespace sections
