#pragma once

#include "rows.h"
#include "sheet.h"

#include <string_view>

namespace worksheet {

using namespace literals;

inline constexpr Control missionFactor = "Label1"_ctl;
inline constexpr Control missionType = "Combo2"_ctl;
inline constexpr Control printButton = "Command1"_ctl;
inline constexpr Control exitButton = "Command3"_ctl;

inline constexpr std::string_view missionErrorTitle = "Mission Error";
inline constexpr std::string_view transportErrorTitle = "Transport Error";

// Form_Load: disables the lists that wait for a count and fills every list.
void formLoad(Sheet& sheet);
// Combo2_Click: the mission type sets the mission factor.
void missionTypeClick(Sheet& sheet, int);
// Text10_Change and its twins; row is the place in rowsWaitingForCount.
void countChanged(Sheet& sheet, int row);
// Command1_Click and Command3_Click.
void printClick(Sheet& sheet, int);
void exitClick(Sheet& sheet, int);

} // namespace worksheet
