#include "picks.h"

#include <algorithm>

namespace worksheet {

namespace {

constexpr std::size_t picksWritten = 10;

} // namespace

struct PickList::Node {
    CountedPick pick;
    mutable std::shared_ptr<const Node> before;
    std::size_t count;                       // this pick and those before it
    std::shared_ptr<const std::string> head; // the oldest ten as text() writes them

    ~Node()
    {
        // A long run of picks on one row goes node by node, not as deep as
        // it is long.
        std::shared_ptr<const Node> next = std::move(before);
        while (next && next.use_count() == 1)
            next = std::move(next->before);
    }
};

PickList PickList::added(CountedPick pick) const
{
    const std::size_t count = size() + 1;
    auto head = newest_ ? newest_->head : nullptr;
    if (count <= picksWritten)
        head = std::make_shared<const std::string>((newest_ ? *head + " + " : std::string()) +
                                                   describedPick(pick.count, pick.kind));
    PickList out;
    out.newest_ = std::make_shared<const Node>(Node{std::move(pick), newest_, count, std::move(head)});
    return out;
}

std::size_t PickList::size() const
{
    return newest_ ? newest_->count : 0;
}

std::vector<CountedPick> PickList::picks() const
{
    std::vector<CountedPick> out;
    for (const Node* node = newest_.get(); node; node = node->before.get())
        out.push_back(node->pick);
    std::reverse(out.begin(), out.end());
    return out;
}

std::string PickList::text() const
{
    if (!newest_)
        return {};
    std::string out = *newest_->head;
    if (newest_->count > picksWritten)
        out += " + \u2026 (" + std::to_string(newest_->count - picksWritten) + " more)";
    return out;
}

} // namespace worksheet
