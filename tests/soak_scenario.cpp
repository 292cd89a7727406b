// soak-scenario SEED STEPS: writes a scenario of STEPS random user steps to
// standard output, for a long run of worksheet-script against the window.
//
// The steps are played on the headless core as they are drawn, so that each
// one is a step the user can take at that moment (only shown and enabled
// controls, only existing items), and every message the core shows is
// expected in the scenario, as are the summary panel's tallies and the text
// and state of a few controls every 25 steps. The same seed gives the same
// steps, and the scenario of fewer steps is the start of the one with more.
#include "seeded_random.h"

#include "sections/routes.h"
#include "worksheet/sheet.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct Messages final : Host {
    std::vector<std::pair<std::string, std::string>> shown;
    void showMessage(std::string_view title, std::string_view text) override
    {
        shown.emplace_back(std::string(title), std::string(text));
    }
    void printWindow() override {}
    void quit() override {}
};

// Counts and texts a user types: whole and half counts, signs, exponents,
// blanks, words, now and then one too large to work with. All of them can be
// typed on a keyboard.
constexpr std::string_view counts[] = {"1", "2", "3",        "4",   "0.5", "1.5", "2.5", "10", "12",    "0",     "-1",
                                       " ", "7", "3 trucks", "1,5", "2e1", "1D2", ".5",  "x",  "1e400", "1e308", "25"};
constexpr std::string_view listTexts[] = {"None",      "Recon",           "Raid", "BTR-152 APC", "Saracen APC",
                                          "Airstrike", "Combat Supplies", "abc"};

constexpr Control summary[] = {"Label110"_ctl, "Label108"_ctl, "Label40"_ctl, "Label75"_ctl, "Label121"_ctl};
constexpr Control exitButton = "Command3"_ctl;

std::string quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed), sheet_(messages_, sections::routes()) {}

    void run(std::size_t steps)
    {
        // A mission first, so that counts enable their rows' lists.
        emit("pick Combo2 Deliberate Attack", [&] { sheet_.userPick("Combo2"_ctl, 5); });
        while (emitted_ < steps) {
            const std::size_t before = emitted_;
            oneStep();
            if (emitted_ != before && emitted_ % 25 == 0)
                expectState();
        }
        std::cout << "expect-no-message\n";
    }

private:
    // What the window must show now: the summary panel, and the text and
    // state of a few controls drawn at random.
    void expectState()
    {
        for (Control c : summary)
            std::cout << "expect " << declOf(c).name << ' ' << quoted(sheet_.text(c)) << '\n';
        for (int i = 0; i < 3; ++i) {
            const Control c{static_cast<std::uint16_t>(1 + random_.below(controlCount - 1))};
            const auto kind = declOf(c).kind;
            if (kind == Kind::Line || kind == Kind::Shape)
                continue;
            const std::string name(declOf(c).name);
            std::cout << "expect " << name << ' ' << quoted(sheet_.text(c)) << '\n';
            std::cout << "expect-state " << name << (sheet_.enabled(c) ? " enabled" : " disabled") << '\n';
            std::cout << "expect-state " << name << (sheet_.visible(c) ? " visible" : " hidden") << '\n';
            if (kind == Kind::CheckBox)
                std::cout << "expect-state " << name << (sheet_.checked(c) ? " checked" : " unchecked") << '\n';
        }
    }

    std::vector<Control> usable(Kind kind) const
    {
        std::vector<Control> out;
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const Control c{i};
            if (form[i].kind == kind && sheet_.visible(c) && sheet_.enabled(c) && c != exitButton &&
                (kind != Kind::List || !sheet_.items(c).empty()))
                out.push_back(c);
        }
        return out;
    }

    Control any(Kind kind)
    {
        const auto controls = usable(kind);
        return controls[random_.below(controls.size())];
    }

    template <class Step> void emit(const std::string& line, Step&& step)
    {
        std::cout << line << '\n';
        ++emitted_;
        messages_.shown.clear();
        step();
        for (const auto& [title, text] : messages_.shown)
            std::cout << "expect-message " << title << ": " << quoted(text) << '\n';
    }

    void oneStep()
    {
        const std::size_t roll = random_.below(100);
        if (roll < 40) {
            const Control c = any(Kind::List);
            const auto items = sheet_.items(c);
            const std::size_t item = random_.below(items.size());
            emit("pick " + std::string(declOf(c).name) + ' ' + quoted(items[item]), [&] { sheet_.userPick(c, item); });
        } else if (roll < 58) {
            const Control c = any(Kind::TextBox);
            const std::string_view text = counts[random_.below(std::size(counts))];
            if (roll < 50)
                type(c, text);
            else
                paste(c, text);
        } else if (roll < 62) {
            const Control c = any(Kind::List);
            const std::string_view text = listTexts[random_.below(std::size(listTexts))];
            if (roll < 60)
                paste(c, text);
            else
                type(c, text);
        } else if (roll < 66) {
            const Control c = random_.below(2) ? any(Kind::TextBox) : any(Kind::List);
            if (!sheet_.text(c).empty())
                emit("erase " + std::string(declOf(c).name), [&] { sheet_.userEdit(c, ""); });
        } else if (roll < 76) {
            const Control c = any(Kind::Button);
            emit("press " + std::string(declOf(c).name), [&] { sheet_.userPress(c); });
        } else if (roll < 86) {
            const Control c = any(Kind::CheckBox);
            emit("tick " + std::string(declOf(c).name), [&] { sheet_.userTick(c); });
        } else if (roll < 94) {
            emit("undo", [&] { sheet_.undo(); });
        } else {
            emit("redo", [&] { sheet_.redo(); });
        }
    }

    void type(Control c, std::string_view text)
    {
        emit("type " + std::string(declOf(c).name) + ' ' + quoted(text), [&] {
            std::string field = sheet_.text(c);
            for (char ch : text) {
                field.push_back(ch);
                sheet_.userEdit(c, field);
            }
        });
    }

    void paste(Control c, std::string_view text)
    {
        if (sheet_.text(c) == text)
            return;
        emit("paste " + std::string(declOf(c).name) + ' ' + quoted(text), [&] { sheet_.userEdit(c, text); });
    }

    SeededRandom random_;
    std::size_t emitted_ = 0;
    Messages messages_;
    Sheet sheet_;
};

bool parse(const char* text, std::uint64_t& value)
{
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t seed = 0;
    std::uint64_t steps = 0;
    if (argc != 3 || !parse(argv[1], seed) || !parse(argv[2], steps) || steps == 0) {
        std::fprintf(stderr, "usage: soak-scenario SEED STEPS\n");
        return 2;
    }
    std::cout << "# " << steps << " random steps drawn from seed " << seed << " by soak-scenario.\n";
    Generator(seed).run(steps);
    return 0;
}
