// Plans on disk: every kind of bad file is refused with its reason and leaves
// the worksheet as it was; a save that fails keeps the older plan. (Exact
// round trips are checked over the seeded sessions, see session_checker.h;
// plans from Windows editors by saving.scn.)
#include "plan/plan.h"
#include "quiet_host.h"
#include "sections/routes.h"
#include "sections/tallies.h"
#include "worksheet/form_events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <functional>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

// A worksheet with a mission, a truck row and text typed into a list.
struct Worksheet {
    QuietHost host;
    Sheet sheet{host, sections::routes()};
    Worksheet()
    {
        sheet.userPick(missionType, 4); // Artillery Barrage
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
    {"a plan cut short after a whole line",
     contents([](const QByteArray& good) { return good.left(good.lastIndexOf("[end]")); }),
     "cut short (no [end] line)"},
    {"a plan cut short in a control's line",
     contents([](const QByteArray& good) { return good.left(good.indexOf("Combo33") + 12); }),
     "it is incomplete or damaged (it does not end with [end]): line 24: Combo33: the text has no closing"},
    {"a plan cut short in a state",
     contents([](const QByteArray& good) { return good.left(good.indexOf("\nText8 ") + 11); }),
     "incomplete or damaged (it does not end with [end]): line 98: Text8: unknown state \"v\""},
    {"a link that leads back to itself", [](const QString& path, const QByteArray&) { QFile::link(path, path); },
     "a link that leads back to itself"},
    {"a link to nothing", [](const QString& path, const QByteArray&) { QFile::link(path + ".gone", path); },
     "a link to a file that is not there"},
    {"a FIFO", [](const QString& path, const QByteArray&) { ::mkfifo(QFile::encodeName(path), 0600); },
     "it is not an ordinary file"},
    {"a plan one byte over 1 MiB",
     contents([](const QByteArray& good) { return withText35(good, plan::largestPlan + 1 - good.size()); }),
     "over 1 MiB"},
};

// A good plan with a piece of its text replaced: what, the piece, what
// replaces it, part of the error.
const struct {
    const char *what, *before, *after, *reason;
} edited[] = {
    {"bytes that are no UTF-8", "Text10 \"2\"", "Text10 \"\xff\"", "holds a byte that is no UTF-8 text"},
    {"a plan of a newer format", "Combat Worksheet plan 2\n", "Combat Worksheet plan 3\n",
     "newer Combat Worksheet (plan format 3; this one reads format 2)"},
    {"a plan of a format far past this one's", "Combat Worksheet plan 2\n", "Combat Worksheet plan 99999999999\n",
     "newer Combat Worksheet (plan format 99999999999;"},
    {"a format number with a leading 0", "Combat Worksheet plan 2\n", "Combat Worksheet plan 02\n",
     "it is not a Combat Worksheet plan"},
    {"a format number with a 0 in it", "Combat Worksheet plan 2\n", "Combat Worksheet plan 10\n",
     "newer Combat Worksheet (plan format 10;"},
    {"a carriage return alone", "Text10 \"2\"", "Text10 \"2\r\"", "line 23 holds a control character (byte 0x0d)"},
    {"a blank line in the breakdown", "[ledger]\n", "[ledger]\n\n", "line 207: a blank line inside [ledger]"},
    {"a figure edited away from its breakdown", "Label110 \"4\"", "Label110 \"30\"",
     "Label110 shows 30 but its breakdown adds up to 4"},
    {"a row credited with no pick counted", "Combo33 \"2\" \"ZIL Medium Truck\" \"Artillery Barrage\"\n", "",
     "Label110's breakdown credits Combo33, which has no pick counted"},
    {"a control the worksheet has not", "\nText10 ", "\nText99 ",
     "line 23: the worksheet has no control named \"Text99\""},
    {"a control named twice", "[ledger]", "Text10 \"3\" visible enabled\n[ledger]", "Text10 is named a second time"},
    {"a control left out", "Text10 \"2\" visible enabled\n", "", "the control Text10 is missing"},
    {"a tally that is no number", "Label1 \"3\"", "Label1 \"three\"", "Label1 cannot show that text"},
    {"a button with another caption", "Command1 \"Print\"", "Command1 \"Save\"", "Command1 cannot show that text"},
    {"a bookkeeping label shown", "Label24 \"Trucks\" hidden", "Label24 \"Trucks\" visible",
     "Label24 belongs to the hidden part"},
    {"a count box ticked", "Text10 \"2\" visible enabled", "Text10 \"2\" visible enabled checked",
     "Text10 is no check box"},
    {"a count box typed into", "Text10 \"2\" visible enabled", "Text10 \"2\" visible enabled typed",
     "Text10 is no list to be typed into"},
    {"a tally written with a blank", "Label1 \"3\"", "Label1 \"1 2\"", "Label1 cannot show that text"},
    {"an unknown escape", "Text10 \"2\"", "Text10 \"\\q\"", "unknown escape \\q"},
    {"a breakdown of a label that is no summary figure", "Label110 Combo33 4\n", "Label1 Combo33 4\n",
     "Label1 is no summary figure"},
    {"a share that is no number", "Label110 Combo33 4\n", "Label110 Combo33 4x\n", "FIGURE CONTROL NUMBER"},
    {"a share of 0", "Label110 Combo33 4\n", "Label110 Combo33 0\n",
     "Label110's breakdown gives Combo33 a share that is 0"},
    {"two shares of one row in one figure", "Label110 Combo33 4\n", "Label110 Combo33 4\nLabel110 Combo33 1\n",
     "Label110's breakdown names Combo33 twice"},
    {"a pick of a kind the list has not", "\"ZIL Medium Truck\" \"Artillery Barrage\"\n[end]", "\"Tiger Tank\"\n[end]",
     "Combo33 has a pick of a kind it does not have"},
    {"picks on the mission type", "\nCombo33 \"2\" \"ZIL", "\nCombo2 \"2\" \"ZIL",
     "picks are counted on a control that is no row's list"},
    {"one row's picks in two places", "[end]", "Combo34 \"1\" \"Landrover\"\nCombo33 \"1\" \"Landrover\"\n[end]",
     "Combo33's picks are out of order or given twice"},
    {"an unknown state", "Text10 \"2\" visible", "Text10 \"2\" shown", "unknown state \"shown\""},
};

TEST(Plans, ABadFileIsRefusedWithItsReasonAndChangesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Worksheet original;
    const QByteArray good = plan::toText(original.sheet.state());
    std::vector<BadFile> cases(std::begin(badFiles), std::end(badFiles));
    for (const auto& e : edited)
        cases.push_back(
            {e.what, contents([e](const QByteArray& plan) { return replaced(plan, e.before, e.after); }), e.reason});
    for (const BadFile& bad : cases) {
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

// A plan of the first format, whose picks do not say what they were counted
// under, opens as it was; written again, it is of this format.
TEST(Plans, APlanOfTheFirstFormatOpens)
{
    Worksheet w;
    QByteArray text = plan::toText(w.sheet.state());
    text = replaced(replaced(text, "plan 2\n", "plan 1\n"), " \"Artillery Barrage\"\n[end]", "\n[end]");
    const plan::Read read = plan::fromText(text);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.state.counted.size(), 1u);
    EXPECT_EQ(read.state.counted[0].picks[0], (CountedPick{"2", "ZIL Medium Truck"}));
    EXPECT_TRUE(plan::toText(read.state).startsWith("Combat Worksheet plan 2\n"));

    // Older still, without a breakdown: the figures are the opened plan's,
    // and the next pick's entry is its own.
    const QByteArray oldest = text.left(text.indexOf("[ledger]")) + "[end]\n";
    QuietHost host;
    Sheet opened(host, sections::routes());
    ASSERT_EQ(opened.restore(plan::fromText(oldest).state), "");
    ASSERT_EQ(opened.ledger(summary::squads).size(), 1u);
    EXPECT_EQ(opened.ledger(summary::squads)[0], (LedgerEntry{formWindow, 4}));
    opened.userEdit("Text13"_ctl, "1");
    opened.userPick("Combo34"_ctl, 1);
    EXPECT_EQ(opened.ledger(summary::squads)[1], (LedgerEntry{"Combo34"_ctl, 2}));
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

// A file's bytes; what is no ordinary file (a FIFO) is named as such.
QByteArray bytesOf(const QString& path)
{
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return "(no ordinary file)";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// A save that cannot write the whole plan says why and leaves the file
// there byte for byte.
TEST(Plans, ASaveThatCannotBeWrittenWholeSaysWhyAndKeepsTheOlderPlan)
{
    const auto older = [](const QString& path) { writeFile(path, "an older plan"); };
    const struct {
        const char* file;
        std::function<void(const QString& path)> ready;
        std::function<void(SheetState&)> change;
        const char* reason; // the start of the error
    } cases[] = {
        {"no folder/plan.cwplan", [](const QString&) {}, {}, "No such file or directory"},
        {"fifo.cwplan",
         [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); },
         {},
         "it is not an ordinary file"},
        {"loop.cwplan",
         [](const QString& path) { QFile::link(path, path); },
         {},
         "it is a link that leads back to itself"},
        {"large.cwplan", older, [](SheetState& s) { s.controls["Text35"_ctl.index].text.assign(1'200'000, 'x'); },
         "the plan would be larger than a plan may be (over 1 MiB)"},
        {"unsound.cwplan", older, [](SheetState& s) { s.controls["Label110"_ctl.index].text = "30"; },
         "the plan would not open again as it is (Label110 shows 30 but its breakdown adds up to 4)"},
    };
    Worksheet w;
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = folder.filePath(QString::fromUtf8(c.file));
        c.ready(path);
        const QByteArray before = bytesOf(path);
        SheetState state = w.sheet.state();
        if (c.change)
            c.change(state);
        const QString why = plan::write(state, path);
        EXPECT_TRUE(why.startsWith(QString::fromUtf8(c.reason))) << why.toStdString();
        EXPECT_EQ(bytesOf(path), before);
    }
}

// What a save replaces keeps what it was beyond its text.
TEST(Plans, ASaveKeepsTheFileItReplaces)
{
    QTemporaryDir folder;
    Worksheet w;
    const QByteArray text = plan::toText(w.sheet.state());
    const QString path = folder.filePath(QStringLiteral("plan.cwplan"));
    const QByteArray native = QFile::encodeName(path);
    writeFile(path, "an older plan");
    ASSERT_EQ(::chmod(native, 0640), 0);
    const bool attributes = ::setxattr(native, "user.mission", "raid", 4, 0) == 0;
    ASSERT_EQ(plan::write(w.sheet.state(), path), QString());
    struct stat after {};
    ASSERT_EQ(::stat(native, &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(native, "user.mission", value, sizeof value), 4);
        EXPECT_STREQ(value, "raid");
    }
    EXPECT_EQ(bytesOf(path), text);

    // Through a link, the file it leads to is written and the link stays.
    const QString link = folder.filePath(QStringLiteral("link.cwplan"));
    ASSERT_TRUE(QFile::link(path, link));
    writeFile(path, "an older plan");
    ASSERT_EQ(plan::write(w.sheet.state(), link), QString());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytesOf(path), text);

    // Root may write a plan it has made read-only; it stays read-only.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(native, 0444), 0);
        ASSERT_EQ(plan::write(w.sheet.state(), path), QString());
        ASSERT_EQ(::stat(native, &after), 0);
        EXPECT_EQ(after.st_mode & 07777, 0444u);
    } else {
        // A folder that takes no new file: the plan is written in place.
        ASSERT_EQ(::chmod(QFile::encodeName(folder.path()), 0555), 0);
        writeFile(path, "an older plan");
        EXPECT_EQ(plan::write(w.sheet.state(), path), QString());
        EXPECT_EQ(bytesOf(path), text);
        ::chmod(QFile::encodeName(folder.path()), 0755);
    }
}

} // namespace
