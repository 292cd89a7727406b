#include "row_marks.h"

#include "figures.h"
#include "form_events.h"
#include "number.h"

#include <algorithm>
#include <cmath>

namespace worksheet {

namespace {

std::string quoted(std::string_view t)
{
    std::string out(1, '"');
    out += trimmed(t);
    out += '"';
    return out;
}

// What the count or kind now says beside what was counted.
std::string moved(const CountedPick& pick, std::string_view count, std::string_view kind)
{
    const bool countMoved = parseNumber(count) != parseNumber(pick.count);
    std::string out = "Counted as " + describedPick(pick.count, pick.kind) + "; ";
    if (countMoved)
        out += trimmed(count).empty() ? "the count is now blank" : "the count now says " + std::string(trimmed(count));
    if (countMoved && kind != pick.kind)
        out += " and ";
    if (kind != pick.kind)
        out += trimmed(kind).empty() ? "the kind is now blank" : "the kind now says " + std::string(kind);
    return out;
}

// The combat supplies row weighs its count's supplies against the combat
// load, which rides with the troops: with no supplies counted, its pick
// still gives the combat load's weight back to the cargo.
std::string countsNothing(const Sheet& sheet, Control list, std::string_view count)
{
    const std::string why = trimmed(count).empty() ? "The count is blank"
                                                   : "The count " + quoted(count) + " is not a number";
    if (list == supplyRow.list) {
        const auto entries = sheet.ledger(summary::cargoPounds);
        const auto of = std::find_if(entries.begin(), entries.end(), [&](const LedgerEntry& e) { return e.control == list; });
        if (of != entries.end() && of->amount > 0)
            return why + ": 0 supplies, and the combat load's " + formatNumber(of->amount) +
                   " lb ride with the troops";
    }
    return why + ": this row counts nothing";
}

std::string missionName(std::string_view mission)
{
    return trimmed(mission).empty() ? "no mission type" : std::string(trimmed(mission));
}

} // namespace

std::optional<std::string> rowMark(const Sheet& sheet, Control list)
{
    const Row* row = sheet.rowOf(list);
    const std::size_t n = sheet.countedPickCount(list);
    if (!row || n == 0)
        return std::nullopt;
    if (n > 1)
        return (n == 2 ? "Counted twice: " : "Counted " + std::to_string(n) + " times: ") + sheet.countedText(list);
    const CountedPick pick = sheet.countedPicks(list).front();
    const std::string& count = sheet.text(row->count);
    const std::string& kind = sheet.text(list);
    if (parseNumber(count) != parseNumber(pick.count) || kind != pick.kind)
        return moved(pick, count, kind);
    if (!readsANumber(count))
        return countsNothing(sheet, list, count);
    const double value = parseNumber(count);
    if (value < 0)
        return "Counts " + (std::isfinite(value) ? formatNumber(value) : std::string("-\u221e")) +
               ": this row takes away";
    if (const std::string_view rest = unreadRest(count); !rest.empty())
        return "The count " + quoted(count) + " counts as " +
               (std::isfinite(value) ? formatNumber(value) : std::string("\u221e")) +
               (rest.front() == ',' ? ": a comma ends a number" : ": what follows the number is not read");
    // The supplies row's pick does not depend on the mission.
    if (pick.mission && list != supplyRow.list && *pick.mission != sheet.text(missionType))
        return "Counted under " + missionName(*pick.mission) + "; the mission is now " +
               missionName(sheet.text(missionType));
    if (pick.marching && row->marching && *pick.marching != sheet.checked(*row->marching))
        return *pick.marching ? "Counted marching; Marching is now unticked" : "Counted riding; Marching is now ticked";
    return std::nullopt;
}

} // namespace worksheet
