#include "handlers.h"

#include "blank_rows.h"
#include "cargo.h"
#include "refusal.h"
#include "sections.h"
#include "tallies.h"

#include "worksheet/catalogue.h"
#include "worksheet/form_events.h"
#include "worksheet/rows.h"

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
static_assert(namesAreUnique(weaponKinds) && namesAreItemsOf(weaponKinds, ItemList::Weapons));
static_assert(kindNamed(weaponKinds, "OFB  E-1 2 Inch Mortar").supplyLoad == 3);
static_assert(kindNamed(weaponKinds, "OFB E-1 2 Inch Mortar").cargoPounds == 0);

// The Weapons Clear's own step: the combat supplies row goes too, its
// cargo given back.
void clearSupplyRow(Sheet& sheet)
{
    // The row's count box has no change rule, so blanking it here rather
    // than with the weapon rows cannot show.
    blankRows(sheet, weapons.alsoBlanks);
    takeBack(sheet, sharesOfSupplies);
    for (const Share& s : sharesOfSupplies)
        sheet.setText(s.share, "0");
    sheet.setText(supplyShares::weight, "0");
    sheet.blank(supplyShares::refusedPicks);
}

} // namespace

void weaponPick(Sheet& sheet, int row)
{
    const Row& r = weapons.rows[static_cast<std::size_t>(row)];
    const WeaponKind kind = kindNamed(weaponKinds, sheet.text(r.list));
    const double count = sheet.number(r.count);
    const Amounts amounts{.cargoPounds = count * kind.cargoPounds,
                          .suppliesNeeded = count * (kind.supplyLoad * sheet.number(missionFactor)),
                          .combatLoad = count * kind.supplyLoad};
    const Sheet::EventPoint beforePick = sheet.eventPoint();
    const double cargoBefore = sheet.number(summary::cargoPounds);
    book(sheet, weapons.shares, amounts);
    recountSquads(sheet, cargoBefore);

    if (sheet.number(summary::cargoPounds) < 0) {
        refusePick(sheet, beforePick, messages::notEnoughTransport,
                   {"The pick needs", amounts.cargoPounds, cargoBefore, "lb of cargo", "lb of cargo", " lb"},
                   "The row's kind was emptied and its count set to 0.");
        sheet.setText(supplyShares::refusedPicks, "0");
        sheet.setText(r.count, "0");
        sheet.setText(r.list, "");
    }
}

void weaponsClear(Sheet& sheet, int)
{
    // The squads change with the cargo given back, weapons' and supplies'.
    const double cargoBefore = sheet.number(summary::cargoPounds);
    clearSection(sheet, weapons, clearSupplyRow);
    recountSquads(sheet, cargoBefore);
}

} // namespace sections
