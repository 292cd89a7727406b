// Every kind of every catalogue, picked once, the form and the
// rows, events that go wrong, and seeded random sessions.
#include "quiet_host.h"
#include "sections/names.h"
#include "sections/routes.h"
#include "sections/sections.h"
#include "session_checker.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"
#include "worksheet/picks.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace worksheet;
using namespace sections;

namespace {

// A worksheet under "Advance To Contact" (factor 2) with ten "PTS" in the
// last truck row: 70 squads, 129520 lb of cargo and 10 towing places.
struct Worksheet {
    QuietHost host;
    Sheet sheet{host, routes()};
    Worksheet()
    {
        choose(missionType, "Advance To Contact");
        fill(truckRows[4], "10", "PTS");
    }
    void choose(Control list, std::string_view item)
    {
        const auto items = sheet.items(list);
        const auto at = std::find(items.begin(), items.end(), item);
        ASSERT_NE(at, items.end()) << item << " in " << declOf(list).name;
        sheet.userPick(list, static_cast<std::size_t>(at - items.begin()));
    }
    void fill(const Row& row, const std::string& count, std::string_view item)
    {
        sheet.userEdit(row.count, count);
        choose(row.list, item);
    }
    double value(Control c) const { return parseNumber(sheet.text(c)); }
};

// Two of every kind of each catalogue, each on a worksheet of its own, in
// the section's rows in turn (the last truck row holds the trucks set up):
// what they add to the five summary figures, summed over the catalogue. The
// sums are worked out from the catalogues as published, so that a wrong
// figure of any kind fails. A weapon's squads are recounted from the cargo
// left, and are not summed.
TEST(Catalogues, EveryKindAddsItsFiguresToTheTallies)
{
    const struct {
        const Section* section;
        std::array<double, figureCount> sums;
    } catalogues[] = {
        {&trucks, {34, 98664, 14, 156, 78}},        {&apcs, {12, 6600, 12, 104, 52}},
        {&armour, {5, 0, 26, 420, 210}},            {&otherVehicles, {0, 0, 26, 604, 302}},
        {&infantry, {-13, -32500, 0, 108, 54}},     {&weapons, {NAN, -2640, 0, 128, 64}},
        {&towedUnits, {0, 0, -16, 412, 206}},
    };
    for (const auto& [section, sums] : catalogues) {
        const auto& rows = section->rows;
        const std::size_t kinds = Worksheet().sheet.items(rows[0].list).size();
        std::array<double, figureCount> added{};
        std::string each;
        for (std::size_t kind = 1; kind < kinds; ++kind) { // after "None"
            Worksheet w;
            const Row& row = rows[(kind - 1) % (rows.size() - (section == &trucks))];
            std::array<double, figureCount> before;
            for (std::size_t i = 0; i < figureCount; ++i)
                before[i] = w.value(figures[i].control);
            w.sheet.userEdit(row.count, "2");
            w.sheet.userPick(row.list, kind);
            each.append("\n").append(w.sheet.text(row.list)).append(":");
            for (std::size_t i = 0; i < figureCount; ++i) {
                added[i] += w.value(figures[i].control) - before[i];
                each.append(" ").append(formatNumber(w.value(figures[i].control) - before[i]));
            }
        }
        for (std::size_t i = 0; i < figureCount; ++i)
            EXPECT_TRUE(std::isnan(sums[i]) || added[i] == sums[i])
                << section->name << ", " << declOf(figures[i].control).name << ": " << added[i] << each;
    }
}

// The supply calculation reads the mission from the list's text with factors
// of its own: two BTR-152 APCs, of 3 squads each, count 6 squads times it.
TEST(SupplyCalculation, MultipliesTheApcSquadsByItsOwnMissionFactor)
{
    const std::pair<std::string, double> factors[] = {{"Recon", 1},
                                                      {"Probe", 1},
                                                      {"Advance To Contact", 2},
                                                      {"Artillery Barrage", 3},
                                                      {"Deliberate Attack", 3},
                                                      {"Raid", 0},
                                                      {"Airstrike", 2}};
    for (const auto& [mission, times] : factors) {
        Worksheet w;
        w.fill(apcRows[0], "2", "BTR-152 APC");
        w.sheet.userEdit(missionType, mission);
        w.sheet.userPress("Command6"_ctl);
        EXPECT_EQ(w.value(grid::apcSquadsTimesFactor), 6 * times) << mission;
    }
}

// The form is laid out on whole pixels, its lines drawn right or down; every
// visible control lies within the window and left of the hidden part, with a
// size, and no two controls the user works overlap.
TEST(Form, VisibleControlsHaveTheirOwnPlaces)
{
    for (const ControlDecl& d : form)
        EXPECT_TRUE(d.left % twipsPerPixel == 0 && d.top % twipsPerPixel == 0 && d.width % twipsPerPixel == 0 &&
                    d.height % twipsPerPixel == 0 &&
                    (d.kind != worksheet::Kind::Line || ((!d.width || !d.height) && d.width >= 0 && d.height >= 0)))
            << d.name;
    // A wrapped caption's box may reach under the controls below its text.
    const auto ownsItsPlace = [](const ControlDecl& d) {
        return d.visible && d.kind != worksheet::Kind::Line && d.kind != worksheet::Kind::Shape &&
               d.look != Look::Wrapped;
    };
    for (std::size_t i = formWindow.index + 1; i < controlCount; ++i) {
        const ControlDecl& a = form[i];
        if (!a.visible)
            continue;
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.left < hiddenPartLeft &&
                    a.left + a.width <= declOf(formWindow).width && a.top + a.height <= declOf(formWindow).height)
            << a.name;
        EXPECT_TRUE(a.kind == worksheet::Kind::Line || (a.width > 0 && a.height > 0)) << a.name;
        for (std::size_t j = i + 1; j < controlCount && ownsItsPlace(a); ++j) {
            const ControlDecl& b = form[j];
            EXPECT_FALSE(ownsItsPlace(b) && a.left < b.left + b.width && b.left < a.left + a.width &&
                         a.top < b.top + b.height && b.top < a.top + a.height)
                << a.name << " and " << b.name;
        }
    }
}

// A count box enables its own list and no other, whether the count comes
// after the mission or before it (the mission then enables the rows already
// counted). At start-up nothing is reported changed, or there to undo.
// Each row's controls are named by section, row and part, as a screen
// reader reads them; the rows count from 1.
TEST(Rows, AreNamedBySectionRowAndPart)
{
    EXPECT_EQ(sections::nameOf(truckRows[1].list), "Trucks, row 2, kind");
    EXPECT_EQ(sections::nameOf(infantryRows[8].count), "Infantry, row 9, count");
    EXPECT_EQ(sections::nameOf(*infantryRows[0].marching), "Infantry, row 1, marching");
    EXPECT_EQ(sections::nameOf(supplyRow.count), "Combat supplies, count");
    EXPECT_EQ(sections::nameOf(supplyRow.list), "Combat supplies, kind");
    EXPECT_EQ(sections::nameOf(towedUnits.clear), "Towed units, clear");
    EXPECT_EQ(sections::nameOf("Command6"_ctl), "Combat supplies, clear and work out the APC supplies");
}

TEST(Rows, EachCountBoxEnablesItsOwnListOnceAMissionIsChosen)
{
    for (const Route& route : routes())
        EXPECT_NE(route.handler, nullptr) << declOf(route.control).name;
    for (bool countFirst : {false, true})
        for (const Row& counted : rowsWaitingForCount) {
            QuietHost host;
            Sheet sheet{host, routes()};
            EXPECT_TRUE(sheet.changed().empty() && !sheet.undo() && !sheet.redo());
            if (countFirst) {
                sheet.userEdit(counted.count, "1");
                EXPECT_EQ(host.messages, std::vector<std::string>{"Mission Error:  Select Mission Type!"});
                host.messages.clear();
            }
            sheet.userPick(missionType, 1);
            if (!countFirst)
                sheet.userEdit(counted.count, "1");
            for (const Row& row : rowsWaitingForCount)
                EXPECT_EQ(sheet.enabled(row.list), row.list == counted.list)
                    << declOf(counted.count).name << " and " << declOf(row.list).name;
        }
}

// Text typed into a list counts for nothing and is marked so, blank text
// too; a pick of it counts it, a Clear writes over it, and undo and redo
// bring the mark back with the text it was on.
TEST(Rows, TypedTextIsMarkedUntilAPickOrAClearAndUndoKeepsTheMark)
{
    Worksheet w;
    const Control list = weaponRows[0].list;
    w.sheet.userEdit(list, "Mortar");
    w.sheet.userEdit(weaponRows[1].count, "1");
    w.sheet.userEdit(list, "");
    EXPECT_TRUE(w.sheet.typed(list)) << "blank typed text is marked too";
    w.sheet.userEdit(list, "Smoke Munition");
    EXPECT_TRUE(w.sheet.typed(list) && !w.sheet.typed(weaponRows[1].list));
    w.choose(list, "Smoke Munition");
    EXPECT_FALSE(w.sheet.typed(list)) << "a pick of what was typed counts it";
    w.sheet.undo();
    EXPECT_EQ(w.sheet.text(list), "Smoke Munition");
    EXPECT_TRUE(w.sheet.typed(list));
    w.sheet.redo();
    EXPECT_FALSE(w.sheet.typed(list));
    w.sheet.undo();
    w.sheet.userPress("Command8"_ctl);
    EXPECT_FALSE(w.sheet.typed(list)) << "the Clear writes over it";
    EXPECT_FALSE(w.sheet.typed(weaponRows[1].count)) << "only lists are marked";
}

constexpr Control tally = "Label110"_ctl, box = "Text10"_ctl, list = "Combo33"_ctl;

// Writes every kind of field, one of them twice, then fails.
void failHalfWay(Sheet& sheet, int)
{
    sheet.setText(tally, "7");
    sheet.setText(tally, "8");
    sheet.setEnabled(list, false);
    sheet.setVisible(list, false);
    sheet.setChecked("Check1"_ctl, true);
    throw std::logic_error("a fault in a handler");
}

// Two fields of one control in one event.
void disableAndWrite(Sheet& sheet, int)
{
    sheet.setEnabled(list, false);
    sheet.setText(list, "1");
}

constexpr Route faultyRoutes[] = {{"Command1"_ctl, Event::Click, failHalfWay},
                                  {"Command3"_ctl, Event::Click, disableAndWrite}};

// The fault goes on to the caller; the worksheet is as before, with nothing
// to redo, the edit before it still the one to undo, and takes the next
// event, which undo then takes back whole.
TEST(Events, AFailedEventLeavesTheWorksheetAsItWasAndTakesTheNext)
{
    QuietHost host;
    Sheet sheet{host, faultyRoutes};
    sheet.userEdit(box, "5");
    const SheetState before = sheet.state();
    EXPECT_THROW(sheet.userPress("Command1"_ctl), std::logic_error);
    EXPECT_TRUE(sheet.state() == before);
    EXPECT_FALSE(sheet.canRedo());
    EXPECT_TRUE(sheet.undo() && sheet.text(box).empty() && sheet.redo());
    const SheetState beforeNext = sheet.state();
    sheet.userPress("Command3"_ctl);
    EXPECT_EQ(sheet.text(list), "1");
    EXPECT_TRUE(sheet.undo());
    EXPECT_TRUE(sheet.state() == beforeNext);
}

// A pick of an item the list has not is no event: nothing changes, nothing
// is said, and undo still takes back the edit before it.
TEST(Events, APickOfAnItemTheListHasNotChangesNothing)
{
    const std::pair<Control, std::size_t> badPicks[] = {
        {missionType, 7}, {missionType, std::numeric_limits<std::size_t>::max()}, {"Label110"_ctl, 0}};
    for (const auto& [control, item] : badPicks) {
        QuietHost host;
        Sheet sheet{host, routes()};
        sheet.userEdit(box, "5");
        host.messages.clear();
        const SheetState before = sheet.state();
        sheet.userPick(control, item);
        EXPECT_TRUE(sheet.state() == before) << item;
        EXPECT_TRUE(sheet.changed().empty()) << item;
        EXPECT_TRUE(sheet.undo() && sheet.text(box).empty()) << item;
    }
}

// A message box lets the toolkit deliver events while it waits: the
// worksheet takes none of them until its own event has ended.
TEST(Events, AnEventDuringAMessageIsNotTaken)
{
    struct Reentering final : Host {
        Sheet* sheet = nullptr;
        void showMessage(std::string_view, std::string_view, std::string_view) override
        {
            sheet->userEdit("Text35"_ctl, "Hill");
        }
        void printWindow() override {}
        void quit() override {}
    } host;
    Sheet sheet{host, routes()};
    host.sheet = &sheet;
    sheet.userEdit(box, "1"); // before a mission: a message
    EXPECT_EQ(sheet.text("Text35"_ctl), "");
}

// Seeded random sessions, checked after every event (session_checker.h);
// the same seeds every run: 1 to 150, or as WORKSHEET_SEEDS says ("1-75"),
// so that CTest can run shares of them side by side.
TEST(Sessions, KeepTheWorksheetsInvariants)
{
    session::Options options;
    options.steps = 200;
    std::uint64_t first = 1, last = 150;
    if (const char* seeds = std::getenv("WORKSHEET_SEEDS")) {
        ASSERT_EQ(std::sscanf(seeds, "%" SCNu64 "-%" SCNu64, &first, &last), 2) << seeds;
    }
    for (std::uint64_t seed = first; seed <= last; ++seed) {
        session::Choices random(seed);
        try {
            session::run(random, options);
        } catch (const session::Broken& broken) {
            FAIL() << "seed " << seed << ": " << broken.what();
        }
    }
}

} // namespace

// A row's picks beyond ten are written as how many more; picks and entries
// put back wholesale, as an opened plan does, are what the next pick adds to.
TEST(Ledger, WritesTenPicksAndTakesStateBackWholesale)
{
    Worksheet w;
    for (int i = 0; i < 10; ++i)
        w.choose(truckRows[0].list, "Trailer");
    EXPECT_EQ(w.sheet.countedText(truckRows[0].list).find("more"), std::string::npos);
    w.choose(truckRows[0].list, "Trailer");
    EXPECT_EQ(w.sheet.countedPickCount(truckRows[0].list), 11u);
    const std::string written = w.sheet.countedText(truckRows[0].list);
    EXPECT_TRUE(written.ends_with(" \u00d7 Trailer + \u2026 (1 more)")) << written;
    EXPECT_EQ(std::count(written.begin(), written.end(), '+'), 10);
    w.sheet.userEdit(truckRows[1].count, " 2\t");
    w.choose(truckRows[1].list, "Trailer");
    EXPECT_EQ(w.sheet.countedText(truckRows[1].list), "2 \u00d7 Trailer"); // the count as a number reads

    // The last truck row's one pick, of 10 PTS, is taken over by the plan's.
    Worksheet opened;
    SheetState plan = opened.sheet.state();
    plan.counted = {{truckRows[0].list, {{"7", "PTS"}}}, {truckRows[4].list, {{"3", "PTS"}, {"7", "PTS"}}}};
    std::sort(plan.counted.begin(), plan.counted.end(),
              [](const RowPicks& a, const RowPicks& b) { return a.list.index < b.list.index; });
    plan.ledger[*figureIndex(summary::towing)] = {{truckRows[4].list, 3}, {truckRows[0].list, 7}};
    SheetState noPicks = plan;
    noPicks.counted[0].picks.clear();
    EXPECT_EQ(opened.sheet.restore(noPicks), "Combo33 has an empty list of picks");
    ASSERT_EQ(opened.sheet.restore(plan), "");
    opened.sheet.userEdit(truckRows[4].count, "2");
    opened.choose(truckRows[4].list, "PTS");
    EXPECT_EQ(opened.sheet.countedPicks(truckRows[4].list),
              (std::vector<CountedPick>{{"3", "PTS"}, {"7", "PTS"}, {"2", "PTS", "Advance To Contact"}}));
    const auto towing = opened.sheet.ledger(summary::towing);
    ASSERT_EQ(towing.size(), 2u);
    EXPECT_EQ(towing[0].amount, 5);
}

// A row picked some hundred thousand times is freed pick by pick, not as
// deep as the run is long.
TEST(Ledger, ALongRunOfPicksIsFreed)
{
    PickList run;
    for (int i = 0; i < 200'000; ++i)
        run = run.added({"1", "Trailer"});
    EXPECT_EQ(run.size(), 200'000u);
}

// Where a figure and its other entries are too far apart for a number, the
// event's control is credited with the change itself, on top of any entry
// it has.
TEST(Ledger, PastTheLargestNumberAnEntryTakesTheChange)
{
    std::vector<LedgerEntry> entries{{"Combo33"_ctl, -1.7e308}, {"Combo34"_ctl, 2}};
    settleEntry(entries, "Combo34"_ctl, 1.7e308, 5);
    settleEntry(entries, "Combo35"_ctl, 1.7e308, 5);
    EXPECT_EQ(entries, (std::vector<LedgerEntry>{{"Combo33"_ctl, -1.7e308}, {"Combo34"_ctl, 7}, {"Combo35"_ctl, 5}}));
}
