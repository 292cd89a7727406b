// The dispatcher: which writes raise events, and how an event that goes
// wrong is taken back. Handlers here are small stand-ins wired to controls
// through their own route table.
#include "worksheet/number.h"
#include "worksheet/shell.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct RecordingHost : Host {
    std::vector<std::string> messages;
    void showMessage(std::string_view title, std::string_view text) override
    {
        messages.push_back(std::string(title) + ": " + std::string(text));
    }
    void printWindow() override {}
    void quit() override {}
};

constexpr Control changes = "Label15"_ctl;
constexpr Control tally = "Label110"_ctl;
constexpr Control share = "Label53"_ctl;

void countChange(Sheet& s, int)
{
    s.add(changes, 1);
}
// Writes a box (which raises its change), a list and a check box.
void writeControls(Sheet& s, int)
{
    s.setText("Text10"_ctl, "7");
    s.setText("Combo33"_ctl, "ZIL Medium Truck");
    s.setChecked("Check1"_ctl, true);
}
void tickMeansNote(Sheet& s, int)
{
    s.add("Label49"_ctl, 1);
}
// Adds the count of Text23 times 1e308 to a tally and a share.
void addHuge(Sheet& s, int)
{
    const double n = s.number("Text23"_ctl);
    s.add(share, n);
    s.setText("Text10"_ctl, "changed");
    s.add(tally, n * 1e308);
}
// A pick that is refused: its writes come back out, then the row is reset.
void refusedPick(Sheet& s, int)
{
    const auto before = s.mark();
    s.add(tally, 5);
    s.add(share, 5);
    s.message("Transport Error", "refused");
    s.restoreLabels(before);
    s.setText("Text23"_ctl, "0");
}

constexpr Route routes[] = {
    {"Text10"_ctl, Event::Change, countChange}, {"Command11"_ctl, Event::Click, writeControls},
    {"Combo33"_ctl, Event::Click, countChange}, {"Check1"_ctl, Event::Click, tickMeansNote},
    {"Combo13"_ctl, Event::Click, addHuge},     {"Combo14"_ctl, Event::Click, refusedPick},
};

class SheetTest : public ::testing::Test {
protected:
    RecordingHost host;
    Sheet sheet{host, routes};
};

TEST_F(SheetTest, StartUpFillsTheListsAndDisablesTheRowsThatWaitForACount)
{
    EXPECT_EQ(sheet.items("Combo2"_ctl).size(), 7u);
    EXPECT_EQ(sheet.items("Combo8"_ctl).size(), 1u);
    for (const Row& row : rowsWaitingForCount)
        EXPECT_FALSE(sheet.enabled(row.list)) << declOf(row.list).name;
    EXPECT_TRUE(sheet.enabled("Combo13"_ctl));
    EXPECT_TRUE(sheet.enabled("Combo11"_ctl));
    EXPECT_TRUE(sheet.changed().empty());
}

TEST_F(SheetTest, ABoxWrittenByAHandlerRaisesItsChangeAtOnce)
{
    sheet.userPress("Command11"_ctl);
    EXPECT_EQ(sheet.text(changes), "1");
    // The same text again is no change.
    sheet.userPress("Command11"_ctl);
    EXPECT_EQ(sheet.text(changes), "1");
}

TEST_F(SheetTest, AListWrittenByAHandlerIsNoPick)
{
    sheet.userPress("Command11"_ctl);
    EXPECT_EQ(sheet.text("Combo33"_ctl), "ZIL Medium Truck");
    EXPECT_EQ(sheet.text(changes), "1"); // only the box's change
}

TEST_F(SheetTest, TickingFromCodeRaisesTheClickOnlyWhenTheValueChanges)
{
    sheet.userPress("Command11"_ctl);
    sheet.userPress("Command11"_ctl);
    EXPECT_TRUE(sheet.checked("Check1"_ctl));
    EXPECT_EQ(sheet.text("Label49"_ctl), "1");
    sheet.userTick("Check1"_ctl);
    EXPECT_FALSE(sheet.checked("Check1"_ctl));
    EXPECT_EQ(sheet.text("Label49"_ctl), "2");
}

TEST_F(SheetTest, PickingTheSameItemAgainIsAnotherPick)
{
    sheet.userPick("Combo33"_ctl, 1);
    sheet.userPick("Combo33"_ctl, 1);
    EXPECT_EQ(sheet.text(changes), "2");
}

TEST_F(SheetTest, ANumberTooLargeUndoesTheWholeEvent)
{
    sheet.userEdit("Text23"_ctl, "10");
    sheet.userPick("Combo13"_ctl, 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Number Error: A number on the worksheet is too large to work with.");
    // The list's text, the share, the box written by the handler and the
    // change that box raised are all as before the pick.
    EXPECT_EQ(sheet.text("Combo13"_ctl), "");
    EXPECT_EQ(sheet.text(share), "Label53");
    EXPECT_EQ(sheet.text("Text10"_ctl), "");
    EXPECT_EQ(sheet.text(changes), "Label15");
    EXPECT_EQ(sheet.text(tally), "0");
    // The window is told which controls to show again.
    EXPECT_FALSE(sheet.changed().empty());
}

TEST_F(SheetTest, AnEventThatFitsIsKept)
{
    sheet.userEdit("Text23"_ctl, "1e-308");
    sheet.userPick("Combo13"_ctl, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(sheet.text(tally), "1");
    EXPECT_EQ(sheet.text(share), "1E-308");
}

TEST_F(SheetTest, ARefusedPickPutsBackEveryCaptionButKeepsTheRowSteps)
{
    sheet.userEdit("Text23"_ctl, "3");
    sheet.userPick("Combo14"_ctl, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(sheet.text(tally), "0");
    EXPECT_EQ(sheet.text(share), "Label53");
    EXPECT_EQ(sheet.text("Text23"_ctl), "0");
    EXPECT_EQ(sheet.text("Combo14"_ctl), "AT-3 Sagger ATGM");
}


TEST_F(SheetTest, ARunOfTypingIntoOneBoxIsUndoneAndRedoneAtOnce)
{
    EXPECT_FALSE(sheet.undo());
    sheet.userEdit("Text23"_ctl, "1");
    sheet.userEdit("Text23"_ctl, "12");
    sheet.userEdit("Text24"_ctl, "5");
    EXPECT_TRUE(sheet.undo());
    EXPECT_EQ(sheet.text("Text24"_ctl), "");
    EXPECT_EQ(sheet.text("Text23"_ctl), "12");
    EXPECT_TRUE(sheet.undo());
    EXPECT_EQ(sheet.text("Text23"_ctl), "");
    EXPECT_FALSE(sheet.undo());
    EXPECT_TRUE(sheet.redo());
    EXPECT_EQ(sheet.text("Text23"_ctl), "12");
    // Typing after an undo starts a step of its own.
    sheet.userEdit("Text23"_ctl, "123");
    EXPECT_TRUE(sheet.undo());
    EXPECT_EQ(sheet.text("Text23"_ctl), "12");
}

} // namespace
