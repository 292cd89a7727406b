#include "sections.h"

#include "blank_rows.h"

#include <stdexcept>

namespace sections {

double Amounts::of(Control tally) const
{
    switch (tally.index) {
    case summary::squads.index: return squads;
    case summary::cargoPounds.index: return cargoPounds;
    case summary::towing.index: return towing;
    case summary::suppliesNeeded.index: return suppliesNeeded;
    case summary::combatLoad.index: return combatLoad;
    }
    throw std::logic_error("a share of a label that is no summary figure");
}

void book(worksheet::Sheet& sheet, std::span<const Share> shares, const Amounts& amounts)
{
    for (const Share& s : shares) {
        const double amount = amounts.of(s.tally);
        sheet.add(s.tally, s.taken ? -amount : amount);
        sheet.add(s.share, amount);
    }
}

void takeBack(worksheet::Sheet& sheet, std::span<const Share> shares)
{
    for (const Share& s : shares)
        s.taken ? sheet.giveBack(s.tally, s.share) : sheet.takeOut(s.tally, s.share);
}

void clearSection(worksheet::Sheet& sheet, const Section& section, ClearStep ownStep)
{
    blankRows(sheet, section.rows);
    takeBack(sheet, section.shares);
    if (ownStep)
        ownStep(sheet);
    for (const Share& s : section.shares)
        sheet.setText(s.share, section.clearedShare);
}

} // namespace sections
