#include "engine/numberrules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tintwright {
namespace {

constexpr bool isIgnorable(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Walks a text while skipping the characters that number reading ignores.
class Reader {
public:
    explicit Reader(std::string_view text)
        : text_(text) {
        skipIgnorable();
    }

    bool atEnd() const { return pos_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skipIgnorable();
    }
    bool take(char c) {
        if (peek() != c) {
            return false;
        }
        advance();
        return true;
    }
    bool takeEither(char upper, char lower) { return take(upper) || take(lower); }

private:
    void skipIgnorable() {
        while (pos_ < text_.size() && isIgnorable(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Value of the digits after &H or &O. Multiplying by the radix is exact in binary, so
// the value is exact up to 2^53 and grows to +infinity past a double's range.
double readRadixDigits(Reader& reader, int radix) {
    double value = 0;
    for (;;) {
        const char c = reader.peek();
        int digit = radix;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit >= radix) {
            return value;
        }
        value = value * radix + digit;
        reader.advance();
    }
}

// Appends the run of decimal digits at the reader to `out`; returns how many there were.
std::size_t readDigits(Reader& reader, std::string& out) {
    const std::size_t before = out.size();
    while (isDigit(reader.peek())) {
        out.push_back(reader.peek());
        reader.advance();
    }
    return out.size() - before;
}

// Decimal exponent of the leading significant digit of "mantissa e exponent"; the lowest
// value when every digit is zero.
long long leadingDigitExponent(std::string_view mantissa, std::size_t integerDigits,
                               long long exponent) {
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return std::numeric_limits<long long>::min();
    }
    const auto position = static_cast<long long>(first);
    const auto integers = static_cast<long long>(integerDigits);
    // Digits before the point count down from integers - 1; after it, from -1.
    const long long place = position < integers ? integers - 1 - position : integers - position;
    return place + exponent;
}

double readDecimal(Reader& reader) {
    const bool negative = reader.peek() == '-';
    if (negative || reader.peek() == '+') {
        reader.advance();
    }
    std::string mantissa;
    const std::size_t integerDigits = readDigits(reader, mantissa);
    std::size_t fractionDigits = 0;
    if (reader.take('.')) {
        mantissa.push_back('.');
        fractionDigits = readDigits(reader, mantissa);
    }
    if (integerDigits + fractionDigits == 0) {
        return 0;
    }

    long long exponent = 0;
    if (reader.takeEither('E', 'e')) {
        const bool negativeExponent = reader.peek() == '-';
        if (negativeExponent || reader.peek() == '+') {
            reader.advance();
        }
        constexpr long long saturated = 1'000'000'000;
        while (isDigit(reader.peek())) {
            exponent = std::min(exponent * 10 + (reader.peek() - '0'), saturated);
            reader.advance();
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }

    const std::string number = mantissa + 'e' + std::to_string(exponent);
    double magnitude = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range is either beyond the largest double or below the smallest one.
        const bool huge = leadingDigitExponent(mantissa, integerDigits, exponent) >= 0;
        magnitude = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace

double numericPrefix(std::string_view text) {
    Reader reader(text);
    if (reader.take('&')) {
        if (reader.takeEither('H', 'h')) {
            return readRadixDigits(reader, 16);
        }
        if (reader.takeEither('O', 'o')) {
            return readRadixDigits(reader, 8);
        }
        return 0;
    }
    return readDecimal(reader);
}

std::int32_t wholeNumber(double value) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) {
        return 0;
    }
    // Round first (ties to even, the default rounding mode), then saturate.
    const double rounded = std::nearbyint(value);
    if (rounded <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t stepCount(std::string_view stepText) {
    return wholeNumber(std::floor(numericPrefix(stepText)));
}

} // namespace tintwright
