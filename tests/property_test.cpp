// Properties of the whole worksheet over many seeded random sessions: a
// section's Clear takes back exactly what its accepted picks added to the
// summary panel (or, for the Trucks and the Weapons Clear, keeps its own
// rule), and a refused pick leaves every tally as it was. The sessions are
// drawn from a fixed seed, so every run tries the same ones.
#include "seeded_random.h"

#include "sections/routes.h"
#include "worksheet/number.h"
#include "worksheet/rows.h"
#include "worksheet/sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct RecordingHost final : Host {
    std::vector<std::string> titles;
    void showMessage(std::string_view title, std::string_view) override { titles.emplace_back(title); }
    void printWindow() override {}
    void quit() override {}
};

constexpr Control squads = "Label110"_ctl;
constexpr Control cargo = "Label108"_ctl;
constexpr Control towing = "Label40"_ctl;
constexpr Control suppliesNeeded = "Label75"_ctl;
constexpr Control combatLoad = "Label121"_ctl;
constexpr Control summary[] = {squads, cargo, towing, suppliesNeeded, combatLoad};
constexpr Control refusalCounter = "Label49"_ctl;

// Whole and half counts, now and then a negative one or none at all.
std::string randomCount(SeededRandom& r)
{
    static constexpr std::string_view counts[] = {"0", "0.5", "1",  "1.5",  "2",  "2.5", "3", "4",
                                                  "5", "7",   "12", "-0.5", "-1", "",    " "};
    return std::string(counts[r.below(std::size(counts))]);
}

struct Section {
    const char* name;
    std::vector<Row> rows;
    Control clear;
};

const Section trucks{"Trucks", {std::begin(truckRows), std::end(truckRows)}, "Command11"_ctl};
const Section apcs{"APCs", {std::begin(apcRows), std::end(apcRows)}, "Command7"_ctl};
const Section armour{"Armour", {std::begin(armourRows), std::end(armourRows)}, "Command19"_ctl};
const Section otherVehicles{
    "Other vehicles", {std::begin(otherVehicleRows), std::end(otherVehicleRows)}, "Command5"_ctl};
const Section infantry{"Infantry", {std::begin(infantryRows), std::end(infantryRows)}, "Command2"_ctl};
// The Weapons Clear also clears the combat supplies row.
const Section weapons{"Weapons",
                      [] {
                          std::vector<Row> rows(std::begin(weaponRows), std::end(weaponRows));
                          rows.push_back(supplyRow);
                          return rows;
                      }(),
                      "Command8"_ctl};
const Section towed{"Towed units", {std::begin(towedRows), std::end(towedRows)}, "Command16"_ctl};

// Test names and failures name the section.
void PrintTo(const Section* s, std::ostream* out)
{
    *out << s->name;
}

const Section* const allSections[] = {&trucks, &apcs, &armour, &otherVehicles, &infantry, &weapons, &towed};

class Worksheet {
public:
    Worksheet() : sheet(host, sections::routes()) {}

    double value(Control c) const { return parseNumber(sheet.text(c)); }

    std::vector<std::string> labels() const
    {
        std::vector<std::string> out;
        for (std::uint16_t i = 0; i < controlCount; ++i)
            out.push_back(form[i].kind == Kind::Label ? sheet.text(Control{i}) : std::string());
        return out;
    }

    std::vector<double> summaryValues() const
    {
        std::vector<double> out;
        for (Control c : summary)
            out.push_back(value(c));
        return out;
    }

    void chooseMission(SeededRandom& r)
    {
        // Any mission but "None", so that the count boxes enable their lists.
        sheet.userPick("Combo2"_ctl, 1 + r.below(sheet.items("Combo2"_ctl).size() - 1));
    }

    // Types a count into the row and picks an item; true when the pick was
    // refused. A refused pick must leave every tally as it was.
    bool fillRow(const Row& row, const std::string& count, std::size_t item, SeededRandom& r)
    {
        sheet.userEdit(row.count, count);
        // A box that already held the count raised no change; a blank more
        // reads the same and enables the list.
        if (!sheet.enabled(row.list))
            sheet.userEdit(row.count, count + " ");
        if (row.marching && r.chance(30))
            sheet.userTick(*row.marching);
        EXPECT_TRUE(sheet.enabled(row.list)) << declOf(row.list).name;

        const std::string typed = sheet.text(row.count);
        const auto before = labels();
        const std::string counterBefore = sheet.text(refusalCounter);
        const std::size_t firstMessage = host.titles.size();
        sheet.userPick(row.list, item);
        bool refused = false;
        for (std::size_t i = firstMessage; i < host.titles.size(); ++i) {
            EXPECT_NE(host.titles[i], "Number Error") << "counts this small never overflow";
            refused = refused || host.titles[i] == "Transport Error";
        }
        if (!refused)
            return false;

        const auto after = labels();
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            if (Control{i} != refusalCounter) {
                EXPECT_EQ(after[i], before[i])
                    << "a refused pick in " << declOf(row.list).name << " changed " << form[i].name;
            }
        }
        checkRowAfterRefusal(row, typed, item, counterBefore);
        return true;
    }

    RecordingHost host;
    Sheet sheet;

private:
    // What each section does with the refused row and the refusal counter.
    void checkRowAfterRefusal(const Row& row, const std::string& count, std::size_t item,
                              const std::string& counterBefore) const
    {
        const std::string_view picked = sheet.items(row.list)[item];
        const auto in = [&](std::span<const Row> rows) {
            for (const Row& r : rows)
                if (r.list == row.list)
                    return true;
            return false;
        };
        const std::string name(declOf(row.list).name);
        if (row.list == supplyRow.list) {
            EXPECT_EQ(sheet.text(row.count), count) << "the supplies row keeps its count";
            EXPECT_EQ(sheet.text(row.list), picked) << "the supplies row keeps its item";
            EXPECT_EQ(value(refusalCounter), parseNumber(counterBefore) + 1) << "each refused supply pick counts";
        } else if (in(weaponRows)) {
            EXPECT_EQ(sheet.text(row.count), "0") << name;
            EXPECT_EQ(sheet.text(row.list), "") << name;
            EXPECT_EQ(sheet.text(refusalCounter), "0") << "a refused weapon resets the counter";
        } else if (in(towedRows)) {
            EXPECT_EQ(sheet.text(row.count), row.list == towedRows[0].list ? " " : "0") << name;
            EXPECT_EQ(sheet.text(row.list), picked) << name << " keeps its item";
        } else {
            EXPECT_EQ(sheet.text(row.count), "") << name;
            EXPECT_EQ(sheet.text(row.list), "") << name;
        }
    }
};

// Random picks in the section's rows; returns how many were refused.
int pickInSection(Worksheet& w, const Section& s, SeededRandom& r, std::size_t picks)
{
    int refused = 0;
    for (std::size_t i = 0; i < picks; ++i) {
        const Row& row = s.rows[r.below(s.rows.size())];
        const std::size_t item = r.below(w.sheet.items(row.list).size());
        refused += w.fillRow(row, randomCount(r), item, r);
    }
    return refused;
}

// The vehicles that give the later rows something to use up: a few trucks
// (none for the Trucks section itself), armour and other vehicles.
void vehiclesBefore(Worksheet& w, const Section& tested, SeededRandom& r)
{
    for (const Section* s : {&trucks, &armour, &otherVehicles})
        if (s != &tested)
            pickInSection(w, *s, r, r.below(4));
}

void expectSummary(const Worksheet& w, const std::vector<double>& want, const std::string& when)
{
    for (std::size_t i = 0; i < std::size(summary); ++i)
        EXPECT_EQ(w.value(summary[i]), want[i]) << declOf(summary[i]).name << " " << when;
}

constexpr int sessions = 300;
constexpr std::uint64_t seed = 20240611;

std::uint64_t seedFor(const Section& s)
{
    std::uint64_t n = seed;
    for (const char* p = s.name; *p; ++p)
        n = n * 31 + static_cast<unsigned char>(*p);
    return n;
}

class ClearTakesBack : public ::testing::TestWithParam<const Section*> {};

TEST_P(ClearTakesBack, ExactlyWhatTheSectionsAcceptedPicksAdded)
{
    const Section& s = *GetParam();
    SeededRandom r(seedFor(s));
    int refused = 0;
    for (int session = 0; session < sessions; ++session) {
        Worksheet w;
        w.chooseMission(r);
        vehiclesBefore(w, s, r);
        const auto before = w.summaryValues();
        refused += pickInSection(w, s, r, 1 + r.below(12));
        w.sheet.userPress(s.clear);
        expectSummary(w, before, std::string("after the ") + s.name + " Clear, session " + std::to_string(session));
        // A second press finds nothing left to take back.
        w.sheet.userPress(s.clear);
        expectSummary(w, before, std::string("after a second ") + s.name + " Clear");
        if (HasFailure())
            break;
    }
    // The sessions reach the refusals of the sections that have them.
    if (&s == &infantry || &s == &towed) {
        EXPECT_GT(refused, sessions / 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Sections, ClearTakesBack, ::testing::Values(&apcs, &armour, &otherVehicles, &infantry, &towed),
                         [](const auto& param) {
                             std::string name;
                             for (const char* p = param.param->name; *p; ++p)
                                 if (*p != ' ')
                                     name.push_back(*p);
                             return name;
                         });

// The Trucks Clear zeroes the squads and the cargo outright and takes the
// trucks' and the APCs' shares out of the other three tallies; after it, no
// other Clear finds capacity of its own left in the zeroed tallies.
TEST(TrucksClear, ZeroesTheCarryingTalliesAndTakesOutTheTrucksAndTheApcs)
{
    SeededRandom r(seedFor(trucks));
    for (int session = 0; session < sessions; ++session) {
        Worksheet w;
        w.chooseMission(r);
        pickInSection(w, armour, r, r.below(4));
        pickInSection(w, otherVehicles, r, r.below(4));
        const auto beforeApcs = w.summaryValues();
        pickInSection(w, apcs, r, r.below(5));
        pickInSection(w, trucks, r, 1 + r.below(12));
        const auto afterTrucks = w.summaryValues();
        // Troops and weapons that use the capacity up, so that their shares
        // hold something when the Clear zeroes the tallies under them.
        pickInSection(w, infantry, r, r.below(4));
        pickInSection(w, weapons, r, r.below(4));
        pickInSection(w, towed, r, r.below(3));
        const auto beforeClear = w.summaryValues();

        w.sheet.userPress(trucks.clear);
        const std::string when = "after the Trucks Clear, session " + std::to_string(session);
        EXPECT_EQ(w.sheet.text(squads), "0") << when;
        EXPECT_EQ(w.sheet.text(cargo), "0") << when;
        // Towing places, supplies and combat load keep what the other
        // vehicles and the troops added, and lose the trucks' and the APCs'.
        for (std::size_t i = 2; i < std::size(summary); ++i)
            EXPECT_EQ(w.value(summary[i]), beforeApcs[i] + (beforeClear[i] - afterTrucks[i]))
                << declOf(summary[i]).name << " " << when;
        for (const Row& row : apcRows)
            EXPECT_EQ(w.sheet.text(row.count), " ") << "the Trucks Clear blanks the APC rows too";

        for (const Section* other : allSections) {
            if (other == &trucks)
                continue;
            w.sheet.userPress(other->clear);
            EXPECT_EQ(w.value(squads), 0) << "after the " << other->name << " Clear, session " << session;
            EXPECT_EQ(w.value(cargo), 0) << "after the " << other->name << " Clear, session " << session;
        }
        if (HasFailure())
            break;
    }
}

// The Weapons Clear gives back the cargo that the weapons and the combat
// supplies took, takes the weapons' supplies out, and works the squads out
// afresh from the cargo left.
TEST(WeaponsClear, GivesBackTheCargoAndRecountsTheSquads)
{
    SeededRandom r(seedFor(weapons));
    int refused = 0;
    for (int session = 0; session < sessions; ++session) {
        Worksheet w;
        w.chooseMission(r);
        vehiclesBefore(w, weapons, r);
        pickInSection(w, infantry, r, r.below(3));
        const auto before = w.summaryValues();
        refused += pickInSection(w, weapons, r, 1 + r.below(12));

        w.sheet.userPress(weapons.clear);
        const std::string when = "after the Weapons Clear, session " + std::to_string(session);
        for (std::size_t i = 1; i < std::size(summary); ++i)
            EXPECT_EQ(w.value(summary[i]), before[i]) << declOf(summary[i]).name << " " << when;
        // Whole half squads at 2500 lb a squad, rounded down.
        const double squadsFromCargo = std::floor(before[1] / 1250) / 2;
        EXPECT_EQ(w.value(squads), squadsFromCargo) << when << " with " << before[1] << " lb";
        if (HasFailure())
            break;
    }
    EXPECT_GT(refused, sessions / 10);
}

// Picks anywhere, Clears in between: whenever a pick is refused, every tally
// is as it was before it (fillRow checks that at each refusal).
TEST(RefusedPick, LeavesEveryTallyAsItWas)
{
    SeededRandom r(seed);
    int refused = 0;
    for (int session = 0; session < sessions; ++session) {
        Worksheet w;
        w.chooseMission(r);
        for (int step = 0; step < 40; ++step) {
            const Section& s = *allSections[r.below(std::size(allSections))];
            if (r.chance(8))
                w.sheet.userPress(s.clear);
            else
                refused += pickInSection(w, s, r, 1);
        }
        if (HasFailure())
            break;
    }
    EXPECT_GT(refused, sessions);
}

} // namespace
