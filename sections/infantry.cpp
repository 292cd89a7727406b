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
namespace share = infantryShares;

struct InfantryKind {
    std::string_view name;
    int halfSquads;  // seats taken when riding: 2 for a squad, 1 for a section
    int cargoPounds; // cargo capacity taken when riding
    int supplyLoad;  // needed per mission factor, and carried as combat load
};

// "Mechanic Section" is on the list but has no figures.
constexpr InfantryKind infantryKinds[] = {
    {"Militia Infantry Squad", 2, 2500, 2},
    {"Infantry Squad", 2, 2500, 3},
    {"Marine Squad", 2, 2500, 8},
    {"Combat Engineer Squad", 2, 2500, 4},
    {"Pioneer Section", 1, 1250, 2},
    {"TAC HQ Section", 1, 1250, 2},
    {"Field CP Section", 1, 1250, 1},
    {"Medic Section", 1, 1250, 1},
    {"Officer", 0, 0, 0},
    {"Commander", 0, 0, 0},
    {"Raider Section", 1, 1250, 4},
};
static_assert(namesAreUnique(infantryKinds) && namesAreItemsOf(infantryKinds, ItemList::Infantry));
static_assert(kindNamed(infantryKinds, "Pioneer Section").cargoPounds == 1250);
static_assert(kindNamed(infantryKinds, "Mechanic Section").halfSquads == 0);

// The Clear's own step: every row rides again, and the second running total
// of seats taken starts over.
void untickMarchingAndZeroSeatsTotal(Sheet& sheet)
{
    for (const Row& r : infantry.rows)
        sheet.setChecked(*r.marching, false);
    sheet.setText(share::squadsTakenTotal, "0");
}

} // namespace

void infantryPick(Sheet& sheet, int row)
{
    const Row& r = infantry.rows[static_cast<std::size_t>(row)];
    const InfantryKind kind = kindNamed(infantryKinds, sheet.text(r.list));
    const double count = sheet.number(r.count);
    // Marching troops walk: they take neither cargo nor seats.
    const bool riding = !sheet.checked(*r.marching);
    const Amounts amounts{.squads = riding ? count * (kind.halfSquads / 2.0) : 0,
                          .cargoPounds = riding ? count * kind.cargoPounds : 0,
                          .suppliesNeeded = kind.supplyLoad * count * sheet.number(missionFactor),
                          .combatLoad = count * kind.supplyLoad};
    const Sheet::EventPoint beforePick = sheet.eventPoint();
    const double squadsBefore = sheet.number(summary::squads);
    book(sheet, infantry.shares, amounts);
    sheet.add(share::squadsTakenTotal, amounts.squads);

    // A pick that takes seats must fit in the seats left; an exact fit is
    // fine. Marching troops and kinds without seats never need transport.
    // The cargo left may go below zero without a word.
    if (amounts.squads > 0 && sheet.number(summary::squads) < 0) {
        refusePick(sheet, beforePick, messages::notEnoughTransport,
                   {"The pick needs", amounts.squads, squadsBefore, "squad of seats", "squads of seats"},
                   "The row was emptied.");
        sheet.setText(r.count, "");
        sheet.setText(r.list, "");
    }
}

void infantryClear(Sheet& sheet, int)
{
    clearSection(sheet, infantry, untickMarchingAndZeroSeatsTotal);
}

} // namespace sections
