#include "apcs.h"

#include "catalogue.h"
#include "summary.h"

#include "worksheet/rows.h"
#include "worksheet/shell.h"

#include <string_view>

namespace sections {

namespace {

using namespace worksheet;

struct ApcKind {
    std::string_view name;
    double supplyLoad = 0; // supplies needed per unit of mission factor, and carried as combat load
    double squads = 0;
    double cargoPounds = 0;
    double towing = 0;
};

constexpr ApcKind apcKinds[] = {
    {"BMD-1 APC", 8, 0.5, 0, 1},
    {"ENGESA EE-11 Uruta APC", 4, 1, 500, 1},
    {"FV433 Stormer Command Post", 4, 0.5, 500, 1},
    {"BTR-152 APC", 3, 2, 1200, 1},
    {"FV 601 Saracen APC", 3, 1, 600, 1},
    {"AMX-VCG Engineer Vehicle", 4, 1, 500, 1},
};
static_assert(namesAreUnique(apcKinds));

} // namespace

void apcPick(Sheet& sheet, int row)
{
    const Row& r = apcRows[static_cast<std::size_t>(row)];
    const ApcKind kind = kindNamed(apcKinds, sheet.text(r.list));
    const double n = sheet.number(r.count);

    sheet.add(apcShares::combatLoad, n * kind.supplyLoad);
    sheet.add(summary::combatLoad, n * kind.supplyLoad);
    const double suppliesNeeded = sheet.number(missionFactor) * (n * kind.supplyLoad);
    sheet.add(summary::suppliesNeeded, suppliesNeeded);
    sheet.add(apcShares::supplyUsed, suppliesNeeded);
    sheet.add(summary::towing, n * kind.towing);
    sheet.add(apcShares::towing, n * kind.towing);
    // The cargo is kept in the APCs' share too, so that the Clear takes it
    // back out like every other figure.
    sheet.add(summary::cargoPounds, n * kind.cargoPounds);
    sheet.add(apcShares::cargoPounds, n * kind.cargoPounds);
    sheet.add(summary::squads, n * kind.squads);
    sheet.add(apcShares::squads, n * kind.squads);
}

void apcsClear(Sheet& sheet, int)
{
    blankRows(sheet, apcRows);
    sheet.takeOut(summary::combatLoad, apcShares::combatLoad);
    sheet.takeOut(summary::suppliesNeeded, apcShares::supplyUsed);
    sheet.takeOut(summary::towing, apcShares::towing);
    sheet.takeOut(summary::cargoPounds, apcShares::cargoPounds);
    sheet.takeOut(summary::squads, apcShares::squads);
    sheet.blank(apcShares::combatLoad);
    sheet.blank(apcShares::supplyUsed);
    sheet.blank(apcShares::towing);
    sheet.blank(apcShares::cargoPounds);
    sheet.blank(apcShares::squads);
}

} // namespace sections
