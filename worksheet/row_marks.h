// The marks on rows that read differently from what they count: the
// sentences the window shows under a row and the scenario runner checks.
// A mark changes nothing; only a Clear empties what a row counts.
#pragma once

#include "sheet.h"

#include <optional>
#include <string>

namespace worksheet {

// Why a row reads differently from what it counts, or nothing for a row in
// step or with no pick counted. In step: one pick, its count reading the
// same number by the number rule as the count box now and wholly a number
// not below zero, its kind the list's, and the mission type (and, on an
// infantry row, Marching) as at the pick.
std::optional<std::string> rowMark(const Sheet& sheet, Control list);

} // namespace worksheet
