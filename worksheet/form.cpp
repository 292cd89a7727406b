#include "form.h"

namespace worksheet {

namespace {

constexpr bool namesAreUnique()
{
    for (std::size_t i = 0; i < controlCount; ++i)
        for (std::size_t j = i + 1; j < controlCount; ++j)
            if (form[i].name == form[j].name)
                return false;
    return true;
}
static_assert(namesAreUnique(), "every control name is declared once");

constexpr bool rightPartIsHidden()
{
    for (const auto& c : form)
        if (c.kind != Kind::Window && c.left >= hiddenPartLeft && c.visible)
            return false;
    return true;
}
static_assert(rightPartIsHidden(), "the bookkeeping part of the window is never shown");

constexpr bool listsHaveItems()
{
    for (const auto& c : form)
        if ((c.kind == Kind::List) != (c.items != ItemList::None))
            return false;
    return true;
}
static_assert(listsHaveItems(), "every list, and only a list, has an item list");

} // namespace

} // namespace worksheet
