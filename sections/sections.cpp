#include "sections.h"

#include "blank_rows.h"

namespace sections {

double Amounts::of(Control tally) const
{
    if (tally == summary::squads)
        return squads;
    if (tally == summary::cargoPounds)
        return cargoPounds;
    if (tally == summary::towing)
        return towing;
    if (tally == summary::suppliesNeeded)
        return suppliesNeeded;
    return combatLoad;
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
