#pragma once

#include "sheet_state.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace worksheet {

// The picks counted on one row since a Clear last emptied it. A value:
// copies share their picks, and a pick added makes a new list that shares
// the old one's, so undo and redo keep a pointer rather than a copy.
class PickList {
public:
    PickList added(CountedPick pick) const;
    bool empty() const { return !newest_; }
    std::size_t size() const;
    // The oldest first.
    std::vector<CountedPick> picks() const;
    // "2 × ZIL Medium Truck + 2 × ZIL Medium Truck"; beyond ten picks, the
    // first ten and how many more.
    std::string text() const;
    // The same list, not merely the same picks: what undo needs to know.
    friend bool operator==(const PickList&, const PickList&) = default;

private:
    struct Node;
    std::shared_ptr<const Node> newest_;
};

} // namespace worksheet
