// A pick that needs more transport or towing than is left.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Tells the user, then puts back every caption the pick changed since
// beforePick, so that the refused pick leaves no trace in any tally, shown or
// hidden, and a later Clear takes back only what accepted picks added. The
// caller then resets its row.
inline void refusePick(worksheet::Sheet& sheet, worksheet::Sheet::Mark beforePick, const worksheet::Message& why)
{
    sheet.message(why);
    sheet.restoreLabels(beforePick);
}

} // namespace sections
