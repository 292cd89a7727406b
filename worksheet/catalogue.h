// Finding a kind in a catalogue by the text its list shows. A
// catalogue is a constexpr array (or span) of structs whose member `name` is
// the kind's exact list text and whose figures default to 0.
#pragma once

#include "form.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <type_traits>
#include <utility>

namespace worksheet {

// The entry whose name is exactly the list's text (case and blanks count),
// or null when the text names no kind: "None", "none", an empty or a typed
// text.
template <class Catalogue> using KindOf = std::remove_cvref_t<decltype(*std::begin(std::declval<Catalogue&>()))>;

template <class Catalogue>
constexpr const KindOf<Catalogue>* findKind(const Catalogue& catalogue, std::string_view text)
{
    for (const auto& kind : catalogue)
        if (kind.name == text)
            return &kind;
    return nullptr;
}

// The same, with every figure 0 for a text that names no kind: such a pick
// adds nothing but still rewrites its tallies and runs its test.
template <class Catalogue> constexpr auto kindNamed(const Catalogue& catalogue, std::string_view text)
{
    const auto* kind = findKind(catalogue, text);
    return kind ? *kind : KindOf<Catalogue>{};
}

// A name listed twice would hide the second entry's figures.
template <class Catalogue> constexpr bool namesAreUnique(const Catalogue& catalogue)
{
    for (auto i = std::begin(catalogue); i != std::end(catalogue); ++i)
        for (auto j = std::next(i); j != std::end(catalogue); ++j)
            if (i->name == j->name)
                return false;
    return true;
}

// Every kind is an item of the list it is picked from, so that no figure
// waits for a text the list never shows.
template <class Catalogue> constexpr bool namesAreItemsOf(const Catalogue& catalogue, ItemList list)
{
    const auto items = itemsOf(list);
    for (const auto& kind : catalogue)
        if (std::find(items.begin(), items.end(), kind.name) == items.end())
            return false;
    return true;
}

} // namespace worksheet
