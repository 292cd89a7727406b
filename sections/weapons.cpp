#include "weapons.h"

#include "cargo.h"
#include "catalogue.h"
#include "combat_supplies.h"
#include "refusal.h"
#include "summary.h"
#include "worksheet/rows.h"
#include "worksheet/shell.h"

#include <string_view>

namespace sections {

namespace {

using namespace worksheet;

struct WeaponKind {
    std::string_view name;
    int cargoPounds; // per weapon
    int supplyLoad;  // per weapon and mission factor; crew-served weapons only
};

constexpr WeaponKind weaponKinds[] = {
    {"RPG-7 Anti Tank Rocket", 15, 0},
    {"AT-3 Sagger ATGM", 25, 0},
    {"Bangalore Torpedo", 30, 0},
    {"Smoke Munition", 100, 0},
    {"Demo Charges", 20, 0},
    {"Illumination", 100, 0},
    {"M-29 81mm Mortar", 94, 16},
    {"OFB  E-1 2 Inch Mortar", 10, 3},
    {"Browning .50 Heavy Machinegun", 84, 5},
    {"FFV Carl Gustav Rocket Launcher", 33, 8},
    {"Merte MK2 Anti Ship Missile", 660, 0},
    {"Mon-50 Mine", 4, 0},
    {"FIM-92 Stinger SAM", 35, 0},
    {"SA-8 Gecko SAM", 80, 0},
    {"SA-7 SAM", 30, 0},
};
static_assert(kindNamed(weaponKinds, "OFB  E-1 2 Inch Mortar").supplyLoad == 3);
static_assert(kindNamed(weaponKinds, "OFB E-1 2 Inch Mortar").cargoPounds == 0);

constexpr Control loadShare = "Label65"_ctl;
constexpr Control supplyShare = "Label9"_ctl;
constexpr Control cargoTaken = "Label181"_ctl;

// The rows the Clear blanks, in its order: the combat supplies row stands
// between the sixth weapon row and the bottom three, taken bottom up.
constexpr Row clearedRows[] = {
    weaponRows[0], weaponRows[1], weaponRows[2], weaponRows[3], weaponRows[4],
    weaponRows[5], supplyRow,     weaponRows[8], weaponRows[7], weaponRows[6],
};

} // namespace

void weaponPick(Sheet& sheet, int row)
{
    const Row& r = weaponRows[static_cast<std::size_t>(row)];
    const WeaponKind kind = kindNamed(weaponKinds, sheet.text(r.list));
    const double count = sheet.number(r.count);
    const Sheet::Mark beforePick = sheet.mark();

    const double load = count * kind.supplyLoad;
    sheet.add(summary::combatLoad, load);
    sheet.add(loadShare, load);

    const double supplies = count * (kind.supplyLoad * sheet.number(missionFactor));
    sheet.add(summary::suppliesNeeded, supplies);
    sheet.add(supplyShare, supplies);

    const double cargo = count * kind.cargoPounds;
    sheet.add(summary::cargoPounds, -cargo);
    sheet.add(cargoTaken, cargo);
    recountSquads(sheet);

    if (sheet.number(summary::cargoPounds) < 0) {
        refusePick(sheet, beforePick, notEnoughTransport);
        sheet.setText(refusedSupplyPicks, "0");
        sheet.setText(r.count, "0");
        sheet.setText(r.list, "");
    }
}

void weaponsClear(Sheet& sheet, int)
{
    sheet.giveBack(summary::cargoPounds, cargoTaken);
    for (const Row& r : clearedRows)
        sheet.blank(r.count);
    for (const Row& r : clearedRows)
        sheet.blank(r.list);
    sheet.takeOut(summary::combatLoad, loadShare);
    sheet.takeOut(summary::suppliesNeeded, supplyShare);
    sheet.giveBack(summary::cargoPounds, suppliesCargo);
    for (Control share : {supplyShare, loadShare, cargoTaken, suppliesCargo, suppliesWeight})
        sheet.setText(share, "0");
    sheet.blank(refusedSupplyPicks);
    recountSquads(sheet);
}

} // namespace sections
