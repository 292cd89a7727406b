// The whole of a worksheet's state as a value, as a plan keeps it, and the
// check of whether a worksheet could hold it.
#pragma once

#include "figures.h"
#include "ledger.h"
#include "form.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace worksheet {


// A pick counted on a row: the count box's text and the kind, as picked,
// and what else its figures hung on then: the mission type shown and, on an
// infantry row, whether Marching was ticked. (Plans of the first format do
// not say; then neither is known.)
struct CountedPick {
    std::string count;
    std::string kind;
    std::optional<std::string> mission = {};
    std::optional<bool> marching = {};
    friend bool operator==(const CountedPick&, const CountedPick&) = default;
};

// A count or kind without its outer blanks and tabs.
std::string_view trimmed(std::string_view t);

// A pick as the worksheet writes it: "2 × ZIL Medium Truck", the count
// without its outer blanks.
std::string describedPick(std::string_view count, std::string_view kind);

// One control's state as the user sees it.
struct ControlValues {
    std::string text;
    bool visible = false;
    bool enabled = false;
    bool checked = false;
    bool typed = false; // see Sheet::typed()
    friend bool operator==(const ControlValues&, const ControlValues&) = default;
};

// The picks counted on one row, as a plan keeps them.
struct RowPicks {
    Control list;
    std::vector<CountedPick> picks; // the oldest first
    friend bool operator==(const RowPicks&, const RowPicks&) = default;
};

// The whole of a worksheet's state, as a saved plan keeps it: each control's
// values, in the form's order, each summary figure's ledger and each row's
// counted picks. The list items are not part of it; start-up fills them and
// nothing changes them.
struct SheetState {
    std::vector<ControlValues> controls;
    std::array<std::vector<LedgerEntry>, figureCount> ledger; // in the figures' order
    std::vector<RowPicks> counted; // the rows with picks counted, in the form's order
    friend bool operator==(const SheetState&, const SheetState&) = default;
};

// Why no worksheet could hold this state, naming the control at fault;
// empty when it could. Every control must be there, each caption a caption
// the control can show (a label its own, a blank or a number as the number
// rule writes it; a button, check box or the window only its own), a check
// only on a check box, a typed mark only on a list, and nothing of the
// bookkeeping part shown; a ledger's entries finite, not 0, each control
// once a figure, adding up to the figure (see addsUp), and a row's list
// credited only with picks counted on it; counted picks only on a row's
// list, each of a kind the list has.
std::string whyNot(const SheetState& state);

} // namespace worksheet
