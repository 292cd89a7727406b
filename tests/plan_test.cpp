// Plans on disk: every kind of bad file is refused with its reason and leaves
// the worksheet as it was. (Exact round trips are checked over the seeded
// sessions, see session_checker.h.)
#include "plan/plan.h"
#include "sections/routes.h"
#include "worksheet/form_events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct NoMessages final : Host {
    void showMessage(std::string_view title, std::string_view text, std::string_view) override
    {
        ADD_FAILURE() << "unexpected message " << title << ": " << text;
    }
    void printWindow() override {}
    void quit() override {}
};

// A worksheet with a mission, a truck row and text typed into a list.
struct Worksheet {
    NoMessages host;
    Sheet sheet{host, sections::routes()};
    Worksheet()
    {
        sheet.userPick(missionType, 4); // Deliberate Attack
        sheet.userEdit("Text10"_ctl, "2");
        sheet.userPick("Combo33"_ctl, 1);
        sheet.userEdit("Combo34"_ctl, "half a truck");
    }
};

QByteArray replaced(QByteArray text, const char* before, const char* after)
{
    EXPECT_TRUE(text.contains(before)) << before;
    return text.replace(before, after);
}

// The plan with Text35 (empty in it) holding so many blanks that the plan
// grows by that many bytes.
QByteArray withText35(QByteArray good, qsizetype blanks)
{
    return good.replace("\nText35 \"\"", "\nText35 \"" + QByteArray(blanks, ' ') + "\"");
}

struct BadFile {
    const char* what;
    // Makes the bad file at path from a good plan's text.
    std::function<void(const QString& path, const QByteArray& good)> make;
    const char* reason; // part of the error
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

auto contents(std::function<QByteArray(const QByteArray&)> from)
{
    return [from](const QString& path, const QByteArray& good) { writeFile(path, from(good)); };
}

const BadFile badFiles[] = {
    {"a missing file", [](const QString&, const QByteArray&) {}, "there is no such file"},
    {"a folder", [](const QString& path, const QByteArray&) { QDir().mkdir(path); }, "it is a folder"},
    {"an empty file", contents([](const QByteArray&) { return QByteArray(); }), "not a Combat Worksheet plan"},
    {"a scenario file", contents([](const QByteArray&) { return QByteArray("type Text10 2\n"); }),
     "not a Combat Worksheet plan"},
    {"bytes that are no UTF-8",
     contents([](const QByteArray& good) { return replaced(good, "Text10 \"2\"", "Text10 \"\xff\""); }),
     "holds a byte that is no UTF-8 text"},
    {"a plan of a newer format", contents([](const QByteArray& good) {
         return replaced(good, "Combat Worksheet plan 1\n", "Combat Worksheet plan 2\n");
     }),
     "newer Combat Worksheet (plan format 2"},
    {"a plan cut short after a whole line",
     contents([](const QByteArray& good) { return good.left(good.lastIndexOf("[end]")); }),
     "cut short (no [end] line)"},
    {"a plan cut short in a control's line",
     contents([](const QByteArray& good) { return good.left(good.indexOf("Combo33") + 12); }),
     "no closing double quote"},
    {"a plan one byte over 1 MiB",
     contents([](const QByteArray& good) { return withText35(good, plan::largestPlan + 1 - good.size()); }),
     "over 1 MiB"},
    {"a control the worksheet has not",
     contents([](const QByteArray& good) { return replaced(good, "\nText10 ", "\nText99 "); }),
     "line 23: the worksheet has no control named \"Text99\""},
    {"a control named twice",
     contents([](const QByteArray& good) { return replaced(good, "[ledger]", "Text10 \"3\" visible enabled\n[ledger]"); }),
     "Text10 is named a second time"},
    {"a control left out",
     contents([](const QByteArray& good) { return replaced(good, "Text10 \"2\" visible enabled\n", ""); }),
     "the control Text10 is missing"},
    {"a tally that is no number",
     contents([](const QByteArray& good) { return replaced(good, "Label1 \"3\"", "Label1 \"three\""); }),
     "Label1 cannot show that text"},
    {"a button with another caption",
     contents([](const QByteArray& good) { return replaced(good, "Command1 \"Print\"", "Command1 \"Save\""); }),
     "Command1 cannot show that text"},
    {"a bookkeeping label shown", contents([](const QByteArray& good) {
         return replaced(good, "Label24 \"Trucks\" hidden", "Label24 \"Trucks\" visible");
     }),
     "Label24 belongs to the hidden part"},
    {"a count box ticked", contents([](const QByteArray& good) {
         return replaced(good, "Text10 \"2\" visible enabled", "Text10 \"2\" visible enabled checked");
     }),
     "Text10 is no check box"},
    {"an unknown escape",
     contents([](const QByteArray& good) { return replaced(good, "Text10 \"2\"", "Text10 \"\\q\""); }),
     "unknown escape \\q"},
    {"a breakdown of a label that is no summary figure",
     contents([](const QByteArray& good) { return replaced(good, "Label110 Combo33 4\n", "Label1 Combo33 4\n"); }),
     "Label1 is no summary figure"},
    {"a share that is no number",
     contents([](const QByteArray& good) { return replaced(good, "Label110 Combo33 4\n", "Label110 Combo33 4x\n"); }),
     "FIGURE CONTROL NUMBER"},
    {"a share of 0",
     contents([](const QByteArray& good) { return replaced(good, "Label110 Combo33 4\n", "Label110 Combo33 0\n"); }),
     "Label110's breakdown gives Combo33 a share that is 0"},
    {"two shares of one row in one figure", contents([](const QByteArray& good) {
         return replaced(good, "Label110 Combo33 4\n", "Label110 Combo33 4\nLabel110 Combo33 1\n");
     }),
     "Label110's breakdown names Combo33 twice"},
    {"a pick of a kind the list has not", contents([](const QByteArray& good) {
         return replaced(good, "\"ZIL Medium Truck\"\n[end]", "\"Tiger Tank\"\n[end]");
     }),
     "Combo33 has a pick of a kind it does not have"},
    {"picks on the mission type", contents([](const QByteArray& good) {
         return replaced(good, "\nCombo33 \"2\" \"ZIL", "\nCombo2 \"2\" \"ZIL");
     }),
     "picks are counted on a control that is no row's list"},
    {"one row's picks in two places", contents([](const QByteArray& good) {
         return replaced(good, "[end]", "Combo34 \"1\" \"Landrover\"\nCombo33 \"1\" \"Landrover\"\n[end]");
     }),
     "Combo33's picks are out of order or given twice"},
    {"an unknown state",
     contents([](const QByteArray& good) { return replaced(good, "Text10 \"2\" visible", "Text10 \"2\" shown"); }),
     "unknown state \"shown\""},
};

TEST(Plans, ABadFileIsRefusedWithItsReasonAndChangesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Worksheet original;
    const QByteArray good = plan::toText(original.sheet.state());
    for (const BadFile& bad : badFiles) {
        SCOPED_TRACE(bad.what);
        const QString path = folder.filePath(QString::fromUtf8(bad.what) + ".cwplan");
        bad.make(path, good);
        Worksheet w;
        w.sheet.userEdit("Text35"_ctl, "Hill 402");
        const SheetState before = w.sheet.state();
        const QString error = plan::open(w.sheet, path);
        EXPECT_TRUE(error.contains(QString::fromUtf8(bad.reason))) << error.toStdString();
        EXPECT_TRUE(w.sheet.holds(before));
        EXPECT_TRUE(w.sheet.canUndo()); // the history is kept too
    }
}

TEST(Plans, APlanOfExactly1MiBIsRead)
{
    QTemporaryDir folder;
    Worksheet w;
    const QByteArray good = plan::toText(w.sheet.state());
    const QString path = folder.filePath("large.cwplan");
    // Without its last line break, so that every byte counts.
    writeFile(path, withText35(good.chopped(1), plan::largestPlan - good.size() + 1));
    const plan::Read read = plan::read(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.state.controls["Text35"_ctl.index].text.size(), std::size_t(plan::largestPlan - good.size() + 1));
}

// A text in a plan is UTF-8; anything else is written as \xHH escapes.
TEST(Plans, OnlyWellFormedUtf8IsText)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        bool text;
    };
    const Case cases[] = {
        {"two bytes", "\xc3\xa9", true},
        {"three bytes", "\xe2\x80\x94", true},
        {"four bytes", "\xf0\x9d\x84\x9e", true},
        {"the last code point", "\xf4\x8f\xbf\xbf", true},
        {"the first three-byte code point", "\xe0\xa0\x80", true},
        {"a continuation byte alone", "\x80", false},
        {"an overlong two-byte form", "\xc1\xbf", false},
        {"an overlong three-byte form", "\xe0\x9f\xbf", false},
        {"a surrogate", "\xed\xa0\x80", false},
        {"past the last code point", "\xf4\x90\x80\x80", false},
        {"a lead byte no code point has", "\xf5\x80\x80\x80", false},
        {"a sequence cut short", "\xe2\x82", false},
        {"a sequence whose last byte is no continuation", "\xf0\x9d\x84\x41", false},
        {"a lead byte where a continuation is due", "\xe2\x82\xc0", false},
    };
    Worksheet w;
    const QByteArray good = plan::toText(w.sheet.state());
    const int text35Line = int(good.left(good.indexOf("\nText35 ")).count('\n')) + 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray text = good;
        text.replace("\nText35 \"\"", "\nText35 \"" + c.bytes + "\"");
        const plan::Read read = plan::fromText(text);
        EXPECT_EQ(read.ok(), c.text) << read.error.toStdString();
        if (!c.text) {
            EXPECT_EQ(read.error, QString("line %1 holds a byte that is no UTF-8 text").arg(text35Line));
        }
        // Written, the same bytes are the text or its escapes.
        SheetState state = w.sheet.state();
        state.controls["Text35"_ctl.index].text = c.bytes.toStdString();
        const QByteArray written = plan::toText(state);
        EXPECT_EQ(written.contains("\\x"), !c.text);
        EXPECT_EQ(plan::fromText(written).state, state);
    }
}

TEST(Plans, EveryPlanCutShortIsRefused)
{
    Worksheet w;
    const QByteArray good = plan::toText(w.sheet.state());
    ASSERT_TRUE(plan::fromText(good).ok());
    // The last line break alone may go.
    for (qsizetype length = 0; length < good.size() - 1; length += 37)
        EXPECT_FALSE(plan::fromText(good.left(length)).ok()) << length;
}

TEST(Plans, ASavedPlanOpensAsTheSameWorksheetWithNoHistory)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Raid on Hill 402.cwplan"));
    Worksheet saved;
    ASSERT_EQ(plan::write(saved.sheet.state(), path), QString());
    NoMessages host;
    Sheet opened(host, sections::routes());
    ASSERT_EQ(plan::open(opened, path), QString());
    EXPECT_TRUE(opened.holds(saved.sheet.state()));
    EXPECT_TRUE(opened.typed("Combo34"_ctl));
    EXPECT_FALSE(opened.canUndo());
    EXPECT_EQ(opened.changed().size(), controlCount);
    EXPECT_EQ(plan::nameOf(path), QStringLiteral("Raid on Hill 402"));
}

TEST(Plans, ASaveThatCannotBeWrittenSaysWhyAndKeepsThePlanThere)
{
    QTemporaryDir folder;
    Worksheet w;
    EXPECT_EQ(plan::write(w.sheet.state(), folder.filePath(QStringLiteral("no folder/plan.cwplan"))),
              QStringLiteral("No such file or directory"));
    // A plan written over another replaces it whole.
    const QString path = folder.filePath(QStringLiteral("plan.cwplan"));
    writeFile(path, "an older plan");
    ASSERT_EQ(plan::write(w.sheet.state(), path), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), plan::toText(w.sheet.state()));
}

} // namespace
