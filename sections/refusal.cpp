#include "refusal.h"

#include "worksheet/shell.h"

namespace sections {

void refusePick(worksheet::Sheet& sheet, worksheet::Sheet::Mark beforePick, std::string_view text)
{
    sheet.message(worksheet::transportErrorTitle, text);
    sheet.restoreLabels(beforePick);
}

} // namespace sections
