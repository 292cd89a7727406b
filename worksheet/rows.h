// The rows of each worksheet section, top to bottom: a count box and a type
// list, and in the Infantry section the "Marching" check box in front.
#pragma once

#include "form.h"

#include <array>
#include <optional>
#include <span>

namespace worksheet {

using namespace literals;

struct Row {
    Control count;
    Control list;
    std::optional<Control> marching = {}; // infantry rows only
};

inline constexpr Row truckRows[] = {
    {"Text10"_ctl, "Combo33"_ctl}, {"Text13"_ctl, "Combo34"_ctl}, {"Text30"_ctl, "Combo35"_ctl},
    {"Text40"_ctl, "Combo36"_ctl}, {"Text44"_ctl, "Combo37"_ctl},
};
inline constexpr Row apcRows[] = {
    {"Text46"_ctl, "Combo39"_ctl},
    {"Text47"_ctl, "Combo40"_ctl},
    {"Text48"_ctl, "Combo41"_ctl},
    {"Text49"_ctl, "Combo42"_ctl},
};
inline constexpr Row armourRows[] = {
    {"Text20"_ctl, "Combo30"_ctl}, {"Text21"_ctl, "Combo31"_ctl}, {"Text22"_ctl, "Combo32"_ctl},
    {"Text52"_ctl, "Combo45"_ctl}, {"Text53"_ctl, "Combo46"_ctl},
};
inline constexpr Row otherVehicleRows[] = {
    {"Text12"_ctl, "Combo25"_ctl},
    {"Text18"_ctl, "Combo28"_ctl},
    {"Text19"_ctl, "Combo29"_ctl},
    {"Text50"_ctl, "Combo43"_ctl},
};
inline constexpr Row infantryRows[] = {
    {"Text4"_ctl, "Combo1"_ctl, "Check1"_ctl},   {"Text5"_ctl, "Combo3"_ctl, "Check6"_ctl},
    {"Text6"_ctl, "Combo4"_ctl, "Check11"_ctl},  {"Text7"_ctl, "Combo5"_ctl, "Check12"_ctl},
    {"Text8"_ctl, "Combo6"_ctl, "Check13"_ctl},  {"Text9"_ctl, "Combo7"_ctl, "Check14"_ctl},
    {"Text11"_ctl, "Combo11"_ctl, "Check4"_ctl}, {"Text3"_ctl, "Combo10"_ctl, "Check3"_ctl},
    {"Text2"_ctl, "Combo9"_ctl, "Check2"_ctl},
};
// Infantry rows 1 to 6 wait for a count; rows 7 to 9 can be picked at once.
inline constexpr std::size_t infantryRowsWaitingForCount = 6;
inline constexpr Row weaponRows[] = {
    {"Text23"_ctl, "Combo13"_ctl}, {"Text24"_ctl, "Combo14"_ctl}, {"Text25"_ctl, "Combo15"_ctl},
    {"Text26"_ctl, "Combo16"_ctl}, {"Text27"_ctl, "Combo17"_ctl}, {"Text28"_ctl, "Combo18"_ctl},
    {"Text14"_ctl, "Combo24"_ctl}, {"Text15"_ctl, "Combo23"_ctl}, {"Text16"_ctl, "Combo12"_ctl},
};
inline constexpr Row towedRows[] = {
    {"Text32"_ctl, "Combo19"_ctl},
    {"Text33"_ctl, "Combo20"_ctl},
    {"Text34"_ctl, "Combo21"_ctl},
    {"Text39"_ctl, "Combo22"_ctl},
};
inline constexpr Row supplyRow = {"Text29"_ctl, "Combo8"_ctl};

// The rows whose count box enables the row's list once a mission is chosen:
// trucks, armour, other vehicles, APCs, infantry rows 1 to 6, towed units.
inline constexpr auto rowsWaitingForCount = [] {
    std::array<Row, std::size(truckRows) + std::size(armourRows) + std::size(otherVehicleRows) + std::size(apcRows) +
                        infantryRowsWaitingForCount + std::size(towedRows)>
        rows{};
    std::size_t n = 0;
    for (auto r : truckRows)
        rows[n++] = r;
    for (auto r : armourRows)
        rows[n++] = r;
    for (auto r : otherVehicleRows)
        rows[n++] = r;
    for (auto r : apcRows)
        rows[n++] = r;
    for (std::size_t i = 0; i < infantryRowsWaitingForCount; ++i)
        rows[n++] = {infantryRows[i].count, infantryRows[i].list};
    for (auto r : towedRows)
        rows[n++] = r;
    return rows;
}();
static_assert(rowsWaitingForCount.size() == 28);

} // namespace worksheet
