#pragma once

#include "form.h"
#include "ledger.h"
#include "picks.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace worksheet {

// One part of a control's state that an event can change.
enum class Field : std::uint8_t { Text, Visible, Enabled, Checked, Typed, Ledger, Counted };

// A field's value: the text, a flag, a figure's ledger or a row's picks.
struct FieldValue {
    std::string text;
    bool flag = false;
    std::shared_ptr<const std::vector<LedgerEntry>> entries = {}; // never changed in place
    PickList picks = {};
    friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

// One control's field across a whole event.
struct Change {
    Control control;
    Field field;
    FieldValue before;
    FieldValue after;
    bool of(Control c, Field f) const { return control == c && field == f; }
};

// The undo history: each event's changes, newest last. A run of typing into
// one box counts as one event.
class History {
public:
    // The oldest events are forgotten beyond this many.
    static constexpr std::size_t limit = 1000;

    // Records an event that changed something, dropping what was undone;
    // typedInto is set for typing, which joins the run of typing into the
    // same box before it.
    void add(std::vector<Change> changes, std::optional<Control> typedInto);
    // The changes to take back (their before values, the last first), or
    // null when there is nothing to undo.
    const std::vector<Change>* undo();
    // The changes to put back (their after values, the first first), or
    // null when there is nothing to redo.
    const std::vector<Change>* redo();
    bool canUndo() const { return undone_ < steps_.size(); }
    bool canRedo() const { return undone_ > 0; }
    // Typing after this is an event of its own.
    void endTypingRun() { mayMergeTyping_ = false; }
    void clear() { *this = History(); }

private:
    struct Step {
        std::optional<Control> typedInto;
        std::vector<Change> changes;
    };
    std::deque<Step> steps_; // the oldest goes from the front once it is full
    std::size_t undone_ = 0; // steps at the end that were undone
    bool mayMergeTyping_ = false;
};

} // namespace worksheet
