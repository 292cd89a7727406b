// A pick that needs more transport or towing than is left.
#pragma once

#include "worksheet/sheet.h"

#include <string_view>

namespace sections {

inline constexpr std::string_view notEnoughTransport = "*-*Not Enough Transport to carry Cargo: Hit Reset to redo!";
inline constexpr std::string_view needMoreTowing = "You Need More Vehicles For Towing";

// Tells the user, then puts back every caption the pick changed since
// beforePick, so that the refused pick leaves no trace in any tally, shown or
// hidden, and a later Clear takes back only what accepted picks added. The
// caller then resets its row.
void refusePick(worksheet::Sheet& sheet, worksheet::Sheet::Mark beforePick, std::string_view text);

} // namespace sections
