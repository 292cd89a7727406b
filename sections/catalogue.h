// Finding a kind in a section's catalogue by the text its list shows. A
// catalogue is a constexpr array of structs whose member `name` is the kind's
// exact list text and whose figures default to 0.
#pragma once

#include <cstddef>
#include <string_view>

namespace sections {

// The entry whose name is exactly the list's text (case and blanks count),
// or null when the text names no kind: "None", "none", an empty or a typed
// text.
template <class Kind, std::size_t N> constexpr const Kind* findKind(const Kind (&catalogue)[N], std::string_view text)
{
    for (const Kind& kind : catalogue)
        if (kind.name == text)
            return &kind;
    return nullptr;
}

// The same, with every figure 0 for a text that names no kind: such a pick
// adds nothing but still rewrites its tallies and runs its test.
template <class Kind, std::size_t N> constexpr Kind kindNamed(const Kind (&catalogue)[N], std::string_view text)
{
    const Kind* kind = findKind(catalogue, text);
    return kind ? *kind : Kind{};
}

// A name listed twice would hide the second entry's figures.
template <class Kind, std::size_t N> constexpr bool namesAreUnique(const Kind (&catalogue)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (catalogue[i].name == catalogue[j].name)
                return false;
    return true;
}

} // namespace sections
