#include "engine/numberrules.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

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

double readDecimal(Reader& reader) {
    const bool negative = reader.peek() == '-';
    if (negative || reader.peek() == '+') {
        reader.advance();
    }
    // The digits without the full stop, the point moved into the exponent: no character
    // that the C library reads by locale reaches strtod.
    std::string digits;
    const std::size_t integerDigits = readDigits(reader, digits);
    std::size_t fractionDigits = 0;
    if (reader.take('.')) {
        fractionDigits = readDigits(reader, digits);
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

    // strtod rounds correctly in every library this builds with, giving infinity beyond
    // the largest double and zero or a subnormal below the smallest normal one.
    const std::string number =
        digits + 'e' + std::to_string(exponent - static_cast<long long>(fractionDigits));
    // It reports a result out of range in errno, which callers keep for their own errors.
    const int callersError = errno;
    const double magnitude = std::strtod(number.c_str(), nullptr);
    errno = callersError;
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
