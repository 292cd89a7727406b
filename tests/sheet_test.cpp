// The dispatcher's handling of events that go wrong: a handler that throws,
// and a pick of an item the list does not have.
#include "sections/routes.h"
#include "worksheet/sheet.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct RecordingHost final : Host {
    std::vector<std::string> messages;
    void showMessage(std::string_view title, std::string_view text) override
    {
        messages.push_back(std::string(title) + ": " + std::string(text));
    }
    void printWindow() override {}
    void quit() override {}
};

using Snapshot = std::vector<std::tuple<std::string, bool, bool, bool>>;

Snapshot snapshot(const Sheet& sheet)
{
    Snapshot s;
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        const Control c{i};
        s.emplace_back(sheet.text(c), sheet.visible(c), sheet.enabled(c), sheet.checked(c));
    }
    return s;
}

constexpr Control tally = "Label110"_ctl, box = "Text10"_ctl, list = "Combo33"_ctl, marching = "Check1"_ctl;
constexpr Control failing = "Command1"_ctl, working = "Command3"_ctl;

// Writes every kind of field, one of them twice, then fails.
void failHalfWay(Sheet& sheet, int)
{
    sheet.setText(tally, "7");
    sheet.setText(tally, "8");
    sheet.setEnabled(list, false);
    sheet.setVisible(list, false);
    sheet.setChecked(marching, true);
    throw std::logic_error("a fault in a handler");
}

void writeOne(Sheet& sheet, int)
{
    sheet.setText(tally, "1");
}

constexpr Route faultyRoutes[] = {{failing, Event::Click, failHalfWay}, {working, Event::Click, writeOne}};

TEST(Events, AFailedEventLeavesTheWorksheetAsItWasAndTakesTheNext)
{
    RecordingHost host;
    Sheet sheet{host, faultyRoutes};
    sheet.userEdit(box, "5");
    const Snapshot before = snapshot(sheet);

    EXPECT_THROW(sheet.userPress(failing), std::logic_error);
    EXPECT_EQ(snapshot(sheet), before);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(sheet.canRedo());

    // The failed event left nothing in the history: undo takes back the edit.
    EXPECT_TRUE(sheet.undo());
    EXPECT_EQ(sheet.text(box), "");
    EXPECT_TRUE(sheet.redo());

    sheet.userPress(working);
    EXPECT_EQ(sheet.text(tally), "1");
}

struct BadPick {
    const char* why;
    Control control;
    std::size_t item;
};

const BadPick badPicks[] = {
    {"the index just past the mission types", "Combo2"_ctl, 7},
    {"the largest index there is", "Combo2"_ctl, std::numeric_limits<std::size_t>::max()},
    {"a label, which has no items", "Label110"_ctl, 0},
};

TEST(Events, APickOfAnItemTheListHasNotChangesNothing)
{
    for (const BadPick& bad : badPicks) {
        RecordingHost host;
        Sheet sheet{host, sections::routes()};
        sheet.userEdit(box, "5");
        host.messages.clear();
        const Snapshot before = snapshot(sheet);
        sheet.userPick(bad.control, bad.item);
        EXPECT_EQ(snapshot(sheet), before) << bad.why;
        EXPECT_TRUE(sheet.changed().empty() && host.messages.empty()) << bad.why;
        // Undo still takes back the edit: the bad pick was no step.
        EXPECT_TRUE(sheet.undo() && sheet.text(box).empty()) << bad.why;
    }
}

} // namespace
