// Every message the worksheet shows, title and text, word for word.
#pragma once

#include <string_view>

namespace worksheet {

struct Message {
    std::string_view title;
    std::string_view text;
};

namespace messages {
// A count typed while no mission type is chosen.
inline constexpr Message selectMission = {"Mission Error", " Select Mission Type!"};
// The supply calculation pressed while no mission type is chosen.
inline constexpr Message calculationNeedsMission = {"Mission Error", "You Must Select a Mission Type"};
// A pick that needs more seats or cargo than the transport has left.
inline constexpr Message notEnoughTransport = {"Transport Error",
                                               "*-*Not Enough Transport to carry Cargo: Hit Reset to redo!"};
// A towed unit picked beyond the towing places left.
inline constexpr Message needMoreTowing = {"Transport Error", "You Need More Vehicles For Towing"};
// A number that is not finite; the whole event is undone.
inline constexpr Message numberError = {"Number Error", "A number on the worksheet is too large to work with."};

inline constexpr Message all[] = {selectMission, calculationNeedsMission, notEnoughTransport, needMoreTowing,
                                  numberError};
} // namespace messages

} // namespace worksheet
