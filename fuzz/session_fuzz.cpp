// Whole worksheet sessions over the headless core. The fuzzer's bytes decode
// into a bounded run of user steps (typing, pasting, erasing, picking,
// pressing, ticking, undo and redo) on whatever a user can reach at that
// moment; after every event the worksheet must still hold together:
//
// - every label holds its start caption, a blank, or a number written by the
//   number rule (so no "inf", "nan", "-0" or a separator ever shows, and
//   every tally is finite);
// - a message is one of the worksheet's own, and "Select Mission Type!" only
//   comes while no mission is chosen;
// - a refused pick leaves every tally as it was (the refusal counter Label49
//   keeps its own rule);
// - a number too large undoes the whole event: every control as before;
// - each summary tally of supplies, combat load and towing places is the sum
//   of the sections' shares of it, up to the rounding of 15-digit writing;
// - every control that the event changed is reported, so the window shows it;
// - undo followed by redo gives back the state before the undo.
//
// Set SESSION_FUZZ_SCRIPT=1 and run the binary on one input to print that
// input's steps as a scenario file.
#include "sections/routes.h"
#include "worksheet/number.h"
#include "worksheet/rows.h"
#include "worksheet/sheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

// The steps of one input, and the text typed or pasted in one step.
constexpr std::size_t maxSteps = 48;
constexpr std::size_t maxTyped = 24;
constexpr std::size_t maxLongText = 8192;

constexpr Control refusalCounter = "Label49"_ctl;

// Every row of every section, the combat supplies row included.
constexpr auto allRows = [] {
    std::array<Row, std::size(truckRows) + std::size(apcRows) + std::size(armourRows) + std::size(otherVehicleRows) +
                        std::size(infantryRows) + std::size(weaponRows) + std::size(towedRows) + 1>
        rows{};
    std::size_t n = 0;
    for (const auto& section :
         {std::span<const Row>(truckRows), std::span<const Row>(apcRows), std::span<const Row>(armourRows),
          std::span<const Row>(otherVehicleRows), std::span<const Row>(weaponRows), std::span<const Row>(towedRows)})
        for (const Row& r : section)
            rows[n++] = r;
    for (const Row& r : infantryRows)
        rows[n++] = r;
    rows[n++] = supplyRow;
    return rows;
}();

struct Message {
    std::string title;
    std::string text;
};

// The only messages the worksheet may show, word for word.
constexpr std::string_view missionErrorTitle = "Mission Error";
constexpr std::string_view transportErrorTitle = "Transport Error";
constexpr std::string_view numberErrorTitle = "Number Error";
constexpr std::string_view selectMission = " Select Mission Type!";
constexpr std::string_view mustSelectMission = "You Must Select a Mission Type";
constexpr std::string_view notEnoughTransport = "*-*Not Enough Transport to carry Cargo: Hit Reset to redo!";
constexpr std::string_view needMoreTowing = "You Need More Vehicles For Towing";
constexpr std::string_view tooLarge = "A number on the worksheet is too large to work with.";

bool isOwnMessage(const Message& m)
{
    if (m.title == missionErrorTitle)
        return m.text == selectMission || m.text == mustSelectMission;
    if (m.title == transportErrorTitle)
        return m.text == notEnoughTransport || m.text == needMoreTowing;
    if (m.title == numberErrorTitle)
        return m.text == tooLarge;
    return false;
}

struct FuzzHost final : Host {
    std::vector<Message> messages;
    bool quitAsked = false;
    int pages = 0;
    void showMessage(std::string_view title, std::string_view text) override
    {
        messages.push_back({std::string(title), std::string(text)});
    }
    void printWindow() override { ++pages; }
    void quit() override { quitAsked = true; }
};

bool printScript = false;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "INVARIANT BROKEN: %s\n", what.c_str());
    std::abort();
}

std::string shown(std::string_view s)
{
    std::string out = "\"";
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out.push_back(ch);
        }
    }
    return out + "\"";
}

// A caption a label may hold: what it was created with, the blank a Clear
// writes, or a finite number exactly as the number rule writes it.
bool isWrittenNumber(const std::string& t)
{
    if (t.empty() || t == "-0")
        return false;
    for (std::string_view bad : {"inf", "nan", "INF", "NAN", ",", " "})
        if (t.find(bad) != std::string::npos)
            return false;
    const double v = parseNumber(t);
    return std::isfinite(v) && formatNumber(v) == t;
}

struct ControlSnapshot {
    std::string text;
    bool visible, enabled, checked;
    friend bool operator==(const ControlSnapshot&, const ControlSnapshot&) = default;
};
using Snapshot = std::vector<ControlSnapshot>;

Snapshot snapshot(const Sheet& sheet)
{
    Snapshot s;
    s.reserve(controlCount);
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        const Control c{i};
        s.push_back({sheet.text(c), sheet.visible(c), sheet.enabled(c), sheet.checked(c)});
    }
    return s;
}

std::string_view nameOf(std::uint16_t i)
{
    return form[i].name;
}

std::string describe(const ControlSnapshot& s)
{
    return shown(s.text) + (s.visible ? " visible" : " hidden") + (s.enabled ? " enabled" : " disabled") +
           (s.checked ? " checked" : " unchecked");
}

void checkLabels(const Sheet& sheet)
{
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        if (form[i].kind != Kind::Label)
            continue;
        const std::string& t = sheet.text(Control{i});
        if (t == form[i].text || t == " " || isWrittenNumber(t))
            continue;
        fail(std::string(nameOf(i)) + " shows " + shown(t) +
             ", which is neither its start caption, a blank, nor a number");
    }
}

void checkReported(const Sheet& sheet, const Snapshot& before, const Snapshot& after)
{
    const auto changed = sheet.changed();
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        if (before[i] == after[i])
            continue;
        if (std::find(changed.begin(), changed.end(), Control{i}) == changed.end())
            fail(std::string(nameOf(i)) + " changed from " + describe(before[i]) + " to " + describe(after[i]) +
                 " but the event did not report it");
    }
}

// A summary tally and the hidden shares that the sections keep of it, so
// that each Clear can take its own back out. Shares taken away count
// negative.
struct Bookkeeping {
    const char* what;
    Control tally;
    std::vector<Control> shares;
    std::vector<Control> takenAway;
};

const Bookkeeping bookkeeping[] = {
    {"combat load",
     "Label121"_ctl,
     {"Label18"_ctl, "Label34"_ctl, "Label80"_ctl, "Label130"_ctl, "Label43"_ctl, "Label65"_ctl, "Label171"_ctl},
     {}},
    {"supplies needed",
     "Label75"_ctl,
     {"Label21"_ctl, "Label50"_ctl, "Label77"_ctl, "Label55"_ctl, "Label42"_ctl, "Label9"_ctl, "Label170"_ctl},
     {}},
    {"towing places", "Label40"_ctl, {"Label25"_ctl, "Label46"_ctl, "Label60"_ctl, "Label44"_ctl}, {"Label13"_ctl}},
    {"towed units", "Label33"_ctl, {"Label22"_ctl, "Label13"_ctl}, {}},
};

// Each write rounds to 15 significant digits, so the sum can drift from its
// tally by a few parts in 1E+15 of the largest figure that went through them
// in this session, per write.
void checkBookkeeping(const Sheet& sheet, double& largest)
{
    for (const Bookkeeping& b : bookkeeping) {
        // Shares near the largest double may add up beyond it on the way.
        long double sum = 0;
        const auto note = [&](Control c, int sign) {
            const double v = parseNumber(sheet.text(c));
            largest = std::max(largest, std::fabs(v));
            sum += sign * static_cast<long double>(v);
        };
        for (Control c : b.shares)
            note(c, 1);
        for (Control c : b.takenAway)
            note(c, -1);
        const double tally = parseNumber(sheet.text(b.tally));
        largest = std::max(largest, std::fabs(tally));
        if (std::fabs(tally - sum) > static_cast<long double>(largest) * 1e-11L) {
            char total[64];
            std::snprintf(total, sizeof total, "%.17Lg", sum);
            fail(std::string("the ") + b.what + " tally " + std::string(declOf(b.tally).name) + " is " +
                 sheet.text(b.tally) + " but its shares add up to " + total);
        }
    }
}

enum class StepKind { Edit, Pick, Press, Tick, Undo, Redo };

// Checks one user event: before is the state it started from, messages the
// ones it showed.
void checkEvent(const Sheet& sheet, StepKind kind, const Snapshot& before, std::span<const Message> messages)
{
    const Snapshot after = snapshot(sheet);
    checkLabels(sheet);
    checkReported(sheet, before, after);

    int numberErrors = 0;
    int refusals = 0;
    for (const Message& m : messages) {
        if (!isOwnMessage(m))
            fail("a message that is not the worksheet's own: " + shown(m.title) + ": " + shown(m.text));
        if (m.title == numberErrorTitle)
            ++numberErrors;
        if (m.title == transportErrorTitle)
            ++refusals;
        if (m.text == selectMission && parseNumber(before["Label1"_ctl.index].text) != 0)
            fail("\"Select Mission Type!\" while a mission is chosen");
    }
    if ((kind == StepKind::Undo || kind == StepKind::Redo) && !messages.empty())
        fail("undo or redo showed a message");

    if (numberErrors > 0) {
        if (numberErrors > 1 || messages.back().title != numberErrorTitle)
            fail("the number error was not the event's last and only one");
        for (std::uint16_t i = 0; i < controlCount; ++i)
            if (before[i] != after[i])
                fail("a number error left " + std::string(nameOf(i)) + " at " + describe(after[i]) + " instead of " +
                     describe(before[i]));
        return;
    }
    if (refusals > 0) {
        if (kind != StepKind::Pick)
            fail("a refusal from an event that is no pick");
        if (refusals > 1)
            fail("one pick refused twice");
        for (std::uint16_t i = 0; i < controlCount; ++i)
            if (form[i].kind == Kind::Label && i != refusalCounter.index && before[i].text != after[i].text)
                fail("a refused pick changed " + std::string(nameOf(i)) + " from " + shown(before[i].text) + " to " +
                     shown(after[i].text));
    }
}

// The fuzzer's bytes, read from the front; past the end every byte is 0.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : p_(data), n_(size) {}
    bool empty() const { return n_ == 0; }
    std::uint8_t take()
    {
        if (n_ == 0)
            return 0;
        --n_;
        return *p_++;
    }
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : take() % bound; }
    std::string raw(std::size_t len)
    {
        len = std::min(len, n_);
        std::string s(reinterpret_cast<const char*>(p_), len);
        p_ += len;
        n_ -= len;
        return s;
    }

private:
    const std::uint8_t* p_;
    std::size_t n_;
};

// Pieces of text a user might type: counts, huge and tiny numbers, signs,
// exponents, blanks, words, and the typed texts that some handlers match.
constexpr std::string_view pieces[] = {
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "7",
    "10",
    "12",
    "100",
    "0.5",
    "1.5",
    "2.5",
    "-1",
    "-0.5",
    "-0",
    "+3",
    ".5",
    "5.",
    "1e400",
    "1e308",
    "-1e308",
    "1.7976931348623157e308",
    "1.79769313486231e308",
    "9e307",
    "2e307",
    "1e300",
    "1e200",
    "1e154",
    "4.9e-324",
    "1e-320",
    "2.2250738585072014e-308",
    "1e-5",
    "0.0001",
    "1e15",
    "1e16",
    "999999999999999",
    "999999999999999.9",
    "0.1",
    "0.2",
    "0.3",
    "1e-15",
    "123456789012345678",
    "1d300",
    "1D-5",
    "1E+3",
    "25e-1",
    "12E",
    "1e",
    "e5",
    " ",
    "  ",
    "\t",
    "\n",
    "\r",
    "\x01",
    "\x7f",
    "",
    "1 2",
    "1,5",
    "1.2.3",
    "- 4",
    "+",
    "-",
    ".",
    "nan",
    "inf",
    "-inf",
    "NaN",
    "Infinity",
    "0x10",
    "1/3",
    "3 trucks",
    "towed units",
    "\xc2\xa0",
    "\xef\xbc\x91",
    "\xd9\xa3",
    "\xff\xfe",
    "None",
    "none",
    "Combat Supplies",
    "OT-810 APC",
    "EE-11 Urutu APC",
    "AMX-VCI APC",
    "Saracen APC",
    "BTR-152 APC",
    "AMX-VCG Engineer Vehicle",
    "Airstrike",
    "Raid",
    "Recon",
    "Deliberate Attack",
    "ASU-57 Assault Gun",
    "ZIL Medium Truck",
    "Infantry Squad",
};

std::string longPiece(Bytes& in)
{
    static constexpr std::string_view patterns[] = {"9", "0", " ", "1 ", "12345678901234567890", "x", ".", "-", "e9"};
    const std::string_view pattern = patterns[in.below(std::size(patterns))];
    const std::size_t length = std::min<std::size_t>(maxLongText, std::size_t{in.take()} * 32 + in.take());
    std::string s;
    while (s.size() < length)
        s += pattern;
    return s;
}

std::string makeText(Bytes& in, bool allowLong)
{
    std::string text;
    const std::size_t count = 1 + in.below(3);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b = in.take();
        if (b < 176)
            text += pieces[b % std::size(pieces)];
        else if (b < 232)
            text += in.raw(in.below(12));
        else if (b < 248 || !allowLong)
            text.push_back("0123456789.+-eEdD ,\t"[b % 20]);
        else
            text += longPiece(in);
    }
    return text;
}

class Session {
public:
    Session() : sheet_(host_, sections::routes()) {}

    void run(Bytes& in)
    {
        for (std::size_t step = 0; step < maxSteps && !in.empty() && !host_.quitAsked; ++step)
            runStep(in);
    }

private:
    // The controls of a kind that a user can reach now: shown and enabled.
    std::vector<Control> reachable(std::initializer_list<Kind> kinds, bool withItems = false) const
    {
        std::vector<Control> out;
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const Control c{i};
            if (std::find(kinds.begin(), kinds.end(), form[i].kind) == kinds.end())
                continue;
            if (!sheet_.visible(c) || !sheet_.enabled(c) || (withItems && sheet_.items(c).empty()))
                continue;
            out.push_back(c);
        }
        return out;
    }

    template <class Event> void event(StepKind kind, Event&& run)
    {
        const Snapshot before = snapshot(sheet_);
        const std::size_t firstMessage = host_.messages.size();
        run();
        const std::span<const Message> shownNow(host_.messages.data() + firstMessage,
                                                host_.messages.size() - firstMessage);
        if (printScript)
            for (const Message& m : shownNow)
                script("expect-message " + m.title + ": \"" + m.text + "\"");
        checkEvent(sheet_, kind, before, shownNow);
        checkBookkeeping(sheet_, largest_);
    }

    void script(const std::string& line) const
    {
        if (printScript)
            std::fprintf(stderr, "%s\n", line.c_str());
    }

    void scriptStep(std::string_view verb, Control c, std::string_view text = {}, bool withText = false) const
    {
        if (!printScript)
            return;
        std::string line = std::string(verb) + " " + std::string(declOf(c).name);
        if (withText) {
            if (text.find_first_of("\n\r") != std::string_view::npos)
                line = "# not expressible in a scenario: " + line;
            line += " \"" + std::string(text) + "\"";
        }
        script(line);
    }

    void type(Control c, const std::string& text)
    {
        scriptStep("type", c, text, true);
        std::string field = sheet_.text(c);
        for (char ch : text) {
            field.push_back(ch);
            event(StepKind::Edit, [&] { sheet_.userEdit(c, field); });
        }
    }

    void paste(Control c, const std::string& text)
    {
        scriptStep(text.empty() ? "erase" : "paste", c, text, !text.empty());
        event(StepKind::Edit, [&] { sheet_.userEdit(c, text); });
    }

    void pick(Control c, std::size_t item)
    {
        scriptStep("pick", c, sheet_.items(c)[item], true);
        event(StepKind::Pick, [&] { sheet_.userPick(c, item); });
    }

    void runStep(Bytes& in)
    {
        switch (in.below(20)) {
        case 0:
        case 1:
        case 2: { // type at the end of a box or a list's field
            const auto targets = reachable({Kind::TextBox, Kind::List});
            const Control c = targets[in.below(targets.size())];
            std::string text = makeText(in, false);
            text.resize(std::min(text.size(), maxTyped));
            type(c, text);
            break;
        }
        case 3:
        case 4: { // paste over the whole text
            const auto targets = reachable({Kind::TextBox, Kind::List});
            paste(targets[in.below(targets.size())], makeText(in, true));
            break;
        }
        case 5: { // erase
            const auto targets = reachable({Kind::TextBox, Kind::List});
            paste(targets[in.below(targets.size())], "");
            break;
        }
        case 6:
        case 7:
        case 8:
        case 9: { // choose an item from a list
            const auto targets = reachable({Kind::List}, true);
            if (targets.empty())
                break;
            const Control c = targets[in.below(targets.size())];
            pick(c, in.below(sheet_.items(c).size()));
            break;
        }
        case 10:
        case 11: { // a row as a user fills it in: the count, then the kind
            const Row row = allRows[in.below(std::size(allRows))];
            paste(row.count, makeText(in, false));
            if (sheet_.enabled(row.list))
                pick(row.list, in.below(sheet_.items(row.list).size()));
            break;
        }
        case 12: { // a mission type
            pick("Combo2"_ctl, in.below(sheet_.items("Combo2"_ctl).size()));
            break;
        }
        case 13:
        case 14:
        case 15: { // press a button
            const auto targets = reachable({Kind::Button});
            const Control c = targets[in.below(targets.size())];
            scriptStep("press", c);
            event(StepKind::Press, [&] { sheet_.userPress(c); });
            break;
        }
        case 16: { // tick a check box
            const auto targets = reachable({Kind::CheckBox});
            if (targets.empty())
                break;
            const Control c = targets[in.below(targets.size())];
            scriptStep("tick", c);
            event(StepKind::Tick, [&] { sheet_.userTick(c); });
            break;
        }
        case 17:
            script("undo");
            event(StepKind::Undo, [&] { sheet_.undo(); });
            break;
        case 18:
            script("redo");
            event(StepKind::Redo, [&] { sheet_.redo(); });
            break;
        case 19: { // undo then redo comes back to the same state
            const Snapshot before = snapshot(sheet_);
            script("undo");
            if (!sheet_.undo())
                break;
            script("redo");
            if (!sheet_.redo())
                fail("nothing to redo right after an undo");
            const Snapshot after = snapshot(sheet_);
            for (std::uint16_t i = 0; i < controlCount; ++i)
                if (before[i] != after[i])
                    fail("undo and redo left " + std::string(nameOf(i)) + " at " + describe(after[i]) + " instead of " +
                         describe(before[i]));
            checkLabels(sheet_);
            break;
        }
        }
    }

    FuzzHost host_;
    Sheet sheet_;
    double largest_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* flag = std::getenv("SESSION_FUZZ_SCRIPT");
    printScript = flag && *flag && std::strcmp(flag, "0") != 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    Session session;
    session.run(in);
    return 0;
}
