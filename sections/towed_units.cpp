#include "handlers.h"

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

struct TowedKind {
    std::string_view name;
    int supplyLoad;   // per weapon and mission factor, also its crew's combat load
    int towingPlaces; // per weapon
};

constexpr TowedKind towedKinds[] = {
    {"Model 56 OTO Mal 105 PAK", 18, 1},
    {"M-101 105 mm Howitzer", 22, 1},
    {"SBAT-70 Rocket Launcher", 25, 1},
    {"L-6 Wombat 120mm RR", 4, 1},
    {"ZPU-4 14.5 mm Quad Heavy Machingegun", 6, 1},
    {"Rh202 Twin 20mm Anti-Aircraft Cannon", 12, 1},
    {"S-60 57mm Anti Aircraft Gun", 9, 1},
    {"ZU-23-2 Twin 23mm Anti Aircraft Gun", 7, 1},
};
static_assert(namesAreUnique(towedKinds) && namesAreItemsOf(towedKinds, ItemList::TowedUnits));
static_assert(kindNamed(towedKinds, "None").towingPlaces == 0);

namespace share = towedShares;

// What a refused row's count box shows afterwards.
constexpr std::string_view refusedCount[] = {" ", "0", "0", "0"};
static_assert(std::size(refusedCount) == std::size(towedRows));

// The Clear's own step: the running count of towed units loses the
// section's places too.
void takeOutOfTowedUnits(Sheet& sheet)
{
    sheet.takeOut(grid::towedUnits, share::towingTaken);
}

} // namespace

void towedPick(Sheet& sheet, int row)
{
    const auto i = static_cast<std::size_t>(row);
    const Row& r = towedUnits.rows[i];
    const TowedKind kind = kindNamed(towedKinds, sheet.text(r.list));
    const double count = sheet.number(r.count);
    const double load = count * kind.supplyLoad;
    const Amounts amounts{
        .towing = count * kind.towingPlaces, .suppliesNeeded = load * sheet.number(missionFactor), .combatLoad = load};
    const Sheet::EventPoint beforePick = sheet.eventPoint();
    const double placesBefore = sheet.number(summary::towing);
    book(sheet, towedUnits.shares, amounts);
    sheet.add(grid::towedUnits, amounts.towing);

    // Using up the last towing place is fine.
    if (sheet.number(summary::towing) < 0) {
        refusePick(sheet, beforePick, messages::needMoreTowing,
                   {"The pick needs", amounts.towing, placesBefore, "towing place", "towing places"},
                   refusedCount[i] == "0" ? "The row's count was set to 0." : "The row's count was emptied.");
        sheet.setText(r.count, refusedCount[i]);
    }
}

void towedClear(Sheet& sheet, int)
{
    clearSection(sheet, towedUnits, takeOutOfTowedUnits);
}

} // namespace sections
