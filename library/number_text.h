// Locale-free reading and writing of the numbers the program shows and stores.
//
// Every number that passes through a text (data files, input fields, labels,
// reports, the command line) goes through these functions, so a desktop set to
// a language with decimal commas reads and writes exactly the same figures.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace thermalyx {

// The longest prefix of a text that follows the decimal grammar: optional
// leading white space, optional sign, digits with an optional decimal point
// (at least one digit), optional exponent. "inf", "nan" and hexadecimal texts
// are not numbers. length is 0 when there is no such prefix (value 0 then).
struct NumberPrefix {
    double value = 0.0;
    std::size_t length = 0;
};

NumberPrefix readNumberPrefix(std::string_view text);

// The value of the longest decimal prefix, 0 when there is none.
double readNumber(std::string_view text);

// True when the whole text is one decimal number by the grammar above.
bool isWholeNumber(std::string_view text);

// "%.Nf": fixed notation with the given number of decimals, correctly rounded.
std::string formatFixed(double value, int decimals);

// "%d" of an integer.
std::string formatInt(long long value);

// "%d" of a double truncated toward zero to a 32-bit integer; values beyond the
// 32-bit range (and NaN) are held at the range's ends (NaN gives 0).
std::string formatTruncated(double value);

// Shortest text that reads back to the same double (for data files and JSON).
std::string formatShortest(double value);

}  // namespace thermalyx
