#include "session_checker.h"

#include "plan/plan.h"
#include "sections/routes.h"
#include "sections/sections.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"
#include "worksheet/sheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace session {

std::size_t Choices::below(std::size_t bound)
{
    if (!seeded_) {
        if (left_ == 0 || bound == 0)
            return 0;
        --left_;
        return *bytes_++ % bound;
    }
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return bound == 0 ? 0 : static_cast<std::size_t>((z ^ (z >> 31)) % bound);
}

namespace {

using namespace worksheet;
using namespace worksheet::literals;

constexpr std::size_t maxTyped = 24;

// Pieces of text a user might type: counts, huge and tiny numbers, signs,
// exponents, blanks, words, and list texts that some handlers match.
// clang-format off
constexpr std::string_view pieces[] = {
    "0", "1", "2", "3", "4", "5", "7", "10", "12", "100", "0.5", "1.5", "2.5", "-1", "-0.5", "-0", "+3", ".5",
    "5.", "1e400", "1e308", "-1e308", "1.7976931348623157e308", "1.79769313486231e308", "9e307", "1e300", "1e154",
    "4.9e-324", "1e-320", "2.2250738585072014e-308", "1e-5", "1e15", "1e16", "999999999999999", "0.1", "0.3",
    "123456789012345678", "1d300", "1D-5", "1E+3", "25e-1", "12E", "1e", "e5", " ", "  ", "", "1 2", "1,5",
    "1.2.3", "- 4", "+", "-", ".", "nan", "inf", "Infinity", "0x10", "3 trucks", "None", "none", "Combat Supplies",
    "BTR-152 APC", "FV 601 Saracen APC", "Airstrike", "Raid", "Recon", "Deliberate Attack", "ASU-57 Assault Gun",
    "ZIL Medium Truck", "Infantry Squad", "\t", "\n", "\r", "\x01", "\x7f", "\xc2\xa0", "\xef\xbc\x91", "\xff\xfe"
};
// clang-format on
constexpr std::size_t typeablePieces = std::size(pieces) - 8;

struct ShownMessage {
    std::string title, text, detail;
};

struct Host final : worksheet::Host {
    std::vector<ShownMessage> messages;
    void showMessage(std::string_view title, std::string_view text, std::string_view detail) override
    {
        messages.push_back({std::string(title), std::string(text), std::string(detail)});
    }
    void printWindow() override { ++pages; }
    void quit() override {}
    int pages = 0;
};

struct State {
    std::string text;
    bool visible, enabled, checked;
    std::vector<LedgerEntry> ledger;
    std::size_t picks; // counted on the row
    friend bool operator==(const State&, const State&) = default;
};
using Snapshot = std::vector<State>;

[[noreturn]] void fail(const std::string& what)
{
    throw Broken(what);
}

std::string quoted(std::string_view s)
{
    std::string out(1, '"');
    out.append(s).push_back('"');
    return out;
}

std::string nameOf(Control c)
{
    return std::string(declOf(c).name);
}

class Session {
public:
    Session(Choices& in, const Options& options) : in_(in), options_(options), sheet_(host_, sections::routes()) {}

    void run()
    {
        const std::size_t reopenAt = in_.below(options_.steps);
        for (std::size_t step = 0; step < options_.steps && !in_.exhausted(); ++step) {
            if (step == reopenAt)
                reopen();
            oneStep();
            if (options_.expectEvery && step % options_.expectEvery == options_.expectEvery - 1)
                expectState();
        }
        script("expect-no-message");
    }

private:
    Snapshot snapshot() const
    {
        Snapshot s;
        s.reserve(controlCount);
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const Control c{i};
            const auto ledger = sheet_.ledger(c);
            s.push_back({sheet_.text(c),
                         sheet_.visible(c),
                         sheet_.enabled(c),
                         sheet_.checked(c),
                         {ledger.begin(), ledger.end()},
                         sheet_.countedPickCount(c)});
        }
        return s;
    }

    void script(const std::string& line) const
    {
        if (options_.script)
            options_.script(line);
    }

    // Saves the worksheet as a plan and opens it as a second worksheet, the
    // twin, which from now on takes every event too and must stay the same.
    void reopen()
    {
        const QByteArray text = plan::toText(sheet_.state());
        const plan::Read read = plan::fromText(text);
        if (!read.ok())
            fail("the worksheet's own plan is refused: " + read.error.toStdString());
        twin_ = std::make_unique<Sheet>(twinHost_, sections::routes());
        if (const std::string why = twin_->restore(read.state); !why.empty())
            fail("the worksheet's own plan cannot be restored: " + why);
        if (twin_->canUndo() || !twin_->holds(sheet_.state()) || plan::toText(twin_->state()) != text)
            fail("the reopened plan is not the worksheet saved");
    }

    // The twin took the same event as the worksheet: the same messages, the
    // same state.
    void compareTwin(std::span<const ShownMessage> shown, std::size_t twinFirst)
    {
        const auto& twinShown = twinHost_.messages;
        if (twinShown.size() - twinFirst != shown.size() ||
            !std::equal(
                shown.begin(), shown.end(), twinShown.begin() + static_cast<std::ptrdiff_t>(twinFirst),
                [](const ShownMessage& a, const ShownMessage& b) { return a.title == b.title && a.text == b.text; }))
            fail("the reopened plan showed other messages than the worksheet saved");
        if (twin_->state() != sheet_.state())
            fail("the reopened plan differs from the worksheet saved");
    }

    // What the window must show now: the summary tallies.
    void expectState()
    {
        for (const Figure& f : figures)
            script("expect " + nameOf(f.control) + " " + quoted(sheet_.text(f.control)));
    }

    // Each write rounds to 15 significant digits, so a sum may drift from
    // its tally by a few parts in 1E+15 of the largest figure seen, per write.
    void expectNear(double want, double got, const std::string& what)
    {
        largest_ = std::max({largest_, std::fabs(want), std::fabs(got)});
        if (std::fabs(want - got) > largest_ * 1e-11)
            fail(what + " is " + formatNumber(got) + " where " + formatNumber(want) + " was due");
    }

    double value(const Snapshot& s, Control c) const { return parseNumber(s[c.index].text); }

    void checkTallies(const Snapshot& now)
    {
        using namespace sections;
        for (Control tally : {summary::combatLoad, summary::suppliesNeeded, summary::towing}) {
            double sum = 0;
            for (const Section& s : sectionTable)
                for (const Share& share : s.shares)
                    if (share.tally == tally)
                        sum += (share.taken ? -1 : 1) * value(now, share.share);
            expectNear(sum, value(now, tally), "the tally " + nameOf(tally));
        }
        expectNear(value(now, truckShares::towedUnits) + value(now, towedShares::towingTaken),
                   value(now, grid::towedUnits), "the towed units");
    }

    // Each figure's entries, none 0 and each written by the number rule, add
    // up to the figure, to the rounding of what they hold now.
    void checkLedger(const Snapshot& now)
    {
        for (const Figure& f : figures) {
            const auto& ledger = now[f.control.index].ledger;
            for (const LedgerEntry& e : ledger)
                if (e.amount == 0 || !std::isfinite(e.amount) || parseNumber(formatNumber(e.amount)) != e.amount)
                    fail("the entry of " + nameOf(e.control) + " in " + nameOf(f.control) + " is not a written number");
            if (!addsUp(value(now, f.control), ledger))
                fail("the entries of " + nameOf(f.control) + " do not add up to it");
        }
    }

    enum class Step { Edit, Pick, Press, Tick, Undo };

    // Runs the event on the worksheet, and on the twin when there is one;
    // undo and redo run on the worksheet alone, whose history goes back past
    // the plan, and the twin is then reopened from it.
    template <class Event> void event(Step kind, Control c, Event&& run)
    {
        const Snapshot before = snapshot();
        const std::size_t first = host_.messages.size();
        const int pages = host_.pages;
        run(sheet_);
        if (host_.pages - pages != (kind == Step::Press && c == printButton))
            fail("printed " + std::to_string(host_.pages - pages) + " pages on " + nameOf(c));
        const Snapshot after = snapshot();
        const std::span<const ShownMessage> shown(host_.messages.data() + first, host_.messages.size() - first);
        int numberErrors = 0, refusals = 0;
        for (const ShownMessage& m : shown) {
            script("expect-message " + m.title + ": " + quoted(m.text));
            if (std::none_of(std::begin(messages::all), std::end(messages::all),
                             [&](const worksheet::Message& own) { return own.title == m.title && own.text == m.text; }))
                fail("a message that is not the worksheet's own: " + m.title + ": " + m.text);
            numberErrors += m.title == messages::numberError.title;
            refusals += m.title == messages::notEnoughTransport.title;
            if (m.text == messages::selectMission.text && value(before, missionFactor) != 0)
                fail("\"Select Mission Type!\" while a mission is chosen");
        }
        if (kind == Step::Undo && !shown.empty())
            fail("undo or redo showed a message");
        const auto changed = sheet_.changed();
        for (auto it = changed.begin(); it != changed.end(); ++it)
            if (std::find(std::next(it), changed.end(), *it) != changed.end())
                fail(nameOf(*it) + " reported changed twice");
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const Control ci{i};
            const State &b = before[i], &a = after[i];
            if (form[i].kind == Kind::Label && a.text != form[i].text && a.text != " " && !isWrittenNumber(a.text))
                fail(nameOf(ci) + " shows " + quoted(a.text) + ": no start caption, blank or number");
            if (b != a && std::find(changed.begin(), changed.end(), ci) == changed.end())
                fail(nameOf(ci) + " changed unreported");
            if (numberErrors > 0 && b != a)
                fail("a number error changed " + nameOf(ci));
            if (refusals > 0 && form[i].kind == Kind::Label && ci != sections::supplyShares::refusedPicks &&
                b.text != a.text)
                fail("a refused pick changed " + nameOf(ci));
            if (refusals > 0 && (b.ledger != a.ledger || b.picks != a.picks))
                fail("a refused pick changed the ledger or the picks counted of " + nameOf(ci));
        }
        if (numberErrors > 1 || (numberErrors == 1 && shown.back().title != messages::numberError.title))
            fail("the number error was not the event's last and only message");
        if (refusals > 1 || (refusals > 0 && kind != Step::Pick))
            fail("a refusal that is not the one of a pick");
        checkTallies(after);
        checkLedger(after);
        if (!twin_)
            return;
        if (kind == Step::Undo)
            return reopen();
        const std::size_t twinFirst = twinHost_.messages.size();
        run(*twin_);
        compareTwin(shown, twinFirst);
    }

    // Any control of these kinds a user can reach, Exit aside.
    Control any(std::initializer_list<Kind> kinds)
    {
        std::vector<Control> reachable;
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const Control c{i};
            if (std::find(kinds.begin(), kinds.end(), form[i].kind) != kinds.end() && sheet_.visible(c) &&
                sheet_.enabled(c) && c != exitButton && (form[i].kind != Kind::List || !sheet_.items(c).empty()))
                reachable.push_back(c);
        }
        return reachable[in_.below(reachable.size())];
    }

    std::string makeText()
    {
        std::string text;
        for (std::size_t n = 1 + in_.below(3); n > 0; --n) {
            const std::size_t roll = in_.below(8);
            if (roll < 6)
                text += pieces[in_.below(options_.typeable ? typeablePieces : std::size(pieces))];
            else if (roll == 6 || options_.typeable)
                text.push_back("0123456789.+-eEdD ,"[in_.below(19)]);
            else if (in_.below(2))
                text += std::string(in_.below(256) * 32, "9 0.e-"[in_.below(6)]);
            else
                for (std::size_t i = in_.below(12); i > 0; --i)
                    text.push_back(static_cast<char>(in_.below(256)));
        }
        return text;
    }

    void line(std::string_view verb, Control c, std::string_view text)
    {
        script(std::string(verb) + " " + nameOf(c) + " " + quoted(text));
    }

    void type(Control c, std::string text)
    {
        text.resize(std::min(text.size(), maxTyped));
        if (text.empty())
            return;
        line("type", c, text);
        std::string field = sheet_.text(c);
        for (char ch : text) {
            field.push_back(ch);
            event(Step::Edit, c, [&](Sheet& s) { s.userEdit(c, field); });
        }
    }

    void paste(Control c, const std::string& text)
    {
        if (sheet_.text(c) == text)
            return;
        if (text.empty())
            script("erase " + nameOf(c));
        else
            line("paste", c, text);
        event(Step::Edit, c, [&](Sheet& s) { s.userEdit(c, text); });
    }

    void pick(Control c)
    {
        const std::size_t item = in_.below(sheet_.items(c).size());
        line("pick", c, sheet_.items(c)[item]);
        event(Step::Pick, c, [&](Sheet& s) { s.userPick(c, item); });
    }

    // One step in twenty each: typing 3, pasting 2, erasing 1, a pick 4, a
    // row filled in 2, the mission 1, a button 3, a tick 1, undo 1, redo 1,
    // and undo then redo 1.
    void oneStep()
    {
        const std::size_t roll = in_.below(20);
        if (roll < 3)
            return type(any({Kind::TextBox, Kind::List}), makeText());
        if (roll < 6)
            return paste(any({Kind::TextBox, Kind::List}), roll < 5 ? makeText() : "");
        if (roll < 10)
            return pick(any({Kind::List}));
        if (roll < 12) { // a row as a user fills it in: the count, then the kind
            const auto& section = sections::sectionTable[in_.below(std::size(sections::sectionTable))];
            const Row& row = section.rows[in_.below(section.rows.size())];
            paste(row.count, makeText());
            if (sheet_.enabled(row.list) && !sheet_.items(row.list).empty())
                pick(row.list);
            return;
        }
        if (roll == 12)
            return pick(missionType);
        if (roll < 17) {
            const bool tick = roll == 16;
            const Control c = any({tick ? Kind::CheckBox : Kind::Button});
            script(tick ? "tick " + nameOf(c) : "press " + nameOf(c));
            return event(tick ? Step::Tick : Step::Press, c, [&](Sheet& s) { tick ? s.userTick(c) : s.userPress(c); });
        }
        if (roll < 19) {
            script(roll == 17 ? "undo" : "redo");
            return event(Step::Undo, missionType, [&](Sheet& s) { roll == 17 ? s.undo() : s.redo(); });
        }
        // Undo then redo comes back to the same state.
        const Snapshot before = snapshot();
        if (!sheet_.canUndo())
            return;
        script("undo");
        script("redo");
        if (!sheet_.undo() || !sheet_.redo())
            fail("undo or redo refused right after the other");
        const Snapshot after = snapshot();
        for (std::uint16_t i = 0; i < controlCount; ++i)
            if (before[i] != after[i])
                fail("undo and redo changed " + nameOf(Control{i}));
    }

    Choices& in_;
    const Options& options_;
    Host host_;
    Sheet sheet_;
    Host twinHost_;
    std::unique_ptr<Sheet> twin_;
    double largest_ = 0;
};

} // namespace

void run(Choices& choices, const Options& options)
{
    Session(choices, options).run();
}

} // namespace session
