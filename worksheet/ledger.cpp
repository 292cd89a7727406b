#include "ledger.h"

#include "number.h"

#include <algorithm>
#include <cmath>

namespace worksheet {

namespace {

// An amount as the figures show it, so that an entry reads "0.34" where the
// sum of doubles would give 0.340000000000146.
double written(double amount)
{
    // Whole numbers below 1E+15 are written as they are.
    if (!std::isfinite(amount) || (std::fabs(amount) < 1e15 && amount == std::trunc(amount)))
        return amount;
    return parseNumber(formatNumber(amount));
}

} // namespace

bool addsUp(double figure, std::span<const LedgerEntry> entries)
{
    double sum = 0, most = std::fabs(figure);
    for (const LedgerEntry& e : entries) {
        sum += e.amount;
        most += std::fabs(e.amount);
    }
    return std::fabs(sum - figure) <= most * 1e-11;
}

void addEntry(std::vector<LedgerEntry>& entries, Control c, double amount)
{
    if (amount == 0)
        return;
    const auto of = std::find_if(entries.begin(), entries.end(), [&](const LedgerEntry& e) { return e.control == c; });
    if (of == entries.end()) {
        entries.push_back({c, written(amount)});
        return;
    }
    of->amount = written(of->amount + amount);
    if (of->amount == 0)
        entries.erase(of);
}

// Makes c's entry what the figure holds beyond the other entries, so that
// the entries add up to the figure to the rounding of what they hold now:
// after a number too large to add exactly has come and gone, the part of the
// figure it rounded away is missing from c's entry, not from nowhere. Where
// that difference is no number, c's entry takes the change instead.
void settleEntry(std::vector<LedgerEntry>& entries, Control c, double figure, double change)
{
    double others = 0;
    for (const LedgerEntry& e : entries)
        if (e.control != c)
            others += e.amount;
    const double amount = written(figure - others);
    if (!std::isfinite(amount)) {
        addEntry(entries, c, change);
        return;
    }
    const auto of = std::find_if(entries.begin(), entries.end(), [&](const LedgerEntry& e) { return e.control == c; });
    if (amount == 0) {
        if (of != entries.end())
            entries.erase(of);
    } else if (of == entries.end())
        entries.push_back({c, amount});
    else
        of->amount = amount;
}

} // namespace worksheet
