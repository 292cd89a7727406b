// A pick that needs more transport or towing than is left.
#pragma once

#include "worksheet/number.h"
#include "worksheet/sheet.h"

#include <string>
#include <string_view>

namespace sections {

// What a refused pick was short of, in the message's detail line.
struct Shortfall {
    std::string_view subject; // "The pick needs"
    double needed;
    double left;
    std::string_view one;           // "squad of seats"
    std::string_view many;          // "squads of seats"
    std::string_view leftUnit = {}; // " lb" where what is left is counted in a unit
};

// "The pick needs 6 squads of seats; 2 are left. Nothing was added."
inline std::string describe(const Shortfall& s)
{
    using worksheet::formatNumber;
    std::string out(s.subject);
    out += ' ' + formatNumber(s.needed) + ' ' + std::string(s.needed == 1 ? s.one : s.many) + "; ";
    if (s.left > 0)
        out += formatNumber(s.left) + std::string(s.leftUnit) + (s.left == 1 ? " is left" : " are left");
    else if (s.left == 0)
        out += "none are left";
    else
        out += "the worksheet is already " + formatNumber(-s.left) +
               (s.leftUnit.empty() ? ' ' + std::string(s.many) : std::string(s.leftUnit)) + " short";
    return out + ". Nothing was added.";
}

// Puts back every caption the pick changed since beforePick, so that the
// refused pick leaves no trace in any tally, shown or hidden, and a later
// Clear takes back only what accepted picks added, and tells the user once
// the event is over (see Sheet::refuse). The caller then resets its row, as
// afterwards says in the detail line ("The row was emptied.").
inline void refusePick(worksheet::Sheet& sheet, worksheet::Sheet::EventPoint beforePick, const worksheet::Message& why,
                       const Shortfall& shortfall, std::string_view afterwards = {})
{
    std::string detail = describe(shortfall);
    if (!afterwards.empty())
        detail.append(" ").append(afterwards);
    sheet.refuse(why, std::move(detail), beforePick);
}

} // namespace sections
