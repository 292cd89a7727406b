#pragma once

#include "item_lists.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace worksheet {

enum class Kind : std::uint8_t { Window, Label, TextBox, List, CheckBox, Button, Line, Shape };

// How a caption is drawn; the core never looks at it.
enum class Look : std::uint8_t { Plain, Heading, Tally, Wrapped };

// The fixed item lists that start-up puts into the drop-down lists.
enum class ItemList : std::uint8_t {
    None,
    MissionTypes,
    MissionNumbers,
    CombatSupplies,
    Trucks,
    APCs,
    Armour,
    OtherVehicles,
    Infantry,
    Weapons,
    TowedUnits,
};

constexpr std::span<const std::string_view> itemsOf(ItemList list)
{
    switch (list) {
    case ItemList::None: return {};
    case ItemList::MissionTypes: return itemLists::missionTypes;
    case ItemList::MissionNumbers: return itemLists::missionNumbers;
    case ItemList::CombatSupplies: return itemLists::combatSupplies;
    case ItemList::Trucks: return itemLists::trucks;
    case ItemList::APCs: return itemLists::apcs;
    case ItemList::Armour: return itemLists::armour;
    case ItemList::OtherVehicles: return itemLists::otherVehicles;
    case ItemList::Infantry: return itemLists::infantry;
    case ItemList::Weapons: return itemLists::weapons;
    case ItemList::TowedUnits: return itemLists::towedUnits;
    }
    return {};
}

// One control of the window as it is created. Geometry is in twips from the
// client area's top left corner; a line runs from (left, top) to
// (left + width, top + height).
struct ControlDecl {
    std::string_view name;
    Kind kind;
    std::string_view text;
    int left, top, width, height;
    bool visible = true;
    bool enabled = true;
    ItemList items = ItemList::None;
    Look look = Look::Plain;
};

// A control, by its place in the form's declaration.
struct Control {
    std::uint16_t index;
    friend constexpr bool operator==(Control, Control) = default;
};

inline constexpr int twipsPerPixel = 15;
// Controls from this left edge on are the hidden bookkeeping part.
inline constexpr int hiddenPartLeft = 8400;

} // namespace worksheet

#include "form_table.h"

namespace worksheet {

inline constexpr std::size_t controlCount = std::size(form);

constexpr std::optional<Control> findControl(std::string_view name)
{
    for (std::size_t i = 0; i < controlCount; ++i)
        if (form[i].name == name)
            return Control{static_cast<std::uint16_t>(i)};
    return std::nullopt;
}

constexpr const ControlDecl& declOf(Control c)
{
    return form[c.index];
}

namespace literals {
// "Label110"_ctl names a control; a name the form does not declare is a
// compile error.
consteval Control operator""_ctl(const char* name, std::size_t length)
{
    const auto found = findControl(std::string_view(name, length));
    if (!found)
        throw "no control of that name on the form";
    return *found;
}
} // namespace literals

// The window itself ("Form1"): its caption is the window's title, its size
// the form's.
inline constexpr Control formWindow = [] {
    using namespace literals;
    return "Form1"_ctl;
}();
static_assert(declOf(formWindow).kind == Kind::Window);

// The window's own controls outside any section.
using namespace literals;
inline constexpr Control missionFactor = "Label1"_ctl;
inline constexpr Control missionType = "Combo2"_ctl;
inline constexpr Control printButton = "Command1"_ctl;
inline constexpr Control exitButton = "Command3"_ctl;

} // namespace worksheet
