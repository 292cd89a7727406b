// What the number fuzz targets check: a plain reference reading to compare
// the worksheet's reading with, and the shape and round trip of a written
// number.
#pragma once

#include "worksheet/number.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace number_checks {

using worksheet::formatNumber;
using worksheet::parseNumber;

[[noreturn]] inline void fail(const char* what, std::string_view text, double value)
{
    std::fprintf(stderr, "NUMBER RULE BROKEN: %s\n  text: \"%.*s\"\n  value: %.17g\n", what,
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data(), value);
    std::abort();
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The reading, written the plain way: drop every blank, tab and line
// break, take the longest leading number, D as E, and let strtod round it.
inline double referenceRead(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            s.push_back(c);
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool digits = false;
    bool point = false;
    for (; i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        point = point || s[i] == '.';
        digits = digits || isDigit(s[i]);
        number.push_back(s[i]);
    }
    if (!digits)
        return 0.0;
    if (i < s.size() && std::strchr("eEdD", s[i]) && s[i] != '\0') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const std::size_t firstDigit = j;
        while (j < s.size() && isDigit(s[j]))
            exponent.push_back(s[j++]);
        if (j > firstDigit)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

inline bool sameReading(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A finite value is written as plain decimals from 1E-4 up to below 1E+15
// and in exponent form outside, with at most 15 significant digits, no
// trailing zeros, never "-0", a blank, a comma or a word; and the text reads
// back to the same value at 15 significant digits and writes itself again.
inline void checkWriting(double value)
{
    if (!std::isfinite(value))
        return;
    const std::string t = formatNumber(value);
    if (t.empty())
        fail("wrote an empty text", t, value);
    if (t == "-0" || (value == 0 && t != "0"))
        fail("zero is not written \"0\"", t, value);
    for (std::string_view bad : {" ", ",", "inf", "nan", "INF", "NAN", "e"})
        if (t.find(bad) != std::string::npos)
            fail("the text holds a blank, a comma, a word or a small e", t, value);

    // Its shape: -?DIGITS(.DIGITS)? or -?D(.DIGITS)?E[+-]DD(D)?
    std::string_view body = t;
    if (body.front() == '-') {
        if (value > 0)
            fail("a positive value written with a minus", t, value);
        body.remove_prefix(1);
    } else if (value < 0) {
        fail("a negative value written without a minus", t, value);
    }
    const std::size_t e = body.find('E');
    const std::string_view mantissa = body.substr(0, e);
    const std::size_t point = mantissa.find('.');
    std::size_t significant = 0;
    bool leading = true;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (i == point)
            continue;
        if (!isDigit(mantissa[i]))
            fail("a stray character in the digits", t, value);
        if (mantissa[i] != '0')
            leading = false;
        if (!leading)
            ++significant;
    }
    if (significant > 15)
        fail("more than 15 significant digits", t, value);
    if (point != std::string_view::npos) {
        if (point == 0 || point + 1 == mantissa.size() || mantissa.back() == '0')
            fail("no digit before the point, none after it, or a trailing zero", t, value);
        if (mantissa.find('.', point + 1) != std::string_view::npos)
            fail("two decimal points", t, value);
    }
    if (point != 1 && mantissa.size() > 1 && mantissa.front() == '0')
        fail("a leading zero in a whole part", t, value);

    const double back = parseNumber(t);
    const double magnitude = std::fabs(back);
    if (e == std::string_view::npos) {
        if (magnitude >= 1e15 || (magnitude < 1e-4 && magnitude != 0))
            fail("plain decimals outside 1E-4 to below 1E+15", t, value);
    } else {
        if (magnitude < 1e15 && magnitude >= 1e-4)
            fail("exponent form inside 1E-4 to below 1E+15", t, value);
        const std::string_view power = body.substr(e + 1);
        if (power.size() < 3 || power.size() > 4 || (power[0] != '+' && power[0] != '-') || !isDigit(power[1]) ||
            !isDigit(power[2]) || (power.size() == 4 && !isDigit(power[3])))
            fail("a malformed exponent", t, value);
        if (point == std::string_view::npos ? mantissa.size() != 1 : point != 1)
            fail("exponent form without exactly one digit before the point", t, value);
    }

    if (!std::isfinite(back))
        fail("the written text reads back as infinite", t, value);
    // 15 significant digits: half a unit in the 15th digit (at most 5E-15 of
    // the value), plus the rounding of the reading itself (about 1.1E-16);
    // subnormals only have absolute precision.
    const double tolerance = std::fabs(value) * 5.2e-15 + 5e-324;
    if (std::fabs(back - value) > tolerance && !(std::fabs(value) > 1.79769313486231e308))
        fail("the text reads back to another value", t, value);
    if (formatNumber(back) != t)
        fail("the text does not write itself again", t, value);
}

} // namespace number_checks
