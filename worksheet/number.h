#pragma once

#include <string>
#include <string_view>

namespace worksheet {

// Reads the leading number of a caption or a count box the lenient way:
// blanks, tabs and line breaks are skipped wherever they stand, then an
// optional sign, digits with at most one decimal point and an optional
// exponent (E or D, either case) are read until the first character that does
// not fit. A text without a number reads as 0. The result may be infinite when
// the text names a number beyond double range ("1e400").
double parseNumber(std::string_view text);

// What the lenient parse leaves unread of a text that starts with a number,
// blanks skipped: "5 trucks" leaves "trucks", "2,5" leaves ",5", "12"
// nothing. A text without a number is left whole.
std::string_view unreadRest(std::string_view text);

// Whether the lenient parse finds a number at the text's start at all, as
// in "0", "-.5" or "3 trucks"; "abc", "" and "-" read as 0 without one.
bool readsANumber(std::string_view text);

// Writes a number the way every tally shows it: at most 15 significant
// digits, no trailing zeros, a leading zero before the point, "-" for
// negatives, never "-0", and exponent form ("1.5E+20", "1E-05") from 1E+15 up
// and below 1E-4. The value must be finite.
std::string formatNumber(double value);

// Whether a text is one that formatNumber writes.
bool isWrittenNumber(std::string_view text);

} // namespace worksheet
