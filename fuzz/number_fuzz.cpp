// The number rule over any bytes. Any text reads without a crash or a read
// out of bounds, and to the same value as a plain reference reading. Every
// finite value, read from the text or taken from the input's first eight
// bytes as a double, is written in the rule's shape and reads back to itself
// at 15 significant digits.
//
// An input that starts with 0xFE is PREFIX 0xFE MIDDLE 0xFE SUFFIX and reads
// as a text of 1 MiB and more, the middle repeated: scripts/fuzz gives every
// input a time limit that such a text read in quadratic time runs far over.
#include "worksheet/number.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <string_view>

using worksheet::formatNumber;
using worksheet::parseNumber;

namespace {

[[noreturn]] void fail(const char* what, std::string_view text, double value)
{
    std::fprintf(stderr, "NUMBER RULE BROKEN: %s\n  text: \"%.*s\"\n  value: %.17g\n", what,
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data(), value);
    std::abort();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The reading, written the plain way: drop every blank, tab and line break,
// take the longest leading number, D as E, and let strtod round it.
double referenceRead(std::string_view text)
{
    std::string s, number;
    for (char c : text)
        if (!std::strchr(" \t\n\r", c) || c == '\0')
            s.push_back(c);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool digits = false, point = false;
    for (; i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        point = point || s[i] == '.';
        digits = digits || isDigit(s[i]);
        number.push_back(s[i]);
    }
    if (!digits)
        return 0.0;
    if (i < s.size() && s[i] != '\0' && std::strchr("eEdD", s[i])) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const std::size_t first = j;
        while (j < s.size() && isDigit(s[j]))
            exponent.push_back(s[j++]);
        if (j > first)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

// Plain decimals from 1E-4 up to below 1E+15, exponent form outside, at most
// 15 significant digits, no trailing zeros, never "-0"; the text reads back
// to the value at 15 digits and writes itself again.
void checkWriting(double value)
{
    if (!std::isfinite(value))
        return;
    static const std::regex plain(R"(-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?)");
    static const std::regex exponent(R"(-?[1-9](\.[0-9]*[1-9])?E[+-][0-9]{2,3})");
    const std::string t = formatNumber(value);
    const double back = parseNumber(t), magnitude = std::fabs(back);
    const bool plainRange = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    if (!std::regex_match(t, plainRange ? plain : exponent) || t == "-0")
        fail("the text is not in the rule's shape for its size", t, value);
    if ((t.front() == '-') != (value < 0))
        fail("the sign is wrong", t, value);
    std::string_view mantissa(t);
    mantissa = mantissa.substr(0, mantissa.find('E'));
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first != std::string_view::npos &&
        mantissa.size() - first - (mantissa.find('.', first) != std::string_view::npos) > 15)
        fail("more than 15 significant digits", t, value);
    // Half a unit in the 15th digit, plus the reading's own rounding;
    // subnormals only have absolute precision. Values beyond the largest
    // 15-digit one are cut off, not rounded.
    const double tolerance = std::fabs(value) * 5.2e-15 + 5e-324;
    if (!std::isfinite(back) ||
        (std::fabs(back - value) > tolerance && !(std::fabs(value) > 1.79769313486231e308)))
        fail("the text reads back to another value", t, value);
    if (formatNumber(back) != t)
        fail("the text does not write itself again", t, value);
}

// PREFIX 0xFE MIDDLE 0xFE SUFFIX as PREFIX, MIDDLE repeated to 1 MiB, SUFFIX.
std::string longText(std::string_view rest)
{
    const std::size_t first = rest.find('\xFE');
    std::string text(rest.substr(0, first));
    rest = first == std::string_view::npos ? std::string_view{} : rest.substr(first + 1);
    const std::size_t second = rest.find('\xFE');
    std::string block(rest.substr(0, second));
    if (block.empty())
        block = " ";
    while (block.size() < (1u << 19))
        block += block;
    while (text.size() < (1u << 20))
        text += block;
    if (second != std::string_view::npos)
        text += rest.substr(second + 1);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text = size > 0 && data[0] == 0xFE ? longText(input.substr(1)) : std::string(input);
    const double value = parseNumber(text);
    const double reference = referenceRead(text);
    if (value != reference && !(std::isnan(value) && std::isnan(reference)))
        fail("the reading differs from the reference reading", text, reference);
    checkWriting(value);
    if (size >= 8) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkWriting(raw);
    }
    return 0;
}
