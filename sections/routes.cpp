#include "routes.h"

#include "handlers.h"
#include "sections.h"
#include "worksheet/form_events.h"

#include <algorithm>
#include <array>

namespace sections {

namespace {

using namespace worksheet;
using namespace worksheet::literals;

constexpr Route fixedRoutes[] = {
    {formWindow, Event::Load, formLoad},
    {missionType, Event::Click, missionTypeClick},
    {printButton, Event::Click, printClick},
    {exitButton, Event::Click, exitClick},
    {supplyRow.list, Event::Click, suppliesPick, 0, &supplyRow},
    {"Check5"_ctl, Event::Click, closeAirSupportClick},
    {"Command6"_ctl, Event::Click, supplyCalculationClick},
};

// Each section's Clear, with the rows it empties, and one Click route per row
// to the section's pick routine, with the row whose picks are counted.
constexpr auto sectionRoutes = [] {
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        for (const Section& s : sectionTable)
            n += 1 + s.rows.size();
        return n;
    }();
    std::array<Route, count> out{};
    std::size_t n = 0;
    for (const Section& s : sectionTable) {
        out[n++] = {s.clear, Event::Click, s.clearSection, 0, nullptr, s.rows, s.alsoBlanks};
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            out[n++] = {s.rows[i].list, Event::Click, s.pick, static_cast<int>(i), &s.rows[i]};
    }
    return out;
}();

constexpr auto changeRoutes = [] {
    std::array<Route, rowsWaitingForCount.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = {rowsWaitingForCount[i].count, Event::Change, countChanged, static_cast<int>(i)};
    return out;
}();

template <std::size_t... N> constexpr auto join(const std::array<Route, N>&... parts)
{
    std::array<Route, (N + ...)> out{};
    std::size_t n = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + static_cast<std::ptrdiff_t>(n)), n += N), ...);
    return out;
}

// Every entry has a handler (the rows test checks it: a sanitized build
// cannot compare a function's address in a constant expression).
constexpr auto table = join(std::to_array(fixedRoutes), changeRoutes, sectionRoutes);

} // namespace

std::span<const Route> routes()
{
    return table;
}

} // namespace sections
