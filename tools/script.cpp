#include "script.h"

#include "plan/plan.h"
#include "report/report.h"
#include "worksheet/number.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

using worksheet::Control;
using worksheet::Kind;

namespace {

struct ScriptError {
    std::string what;
};

// A scenario's texts: the rest of the line after one blank, with one pair of
// outer double quotes taken off, so that "" is empty and " " one blank.
std::string unquote(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

// Splits off the word before the first blank; rest is what follows that blank.
std::string_view takeWord(std::string_view& rest)
{
    const auto blank = rest.find(' ');
    std::string_view word = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
    return word;
}

std::string quote(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    out += s;
    out += '"';
    return out;
}

std::string describe(const std::optional<ShownMessage>& m)
{
    return m ? quote(m->title) + ": " + quote(m->text) : "no message";
}

class Run {
public:
    Run(std::string path, Backend& backend, std::ostream& out) : path_(std::move(path)), backend_(backend), out_(out) {}

    bool run()
    {
        std::ifstream in(path_);
        if (!in) {
            out_ << path_ << ":0: cannot read the file\n";
            return false;
        }
        backend_.restart();
        std::string line;
        while (std::getline(in, line)) {
            ++lineNo_;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line.front() == '#')
                continue;
            try {
                step(line);
            } catch (const ScriptError& e) {
                fail("script error: " + e.what);
                return false;
            }
        }
        noMessageWaiting("at the end of the file");
        return passed_;
    }

private:
    void fail(const std::string& what)
    {
        out_ << path_ << ':' << lineNo_ << ": " << what << '\n';
        passed_ = false;
    }

    Control control(std::string_view name) const
    {
        const auto c = worksheet::findControl(name);
        if (!c)
            throw ScriptError{"no control named " + quote(name)};
        return *c;
    }

    void requireOpen() const
    {
        if (backend_.closed)
            throw ScriptError{"the worksheet was closed by Exit"};
    }

    // A user can only act on a control that is shown and enabled.
    void requireUsable(Control c, std::initializer_list<Kind> kinds) const
    {
        requireOpen();
        const auto& decl = worksheet::declOf(c);
        if (std::find(kinds.begin(), kinds.end(), decl.kind) == kinds.end())
            throw ScriptError{std::string(decl.name) + " cannot take that step"};
        if (!backend_.visible(c))
            throw ScriptError{std::string(decl.name) + " is hidden"};
        if (!backend_.enabled(c))
            throw ScriptError{std::string(decl.name) + " is disabled"};
    }

    void noMessageWaiting(const std::string& when)
    {
        while (!backend_.messages.empty()) {
            const auto& m = backend_.messages.front();
            fail("a message was left unchecked " + when + ": " + describe(m));
            backend_.messages.pop_front();
        }
    }

public:
    // One line of a scenario: its verb, and the rest after one blank.
    struct Step {
        std::string_view line;
        std::string_view verb;
        std::string_view rest;
        bool hasText() const { return line.size() > verb.size(); }
        void nothingMore() const
        {
            if (hasText())
                throw ScriptError{std::string(verb) + " takes nothing more"};
        }
    };

    void step(std::string_view line);

    // The verbs, one a function.
    void typeStep(Step& s)
    {
        const Control c = usableField(s);
        backend_.type(c, unquote(s.rest));
    }

    void pasteStep(Step& s)
    {
        const Control c = usableField(s);
        if (const std::string text = unquote(s.rest); backend_.caption(c) != text)
            backend_.paste(c, text);
    }

    void eraseStep(Step& s)
    {
        const Control c = usableField(s);
        if (!backend_.caption(c).empty())
            backend_.erase(c);
    }

    void pickStep(Step& s)
    {
        const Control c = control(takeWord(s.rest));
        requireUsable(c, {Kind::List});
        const std::string item = unquote(s.rest);
        const auto items = backend_.items(c);
        const auto found = std::find(items.begin(), items.end(), item);
        if (found == items.end())
            throw ScriptError{quote(item) + " is not an item of " + std::string(worksheet::declOf(c).name)};
        backend_.pick(c, static_cast<std::size_t>(found - items.begin()));
    }

    void pressStep(Step& s)
    {
        const Control c = control(takeWord(s.rest));
        requireUsable(c, {Kind::Button});
        backend_.press(c);
    }

    void tickStep(Step& s)
    {
        const Control c = control(takeWord(s.rest));
        requireUsable(c, {Kind::CheckBox});
        backend_.tick(c);
    }

    void undoStep(Step& s)
    {
        s.nothingMore();
        requireOpen();
        backend_.undo();
    }

    void redoStep(Step& s)
    {
        s.nothingMore();
        requireOpen();
        backend_.redo();
    }

    void expectStep(Step& s)
    {
        const std::string_view name = takeWord(s.rest);
        const Control c = control(name);
        if (s.line.size() <= s.verb.size() + 1 + name.size())
            throw ScriptError{"expect needs a text (\"\" for the empty text)"};
        expectCaption(name, c, unquote(s.rest));
    }

    // NAME=TEXT ..., a TEXT with blanks (or none) in double quotes.
    void expectAllStep(Step& s)
    {
        std::string_view& rest = s.rest;
        while (!(rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(' ')))).empty()) {
            const std::size_t eq = rest.find('=');
            if (eq == std::string_view::npos)
                throw ScriptError{"expect-all needs NAME=TEXT pairs"};
            const std::string_view name = rest.substr(0, eq);
            const Control c = control(name);
            rest.remove_prefix(eq + 1);
            const bool inQuotes = !rest.empty() && rest.front() == '"';
            const std::size_t end = inQuotes ? rest.find('"', 1) : rest.find(' ');
            if (inQuotes && end == std::string_view::npos)
                throw ScriptError{"expect-all: a text without its closing quote"};
            const std::string want(inQuotes ? rest.substr(1, end - 1) : rest.substr(0, end));
            rest.remove_prefix(std::min(rest.size(), inQuotes ? end + 1 : end));
            expectCaption(name, c, want);
        }
    }

    // CONTROL WORD..., for as many controls as wanted.
    void expectStateStep(Step& s)
    {
        std::string_view name;
        bool waiting = false; // a control named, none of its words read yet
        while (!s.rest.empty()) {
            const std::string_view word = takeWord(s.rest);
            const bool enabled = word == "enabled" || word == "disabled";
            const bool visible = word == "visible" || word == "hidden";
            if (!enabled && !visible && word != "checked" && word != "unchecked") {
                if (waiting)
                    throw ScriptError{"unknown state " + quote(word)};
                name = word;
                waiting = true;
                continue;
            }
            if (name.empty())
                throw ScriptError{"expect-state needs a control before " + quote(word)};
            waiting = false;
            const Control c = control(name);
            const bool got = enabled   ? backend_.enabled(c) == (word == "enabled")
                             : visible ? backend_.visible(c) == (word == "visible")
                                       : backend_.checked(c) == (word == "checked");
            if (!got)
                fail(std::string(name) + ": expected " + std::string(word) + ", found " + stateOf(c, word));
        }
        if (waiting || name.empty())
            throw ScriptError{"expect-state needs CONTROL WORD..."};
    }

    void expectItemsStep(Step& s)
    {
        const std::string_view name = takeWord(s.rest);
        const Control c = control(name);
        std::vector<std::string> want;
        for (std::string_view r = s.rest;;) {
            const auto bar = r.find('|');
            want.emplace_back(r.substr(0, bar));
            if (bar == std::string_view::npos)
                break;
            r = r.substr(bar + 1);
        }
        const auto got = backend_.items(c);
        if (got != want) {
            std::string list;
            for (const auto& item : got) {
                if (!list.empty())
                    list += '|';
                list += item;
            }
            fail(std::string(name) + ": expected items " + std::string(s.rest) + ", found " + list);
        }
    }

    // FIGURE CONTROL=NUMBER ...: the figure's entries, in any order, each
    // written by the number rule; none for an empty breakdown.
    void expectBreakdownStep(Step& s)
    {
        const std::string_view name = takeWord(s.rest);
        const Control figure = control(name);
        if (!worksheet::figureOf(figure))
            throw ScriptError{std::string(name) + " is no summary figure"};
        std::vector<std::string> want;
        while (!s.rest.empty()) {
            const std::string_view entry = takeWord(s.rest);
            const auto eq = entry.find('=');
            if (eq == std::string_view::npos || eq + 1 == entry.size())
                throw ScriptError{"expect-breakdown needs CONTROL=NUMBER entries"};
            want.push_back(std::string(worksheet::declOf(control(entry.substr(0, eq))).name) + "=" +
                           std::string(entry.substr(eq + 1)));
        }
        std::vector<std::string> got;
        for (const worksheet::LedgerEntry& e : backend_.sheet().ledger(figure))
            got.push_back(std::string(worksheet::declOf(e.control).name) + "=" + worksheet::formatNumber(e.amount));
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        if (got != want) {
            std::string found;
            for (const std::string& e : got)
                found += " " + e;
            fail(std::string(name) + ": expected the breakdown " + std::string(s.line.substr(s.verb.size() + 1)) +
                 ", found" + (found.empty() ? " none" : found));
        }
    }

    // LIST TEXT: what the row's mark says; "" for none.
    void expectMarkStep(Step& s)
    {
        const std::string_view name = takeWord(s.rest);
        const Control list = control(name);
        if (!backend_.sheet().rowOf(list))
            throw ScriptError{std::string(name) + " is no row's list"};
        const std::string want = unquote(s.rest), got = backend_.rowMark(list);
        if (got != want)
            fail(std::string(name) + ": expected the mark " + quote(want) + ", found " + quote(got));
    }

    // The detail line beneath the message an expect-message took last.
    void expectDetailStep(Step& s)
    {
        if (!lastMessage_)
            throw ScriptError{"expect-detail follows an expect-message"};
        const std::string want = unquote(s.rest);
        if (lastMessage_->detail != want)
            fail("expected the detail " + quote(want) + ", found " + quote(lastMessage_->detail));
    }

    void expectMessageStep(Step& s) { expectMessages(s, 1); }

    // expect-messages N TITLE: TEXT is the same message N times over.
    void expectMessagesStep(Step& s)
    {
        int times = 1;
        const std::string_view count = takeWord(s.rest);
        if (std::from_chars(count.data(), count.data() + count.size(), times).ec != std::errc{} || times < 1)
            throw ScriptError{"expect-messages needs a count first"};
        expectMessages(s, times);
    }

    void expectNoMessageStep(Step& s)
    {
        s.nothingMore();
        noMessageWaiting("");
    }

    void restartStep(Step& s)
    {
        s.nothingMore();
        noMessageWaiting("before restart");
        backend_.restart();
    }

    void dumpStep(Step&) { dump(); }

    void saveStep(Step& s)
    {
        requireOpen();
        backend_.save(planPath(s));
    }

    void openStep(Step& s)
    {
        requireOpen();
        backend_.open(planPath(s));
    }

    // compare PATH: compares the worksheet as it is now with the plan at
    // PATH, as the comparison window and --compare do; expect-compare checks
    // what it says. A file that is no plan fails the step with its message.
    void compareStep(Step& s)
    {
        const std::string path = planPath(s);
        report::QuietSheet other;
        if (const QString why = other.open(QString::fromStdString(path)); !why.isEmpty())
            fail(plan::openFailed(QString::fromStdString(path), why).text.toStdString());
        comparison_ = report::comparisonText(report::compare(backend_.sheet(), other.sheet()), QStringLiteral("the worksheet"),
                                             plan::nameOf(QString::fromStdString(path)));
    }

    // expect-compare TEXT: the last comparison says TEXT on a line of its own
    // (its indent aside); expect-compare no TEXT: it does not.
    // expect-summary [no] TEXT: the same of the worksheet's summary, as
    // --summary prints it.
    void expectCompareStep(Step& s) { expectLine(s, comparison_); }
    void expectSummaryStep(Step& s) { expectLine(s, report::summaryText(backend_.sheet())); }

    void expectLine(Step& s, const std::string& text)
    {
        std::string_view rest = s.rest;
        const bool absent = rest.substr(0, 3) == "no ";
        if (absent)
            rest.remove_prefix(3);
        const std::string want = unquote(rest);
        bool found = false;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            found = found || line.substr(std::min(line.find_first_not_of(' '), line.size())) == want;
        if (found == absent)
            fail(std::string(s.verb) + (absent ? ": did not expect the line " : ": expected the line ") + quote(want) +
                 " in:\n" + text);
    }

    // expect-saved yes|no: whether the worksheet is the plan last saved or
    // opened (or the start-up one), as the window's title star tells.
    void expectSavedStep(Step& s)
    {
        const std::string want = unquote(s.rest);
        if (want != "yes" && want != "no")
            throw ScriptError{"expect-saved needs yes or no"};
        if ((want == "yes") != backend_.saved())
            fail(want == "yes" ? "the worksheet has unsaved changes" : "the worksheet shows no unsaved changes");
    }

    // edit-plan PATH crlf | bom | OLD => NEW: changes a saved plan as another
    // program would: Windows line endings, a byte-order mark, or the first
    // OLD in it replaced by NEW.
    void editPlanStep(Step& s)
    {
        const std::string_view name = takeWord(s.rest);
        Step named{name, s.verb, name};
        const QString path = QString::fromStdString(planPath(named));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw ScriptError{"edit-plan cannot read " + path.toStdString()};
        QByteArray text = file.readAll();
        file.close();
        const std::string_view how = s.rest;
        if (how == "crlf")
            text.replace("\n", "\r\n");
        else if (how == "bom")
            text.prepend("\xef\xbb\xbf");
        else if (const auto arrow = how.find(" => "); arrow != std::string_view::npos) {
            const QByteArray old = QByteArray::fromStdString(std::string(how.substr(0, arrow)));
            const qsizetype at = text.indexOf(old);
            if (at < 0)
                throw ScriptError{"edit-plan: the plan holds no " + std::string(how.substr(0, arrow))};
            text.replace(at, old.size(), QByteArray::fromStdString(std::string(how.substr(arrow + 4))));
        } else
            throw ScriptError{"edit-plan needs crlf, bom or OLD => NEW"};
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush())
            throw ScriptError{"edit-plan cannot write " + path.toStdString()};
    }

    // limit-file-size BYTES: from now on no file this program writes may grow
    // past BYTES, as on a full disk (a write beyond fails with "File too
    // large"); "none" lifts the limit.
    void limitFileSizeStep(Step& s)
    {
        const std::string_view word = s.rest;
        rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
        if (word != "none") {
            unsigned long bytes = 0;
            if (std::from_chars(word.data(), word.data() + word.size(), bytes).ec != std::errc{})
                throw ScriptError{"limit-file-size needs a number of bytes or none"};
            limit.rlim_cur = bytes;
        }
        std::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            throw ScriptError{"limit-file-size: the limit cannot be set"};
    }

private:
    // A plan's path as a step gives it: a relative one is in the run's own
    // temporary folder.
    std::string planPath(const Step& s)
    {
        const std::string path = unquote(s.rest);
        if (path.empty())
            throw ScriptError{std::string(s.verb) + " needs a path"};
        if (QDir::isAbsolutePath(QString::fromStdString(path)))
            return path;
        if (!folder_.isValid())
            throw ScriptError{"no temporary folder for plans: " + folder_.errorString().toStdString()};
        return folder_.filePath(QString::fromStdString(path)).toStdString();
    }

    // The count box or list field that a type, paste or erase step names.
    Control usableField(Step& s)
    {
        const Control c = control(takeWord(s.rest));
        requireUsable(c, {Kind::TextBox, Kind::List});
        return c;
    }

    void expectCaption(std::string_view name, Control c, const std::string& want)
    {
        const std::string got = backend_.caption(c);
        if (got != want)
            fail(std::string(name) + ": expected " + quote(want) + ", found " + quote(got));
    }

    void expectMessages(const Step& s, int times)
    {
        const auto colon = s.rest.find(':');
        if (!s.hasText() || colon == std::string_view::npos)
            throw ScriptError{std::string(s.verb) + " needs TITLE: TEXT"};
        std::string_view text = s.rest.substr(colon + 1);
        if (text.empty() || text.front() != ' ')
            throw ScriptError{std::string(s.verb) + " needs a blank after the title's colon"};
        // $FOLDER stands for the run's own folder, where relative plans go.
        QString wanted = QString::fromStdString(unquote(text.substr(1)));
        wanted.replace(QLatin1String("$FOLDER"), folder_.path());
        const ShownMessage want{std::string(s.rest.substr(0, colon)), wanted.toStdString()};
        for (int i = 0; i < times; ++i) {
            std::optional<ShownMessage> got;
            if (!backend_.messages.empty()) {
                got = backend_.messages.front();
                backend_.messages.pop_front();
            }
            lastMessage_ = got;
            if (!got || got->title != want.title || got->text != want.text)
                fail("expected the message " + describe(want) + ", found " + describe(got));
        }
    }

    std::string stateOf(Control c, std::string_view asked) const
    {
        if (asked == "enabled" || asked == "disabled")
            return backend_.enabled(c) ? "enabled" : "disabled";
        if (asked == "visible" || asked == "hidden")
            return backend_.visible(c) ? "visible" : "hidden";
        return backend_.checked(c) ? "checked" : "unchecked";
    }

    void dump() const
    {
        static constexpr std::string_view kindNames[] = {"window",   "label",  "textbox", "list",
                                                         "checkbox", "button", "line",    "shape"};
        for (std::uint16_t i = 0; i < worksheet::controlCount; ++i) {
            const Control c{i};
            const auto& decl = worksheet::declOf(c);
            out_ << decl.name << ' ' << kindNames[static_cast<int>(decl.kind)] << ' ' << quote(backend_.caption(c))
                 << (backend_.enabled(c) ? " enabled" : " disabled") << (backend_.visible(c) ? " visible" : " hidden")
                 << (backend_.checked(c) ? " checked" : " unchecked") << '\n';
        }
    }

    std::string path_;
    QTemporaryDir folder_;
    std::string comparison_; // what the last compare step found
    Backend& backend_;
    std::ostream& out_;
    int lineNo_ = 0;
    bool passed_ = true;
    std::optional<ShownMessage> lastMessage_;
};

struct Verb {
    std::string_view name;
    void (Run::*run)(Run::Step&);
};

constexpr Verb verbs[] = {
    {"type", &Run::typeStep},
    {"paste", &Run::pasteStep},
    {"erase", &Run::eraseStep},
    {"pick", &Run::pickStep},
    {"press", &Run::pressStep},
    {"tick", &Run::tickStep},
    {"undo", &Run::undoStep},
    {"redo", &Run::redoStep},
    {"expect", &Run::expectStep},
    {"expect-all", &Run::expectAllStep},
    {"expect-state", &Run::expectStateStep},
    {"expect-items", &Run::expectItemsStep},
    {"expect-message", &Run::expectMessageStep},
    {"expect-messages", &Run::expectMessagesStep},
    {"expect-no-message", &Run::expectNoMessageStep},
    {"expect-detail", &Run::expectDetailStep},
    {"expect-breakdown", &Run::expectBreakdownStep},
    {"expect-mark", &Run::expectMarkStep},
    {"restart", &Run::restartStep},
    {"save", &Run::saveStep},
    {"open", &Run::openStep},
    {"expect-saved", &Run::expectSavedStep},
    {"compare", &Run::compareStep},
    {"expect-compare", &Run::expectCompareStep},
    {"expect-summary", &Run::expectSummaryStep},
    {"edit-plan", &Run::editPlanStep},
    {"limit-file-size", &Run::limitFileSizeStep},
    {"dump", &Run::dumpStep},
};

void Run::step(std::string_view line)
{
    Step s{line, {}, line};
    s.verb = takeWord(s.rest);
    const auto verb = std::find_if(std::begin(verbs), std::end(verbs), [&](const Verb& v) { return v.name == s.verb; });
    if (verb == std::end(verbs))
        throw ScriptError{"unknown step " + quote(s.verb)};
    (this->*verb->run)(s);
}

} // namespace

bool runScenario(const std::string& path, Backend& backend, std::ostream& out)
{
    return Run(path, backend, out).run();
}
