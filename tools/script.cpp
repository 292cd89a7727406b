#include "script.h"

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

std::string quoted(std::string_view s)
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
    return m ? quoted(m->title) + ": " + quoted(m->text) : "no message";
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
            throw ScriptError{"no control named " + quoted(name)};
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

    void step(std::string_view line)
    {
        std::string_view rest = line;
        const std::string_view verb = takeWord(rest);
        const bool hasText = line.size() > verb.size();

        if (verb == "type" || verb == "paste" || verb == "erase") {
            const Control c = control(takeWord(rest));
            requireUsable(c, {Kind::TextBox, Kind::List});
            if (verb == "erase") {
                if (!backend_.caption(c).empty())
                    backend_.erase(c);
                return;
            }
            const std::string text = unquote(rest);
            if (verb == "type")
                backend_.type(c, text);
            else if (backend_.caption(c) != text)
                backend_.paste(c, text);
        } else if (verb == "pick") {
            const Control c = control(takeWord(rest));
            requireUsable(c, {Kind::List});
            const std::string item = unquote(rest);
            const auto items = backend_.items(c);
            const auto found = std::find(items.begin(), items.end(), item);
            if (found == items.end())
                throw ScriptError{quoted(item) + " is not an item of " + std::string(worksheet::declOf(c).name)};
            backend_.pick(c, static_cast<std::size_t>(found - items.begin()));
        } else if (verb == "press") {
            const Control c = control(takeWord(rest));
            requireUsable(c, {Kind::Button});
            backend_.press(c);
        } else if (verb == "tick") {
            const Control c = control(takeWord(rest));
            requireUsable(c, {Kind::CheckBox});
            backend_.tick(c);
        } else if (verb == "undo" || verb == "redo") {
            if (hasText)
                throw ScriptError{std::string(verb) + " takes nothing more"};
            requireOpen();
            if (verb == "undo")
                backend_.undo();
            else
                backend_.redo();
        } else if (verb == "expect") {
            const std::string_view name = takeWord(rest);
            const Control c = control(name);
            if (line.size() <= verb.size() + 1 + name.size())
                throw ScriptError{"expect needs a text (\"\" for the empty text)"};
            const std::string want = unquote(rest);
            const std::string got = backend_.caption(c);
            if (got != want)
                fail(std::string(name) + ": expected " + quoted(want) + ", found " + quoted(got));
        } else if (verb == "expect-all") {
            // NAME=TEXT ..., a TEXT with blanks (or none) in double quotes.
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
                const std::string got = backend_.caption(c);
                if (got != want)
                    fail(std::string(name) + ": expected " + quoted(want) + ", found " + quoted(got));
            }
        } else if (verb == "expect-state") {
            // CONTROL WORD..., for as many controls as wanted.
            std::string_view name;
            bool waiting = false; // a control named, none of its words read yet
            while (!rest.empty()) {
                const std::string_view word = takeWord(rest);
                const bool enabled = word == "enabled" || word == "disabled";
                const bool visible = word == "visible" || word == "hidden";
                if (!enabled && !visible && word != "checked" && word != "unchecked") {
                    if (waiting)
                        throw ScriptError{"unknown state " + quoted(word)};
                    name = word;
                    waiting = true;
                    continue;
                }
                if (name.empty())
                    throw ScriptError{"expect-state needs a control before " + quoted(word)};
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
        } else if (verb == "expect-items") {
            const std::string_view name = takeWord(rest);
            const Control c = control(name);
            std::vector<std::string> want;
            for (std::string_view r = rest;;) {
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
                fail(std::string(name) + ": expected items " + std::string(rest) + ", found " + list);
            }
        } else if (verb == "expect-message" || verb == "expect-messages") {
            // expect-messages N TITLE: TEXT is the same message N times over.
            int times = 1;
            if (verb == "expect-messages") {
                const std::string_view count = takeWord(rest);
                if (std::from_chars(count.data(), count.data() + count.size(), times).ec != std::errc{} || times < 1)
                    throw ScriptError{"expect-messages needs a count first"};
            }
            const auto colon = rest.find(':');
            if (!hasText || colon == std::string_view::npos)
                throw ScriptError{std::string(verb) + " needs TITLE: TEXT"};
            std::string_view text = rest.substr(colon + 1);
            if (text.empty() || text.front() != ' ')
                throw ScriptError{std::string(verb) + " needs a blank after the title's colon"};
            const ShownMessage want{std::string(rest.substr(0, colon)), unquote(text.substr(1))};
            for (int i = 0; i < times; ++i) {
                std::optional<ShownMessage> got;
                if (!backend_.messages.empty()) {
                    got = backend_.messages.front();
                    backend_.messages.pop_front();
                }
                if (!got || got->title != want.title || got->text != want.text)
                    fail("expected the message " + describe(want) + ", found " + describe(got));
            }
        } else if (verb == "expect-no-message") {
            if (hasText)
                throw ScriptError{"expect-no-message takes nothing more"};
            noMessageWaiting("");
        } else if (verb == "restart") {
            if (hasText)
                throw ScriptError{"restart takes nothing more"};
            noMessageWaiting("before restart");
            backend_.restart();
        } else if (verb == "dump") {
            dump();
        } else {
            throw ScriptError{"unknown step " + quoted(verb)};
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
            out_ << decl.name << ' ' << kindNames[static_cast<int>(decl.kind)] << ' ' << quoted(backend_.caption(c))
                 << (backend_.enabled(c) ? " enabled" : " disabled") << (backend_.visible(c) ? " visible" : " hidden")
                 << (backend_.checked(c) ? " checked" : " unchecked") << '\n';
        }
    }

    std::string path_;
    Backend& backend_;
    std::ostream& out_;
    int lineNo_ = 0;
    bool passed_ = true;
};

} // namespace

bool runScenario(const std::string& path, Backend& backend, std::ostream& out)
{
    return Run(path, backend, out).run();
}
