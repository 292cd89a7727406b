// The summary's five figures, described once: which label shows each, what
// it means as the summary says it, what it counts, how the status line
// names it, and whether it is a capacity that can be overcommitted. The
// core's ledger, the sections, plans, the window, the scenario runner and
// the tests all read this table, in its order.
#pragma once

#include "form.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace worksheet {

namespace summary {
using namespace literals;
// "You can Carry" n "Squad/s"
inline constexpr Control squads = "Label110"_ctl;
// "OR" n "Pounds of Cargo"
inline constexpr Control cargoPounds = "Label108"_ctl;
// "You can Tow" n "Weapons from the "Towed" Section"
inline constexpr Control towing = "Label40"_ctl;
// "You Will Need" n "Combat Supplies for the Mission"
inline constexpr Control suppliesNeeded = "Label75"_ctl;
// "Of Those," n "Supplies can be carried as the Combat Load"
inline constexpr Control combatLoad = "Label121"_ctl;
} // namespace summary

// Words for a number of something, "1 squad" and "4 squads".
struct Unit {
    std::string_view one;
    std::string_view many;
    constexpr std::string_view of(double n) const { return n == 1 ? one : many; }
};

struct Figure {
    Control control;
    // As a screen reader hears it: "You can carry: 4 squads".
    std::string_view meaning;
    // What it is, standing alone, as a window's title names it.
    std::string_view title;
    Unit counts;
    // As the status line shows it: "Carry 4 squads", "or 10000 lb".
    std::string_view shortName;
    Unit shortUnit;
    // A capacity's unit, by which it is over capacity below zero; none for
    // a figure that is no capacity.
    Unit overUnit = {};
    constexpr bool capacity() const { return !overUnit.one.empty(); }
};

inline constexpr Figure figures[] = {
    {summary::squads, "You can carry", "Squads you can carry", {"squad", "squads"}, "Carry", {" squad", " squads"}, {"squad", "squads"}},
    {summary::cargoPounds,
     "Or",
     "Pounds of cargo you can carry",
     {"pound of cargo", "pounds of cargo"},
     "or",
     {" lb", " lb"},
     {"pound", "pounds"}},
    {summary::towing,
     "You can tow",
     "Weapons you can tow",
     {"weapon from the towed section", "weapons from the towed section"},
     "Tow",
     {},
     {"towing place", "towing places"}},
    {summary::suppliesNeeded, "You will need", "Combat supplies you will need", {"combat supply for the mission", "combat supplies for the mission"},
     "Need", {}, {}},
    {summary::combatLoad, "Of those", "Supplies carried as the combat load", {"supply carried as the combat load", "supplies carried as the combat load"},
     "Combat load", {}, {}},
};
inline constexpr std::size_t figureCount = std::size(figures);

// Where the figure a label shows stands in the table, if it is one.
constexpr std::optional<std::size_t> figureIndex(Control c)
{
    for (std::size_t i = 0; i < figureCount; ++i)
        if (figures[i].control == c)
            return i;
    return std::nullopt;
}

constexpr const Figure* figureOf(Control c)
{
    const auto i = figureIndex(c);
    return i ? &figures[*i] : nullptr;
}

} // namespace worksheet
