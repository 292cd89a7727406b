#pragma once

#include "figures.h"
#include "form.h"
#include "history.h"
#include "host.h"
#include "sheet_state.h"
#include "messages.h"
#include "rows.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace worksheet {

class Sheet;

// Load is the window's start-up, run once as the worksheet is created.
enum class Event : std::uint8_t { Load, Change, Click };
inline constexpr std::size_t eventCount = 3;

// One entry of the route table: which handler a (control, event) runs. Rows
// of a section share one routine, which gets the row's number.
using Handler = void (*)(Sheet&, int row);
struct Route {
    Control control;
    Event event;
    Handler handler;
    int row = 0;
    // A row's list: the row, whose picks the worksheet counts.
    const Row* counts = nullptr;
    // A section's Clear: the rows it empties, its own and another section's.
    std::span<const Row> empties = {};
    std::span<const Row> alsoEmpties = {};
};


// Raised when a handler would write a number that is not finite; the
// dispatcher undoes the whole user event.
struct NumberOverflow : std::runtime_error {
    NumberOverflow() : std::runtime_error("number out of range") {}
};

// The worksheet's state: every control's caption or text, its visible,
// enabled and checked state and its list items, and the dispatcher that runs
// the user's events through the route table.
class Sheet {
public:
    // Creates the worksheet as the window is created, then runs the window's
    // Load route, the start-up, if the routes have one.
    Sheet(Host& host, std::span<const Route> routes);

    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // --- What the user does. Each call is one event, run as one transaction:
    // an event that fails leaves every control as it was before it. A number
    // that is not finite shows the "Number Error" message; any other
    // exception a handler throws is passed on to the caller.
    // Replaces a box's or list field's text; a count box with a change
    // handler runs it when the text differs. Text typed into a list is marked
    // as typed (see typed()).
    void userEdit(Control c, std::string_view text);
    // Chooses a list item, which runs the list's Click even for the item it
    // already shows; an index past the list's end changes nothing.
    void userPick(Control c, std::size_t item);
    void userPress(Control c);
    void userTick(Control c);

    // Controls whose state the last user event, undo or redo changed, each
    // once.
    std::span<const Control> changed() const { return changed_; }

    // --- History. Undo puts every control back as it was before the last
    // event (a run of typing into one box counts as one event); redo puts
    // back the state after it. Neither runs a handler or shows a message.
    // Each returns false when there is nothing to undo or redo.
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

    // --- Reading.
    const std::string& text(Control c) const { return state_[c.index].text; }
    double number(Control c) const;
    bool visible(Control c) const { return state_[c.index].visible; }
    bool enabled(Control c) const { return state_[c.index].enabled; }
    bool checked(Control c) const { return state_[c.index].checked; }
    // Whether a list shows text the user typed, which no pick has counted. A
    // pick or a handler's write takes the mark away; undo and redo bring it
    // back with the text.
    bool typed(Control c) const { return state_[c.index].typed; }
    std::span<const std::string_view> items(Control c) const { return state_[c.index].items; }

    // --- The whole state at once, for plans kept on disk.
    SheetState state() const;
    // Whether the worksheet holds exactly this state.
    bool holds(const SheetState& state) const;
    // Puts the whole state in place when whyNot finds nothing, and reports
    // every control changed; the history starts empty. Returns whyNot's
    // answer, and changes nothing when it is not empty or during an event.
    std::string restore(const SheetState& state);
    // Typing after this is an event of its own, not more of the run before:
    // undo after a save goes back to the plan as saved.
    void endTypingRun() { history_.endTypingRun(); }

    // --- The ledger: what each control's events added to each of the
    // summary figures. Every event's change of a figure is credited to the
    // event's control (a pick to the row's list); a Clear takes out the
    // entries of the rows it empties and credits what that leaves unexplained
    // to its button. A refused or failed event credits nothing. The entries,
    // each written by the number rule, add up to the figure (see addsUp): an
    // event's control is credited with what the figure holds beyond the
    // other entries. None is 0, and undo and redo put them back with the
    // rest. Empty for a control that is no figure.
    std::span<const LedgerEntry> ledger(Control figure) const;
    // The picks counted on a row since it was last emptied by a Clear, the
    // oldest first (none for a control that is no row's list); refused ones
    // are not counted.
    std::vector<CountedPick> countedPicks(Control list) const;
    std::size_t countedPickCount(Control list) const;
    // The picks as the worksheet writes them: "2 × ZIL Medium Truck + 2 × ZIL
    // Medium Truck"; beyond ten, the first ten and how many more.
    std::string countedText(Control list) const;
    // The row whose list this is, if any.
    const Row* rowOf(Control list) const;


    // --- What handlers do.
    // Sets a caption or text; a count box with a change handler runs it at
    // once when the text differs, as typing would.
    void setText(Control c, std::string_view text);
    // Writes a number by the number rule; a value that is not finite aborts
    // the user event.
    void setNumber(Control c, double value);
    void add(Control tally, double amount) { setNumber(tally, number(tally) + amount); }
    void takeOut(Control tally, Control share) { setNumber(tally, number(tally) - number(share)); }
    void giveBack(Control tally, Control share) { setNumber(tally, number(tally) + number(share)); }
    void blank(Control c) { setText(c, " "); }
    void setEnabled(Control c, bool enabled);
    void setVisible(Control c, bool visible);
    // Ticking or unticking a check box runs its click handler when the value
    // changes.
    void setChecked(Control c, bool checked);
    // Fills a list, which is empty until start-up.
    void setItems(Control c, std::span<const std::string_view> items);
    void message(const Message& m, std::string_view detail = {}) { host_.showMessage(m.title, m.text, detail); }
    Host& host() { return host_; }

    // A point in the current event's changes.
    using EventPoint = std::size_t;
    EventPoint eventPoint() const { return journal_.size(); }
    // Refuses the event: puts every caption that changed since the point
    // back, so a refused pick leaves no trace in the tallies (texts, lists
    // and states are left as they are), counts no pick and credits nothing;
    // the message shows once the event is over, so that while it is up the
    // worksheet shows what it will be after it (the refused figures gone,
    // the row reset).
    void refuse(const Message& m, std::string detail, EventPoint since);

private:
    struct ControlState {
        std::string text;
        bool visible;
        bool enabled;
        bool checked = false;
        bool typed = false;
        std::span<const std::string_view> items;
    };
    // What one write inside an event replaced.
    struct Write {
        Control control;
        Field field;
        FieldValue old;
    };

    template <class Action> void transaction(Control source, Action&& action, std::optional<Control> typedInto = {});
    void rollBack();
    using Figures = std::array<double, figureCount>;
    Figures figures() const;
    void credit(Control source, const Figures& before);
    void raise(Control c, Event e);
    void record(Control c, Field f);
    void markChanged(Control c);
    void forgetChanges();
    void setTyped(Control c, bool typed);
    FieldValue valueOf(Control c, Field f) const;
    void put(Control c, Field f, const FieldValue& v);
    void remember(std::optional<Control> typedInto);

    Host& host_;
    std::vector<ControlState> state_;
    std::array<std::array<const Route*, controlCount>, eventCount> routeOf_{}; // by event, then control
    std::vector<Write> journal_;                                                // the current event's writes
    History history_;
    std::vector<Control> changed_;
    std::vector<bool> isChanged_;
    bool inEvent_ = false;
    std::array<std::shared_ptr<const std::vector<LedgerEntry>>, figureCount> ledger_; // never changed in place
    // Refusals' messages with their details, shown once their event is over.
    std::vector<std::pair<Message, std::string>> refusals_;
    std::vector<PickList> counted_;     // by list control
    std::optional<CountedPick> picked_; // the current event's pick, once the list shows it
    bool refused_ = false;              // the current event was refused
};

} // namespace worksheet
