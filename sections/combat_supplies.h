// The combat supplies row: the supplies beyond what the troops carry as
// their combat load are charged against the cargo left.
#pragma once

#include "worksheet/sheet.h"

namespace sections {

// Combo8_Click.
void suppliesPick(worksheet::Sheet& sheet, int);

} // namespace sections
