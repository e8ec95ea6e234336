#include "library/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace thermalyx {
namespace {

bool isBlank(char c) {
    // The C locale's white space.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

NumberPrefix readNumberPrefix(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t mantissaStart = pos;
    std::size_t integerDigits = 0;  // significant digits before the point
    std::size_t leadingFractionZeros = 0;
    bool significantSeen = false;
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (text[pos] != '0' || significantSeen) {
            significantSeen = true;
            ++integerDigits;
        }
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            if (text[pos] != '0') significantSeen = true;
            if (!significantSeen) ++leadingFractionZeros;
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) return {};
    std::size_t end = pos;

    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        bool expNegative = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            expNegative = text[e] == '-';
            ++e;
        }
        if (e < text.size() && isDigit(text[e])) {
            while (e < text.size() && isDigit(text[e])) {
                if (exponent < 100000000) exponent = exponent * 10 + (text[e] - '0');
                ++e;
            }
            if (expNegative) exponent = -exponent;
            end = e;
        }
    }

    // from_chars takes no '+' and no blanks: hand it the bare number.
    const std::string_view number = text.substr(mantissaStart, end - mantissaStart);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decide overflow or underflow from the decimal magnitude, as strtod does.
        const long long magnitude =
            significantSeen
                ? (integerDigits > 0 ? static_cast<long long>(integerDigits) + exponent
                                     : exponent - static_cast<long long>(leadingFractionZeros))
                : -1;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc{} || ptr != number.data() + number.size()) {
        return {};
    }
    return {negative ? -value : value, end};
}

double readNumber(std::string_view text) {
    return readNumberPrefix(text).value;
}

bool isWholeNumber(std::string_view text) {
    const NumberPrefix prefix = readNumberPrefix(text);
    return prefix.length > 0 && prefix.length == text.size();
}

std::string formatFixed(double value, int decimals) {
    // Room for the largest double in fixed notation (309 digits) and the decimals.
    std::array<char, 400> buffer{};
    if (decimals < 0) decimals = 0;
    if (decimals > 60) decimals = 60;
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc{}) return {};
    return std::string(buffer.data(), ptr);
}

std::string formatInt(long long value) {
    std::array<char, 24> buffer{};
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), ptr);
}

std::string formatTruncated(double value) {
    if (std::isnan(value)) return "0";
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (value <= lo) return formatInt(std::numeric_limits<int>::min());
    if (value >= hi) return formatInt(std::numeric_limits<int>::max());
    return formatInt(static_cast<int>(value));
}

std::string formatShortest(double value) {
    std::array<char, 32> buffer{};
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc{}) return {};
    return std::string(buffer.data(), ptr);
}

}  // namespace thermalyx
