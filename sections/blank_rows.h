// The Clear buttons' blanking of a section's rows.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Sets every count box of the rows to " ", then every list; a count box
// whose text changes runs its change rule, a list's text raises nothing.
template <class Rows> void blankRows(worksheet::Sheet& sheet, const Rows& rows)
{
    for (const auto& row : rows)
        sheet.blank(row.count);
    for (const auto& row : rows)
        sheet.blank(row.list);
}

} // namespace sections
