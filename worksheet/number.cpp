#include "number.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace worksheet {

namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of a text shift the point by at most the text's length, far
// below this; an exponent beyond it gives 0 or infinity whatever the digits,
// so it can be clamped there without changing the result.
constexpr long long exponentLimit = 1'000'000'000'000'000;

// A read of a number's text from the front: peek() passes over what the
// number rule skips and gives the next character, or '\0' at the end.
struct Cursor {
    std::string_view text;
    std::size_t pos = 0;
    char peek()
    {
        while (pos < text.size() && isSkipped(text[pos]))
            ++pos;
        return pos < text.size() ? text[pos] : '\0';
    }
};

} // namespace

namespace {

// The number at the text's start by the rule; end is left where the rule
// stopped reading.
double readNumber(std::string_view text, std::size_t& end)
{
    Cursor cursor{text};
    struct Ends {
        Cursor& cursor;
        std::size_t& end;
        ~Ends() { end = cursor.pos; }
    } ends{cursor, end};
    std::size_t& pos = cursor.pos;
    const auto peek = [&] { return cursor.peek(); };

    bool negative = false;
    if (char c = peek(); c == '+' || c == '-') {
        negative = c == '-';
        ++pos;
    }

    // The significant digits, without leading zeros, and the power of ten of
    // the first of them relative to the decimal point.
    std::string digits;
    long long pointShift = 0;
    bool seenPoint = false;
    for (char c = peek(); isDigit(c) || (c == '.' && !seenPoint); c = peek()) {
        ++pos;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (digits.empty() && c == '0') {
            if (seenPoint)
                --pointShift;
            continue;
        }
        digits.push_back(c);
        if (!seenPoint)
            ++pointShift;
    }
    if (digits.empty())
        return 0.0;

    long long exponent = 0;
    if (char c = peek(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t exponentStart = pos;
        ++pos;
        bool exponentNegative = false;
        if (char s = peek(); s == '+' || s == '-') {
            exponentNegative = s == '-';
            ++pos;
        }
        bool exponentDigits = false;
        for (char d = peek(); isDigit(d); d = peek()) {
            ++pos;
            exponentDigits = true;
            if (exponent < exponentLimit)
                exponent = exponent * 10 + (d - '0');
        }
        if (!exponentDigits)
            pos = exponentStart; // "12E" reads as 12
        else if (exponentNegative)
            exponent = -exponent;
    }

    // Normalised to 0.DIGITS x 10^scale; scale decides overflow and underflow
    // outright, so from_chars only ever sees a modest exponent.
    const long long scale = pointShift + exponent;
    const double sign = negative ? -1.0 : 1.0;
    if (scale > 400)
        return sign * std::numeric_limits<double>::infinity();
    if (scale < -400)
        return sign * 0.0;

    std::string normal = "0.";
    normal += digits;
    normal += 'e';
    normal += std::to_string(scale);
    double value = 0.0;
    const auto [last, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)last;
    if (ec == std::errc::result_out_of_range)
        value = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return sign * value;
}

} // namespace

double parseNumber(std::string_view text)
{
    std::size_t end = 0;
    return readNumber(text, end);
}

std::string_view unreadRest(std::string_view text)
{
    std::size_t end = 0;
    readNumber(text, end);
    std::string_view rest = readsANumber(text) ? text.substr(end) : text;
    while (!rest.empty() && isSkipped(rest.front()))
        rest.remove_prefix(1);
    return rest;
}

bool readsANumber(std::string_view text)
{
    Cursor cursor{text};
    std::size_t& pos = cursor.pos;
    const auto peek = [&] { return cursor.peek(); };
    if (char c = peek(); c == '+' || c == '-')
        ++pos;
    if (peek() == '.')
        ++pos;
    return isDigit(peek());
}

std::string formatNumber(double value)
{
    assert(std::isfinite(value));
    if (value == 0.0)
        return "0";

    // Round to 15 significant digits first; the rounded value decides the
    // form, so 999999999999999.9 shows as 1E+15.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string mantissa;
    for (char c : scientific.substr(0, e))
        if (isDigit(c))
            mantissa.push_back(c);
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);
    // Rounding up next to the largest double would write a text that reads
    // back as infinite; such values are cut off at 15 digits instead.
    if (exponent == 308 && mantissa > "179769313486231")
        mantissa = "179769313486231";
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out;
    if (negative)
        out.push_back('-');
    if (exponent >= 15 || exponent < -4) {
        out.push_back(mantissa[0]);
        if (mantissa.size() > 1) {
            out.push_back('.');
            out.append(mantissa, 1);
        }
        char power[16];
        std::snprintf(power, sizeof power, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += power;
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += mantissa;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= whole) {
            out += mantissa;
            out.append(whole - mantissa.size(), '0');
        } else {
            out.append(mantissa, 0, whole);
            out.push_back('.');
            out.append(mantissa, whole);
        }
    }
    return out;
}

bool isWrittenNumber(std::string_view text)
{
    // The number rule skips blanks wherever they stand and stops at a comma.
    if (text.empty() || text.find_first_of(" \t\r\n,") != std::string_view::npos)
        return false;
    const double value = parseNumber(text);
    return std::isfinite(value) && formatNumber(value) == text;
}

} // namespace worksheet
