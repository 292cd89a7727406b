#include "history.h"

#include <algorithm>

namespace worksheet {

void History::add(std::vector<Change> changes, std::optional<Control> typedInto)
{
    if (changes.empty())
        return;
    steps_.resize(steps_.size() - undone_);
    undone_ = 0;
    const bool merge = typedInto && mayMergeTyping_ && !steps_.empty() && steps_.back().typedInto == typedInto;
    mayMergeTyping_ = typedInto.has_value();
    if (!merge) {
        if (steps_.size() == limit)
            steps_.pop_front();
        steps_.push_back({typedInto, std::move(changes)});
        return;
    }
    auto& earlier = steps_.back().changes;
    for (Change& c : changes) {
        const auto same = [&](const Change& o) { return o.of(c.control, c.field); };
        if (auto it = std::find_if(earlier.begin(), earlier.end(), same); it != earlier.end())
            it->after = std::move(c.after);
        else
            earlier.push_back(std::move(c));
    }
}

const std::vector<Change>* History::undo()
{
    if (!canUndo())
        return nullptr;
    mayMergeTyping_ = false;
    return &steps_[steps_.size() - 1 - undone_++].changes;
}

const std::vector<Change>* History::redo()
{
    if (!canRedo())
        return nullptr;
    return &steps_[steps_.size() - undone_--].changes;
}

} // namespace worksheet
