// Finding a kind in a section's catalogue by the text its list shows.
#pragma once

#include <cstddef>
#include <string_view>

namespace sections {

// The kind whose text is exactly the list's text (case and blanks count), or
// a kind with every figure 0 when none is: "None", a typed text, a blank.
// Kind is a struct whose first member is its text and whose figures default
// to 0.
template <class Kind, std::size_t N>
constexpr Kind findKind(const Kind (&catalogue)[N], std::string_view text)
{
    for (const Kind& kind : catalogue)
        if (kind.text == text)
            return kind;
    return Kind{};
}

// A text listed twice would hide the second entry's figures.
template <class Kind, std::size_t N> constexpr bool textsAreUnique(const Kind (&catalogue)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (catalogue[i].text == catalogue[j].text)
                return false;
    return true;
}

} // namespace sections
