// How the worksheet reads, to a screen-reader user, in a breakdown and on
// the command line: the name each control goes by, the order Tab walks
// them in, where a figure's entry comes from, and a figure as it is said.
#pragma once

#include "worksheet/form.h"

#include <optional>
#include <string>
#include <vector>

namespace sections {

using worksheet::Control;

// A name that says what the control is, such as "Trucks, row 1, count";
// empty where its caption says it already. A summary figure's says what it
// stands for ("You can carry"); figureSaying gives it with its number.
const std::string& nameOf(Control c);

// Header, mission type, then each section's rows, left to right and top to
// bottom (each row's check box, count and list), then the section's Clear;
// last the summary's figures.
const std::vector<Control>& readingOrder();

// Where a figure's entry comes from: "Trucks row 2" for a row's list,
// "Trucks Clear", "Combat supplies row", else the control's own name.
std::string whereOf(Control c);

// A capacity below zero: by how much the transport is overcommitted
// ("Over capacity by 2048 pounds"). Nothing for other figures and values.
std::optional<std::string> overCapacityNote(Control figure, double value);

// A summary figure as it is read out, with its number and, below zero, by
// how much the transport is overcommitted: "You can carry: -2 squads, over
// capacity by 2 squads". Empty for other controls.
std::string figureSaying(Control figure, double value);

} // namespace sections
