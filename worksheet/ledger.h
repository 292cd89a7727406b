// A summary figure's breakdown: what each control's events added to it, and
// the arithmetic that keeps its entries adding up to the figure.
#pragma once

#include "form.h"

#include <span>
#include <vector>

namespace worksheet {

// One control's part of a summary figure: a row's list (what its picks
// added), a Clear's button (what its Clear changed beyond taking its rows'
// parts out) or another control whose event changed the figure.
struct LedgerEntry {
    Control control;
    double amount;
    friend bool operator==(const LedgerEntry&, const LedgerEntry&) = default;
};

// Whether a figure's entries add up to it: within a few parts in 1E+11 of
// all that the figure and its entries hold, as rounding each write to 15
// significant digits allows.
bool addsUp(double figure, std::span<const LedgerEntry> entries);

// Adds amount to c's entry, written by the number rule; an entry that comes
// to 0 goes.
void addEntry(std::vector<LedgerEntry>& entries, Control c, double amount);

// Makes c's entry what the figure holds beyond the other entries, so that
// the entries add up to the figure to the rounding of what they hold now
// (see ledger.cpp); where that is no number, c's entry takes the change.
void settleEntry(std::vector<LedgerEntry>& entries, Control c, double figure, double change);

} // namespace worksheet
