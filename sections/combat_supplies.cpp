#include "handlers.h"

#include "cargo.h"
#include "refusal.h"
#include "sections.h"
#include "tallies.h"
#include "worksheet/rows.h"

namespace sections {

namespace {

constexpr double poundsPerSupply = 100;

} // namespace

void suppliesPick(worksheet::Sheet& sheet, int)
{
    const double count = sheet.number(worksheet::supplyRow.count);
    const worksheet::Sheet::EventPoint beforePick = sheet.eventPoint();
    const double cargoBefore = sheet.number(summary::cargoPounds);

    const double weight = count * poundsPerSupply;
    sheet.add(supplyShares::weight, weight);
    // What the troops carry as their combat load rides with them; the rest
    // is cargo. A combat load heavier than the supplies gives cargo back.
    const double carriedByTroops = sheet.number(summary::combatLoad) * poundsPerSupply;
    const double cargo = weight - carriedByTroops;
    book(sheet, sharesOfSupplies, {.cargoPounds = cargo});
    recountSquads(sheet, cargoBefore);

    if (sheet.number(summary::cargoPounds) < 0) {
        refusePick(sheet, beforePick, worksheet::messages::notEnoughTransport,
                   {"The supplies need", cargo, cargoBefore, "lb of cargo", "lb of cargo", " lb"});
        sheet.add(supplyShares::refusedPicks, 1);
    }
}

} // namespace sections
