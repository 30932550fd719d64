#pragma once
// A double as decimal digits, for formatting that must round on the decimal
// value the user sees (2.675 to two decimals is 2.68), not on its binary
// approximation.

#include <string>

namespace zelmio {

struct TFloatDecimal {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    // The value is 0.d1d2d3... times 10 to this power.
    int exponent = 0;

    bool isZero() const { return digits.empty(); }

    // The shortest decimal text that reads back as the same double, cut to
    // 15 significant digits unless the value is a whole number, so that
    // arithmetic noise (0.1 + 0.2) does not show. value must be finite.
    static TFloatDecimal fromDouble(double value);

    // Rounds halves away from zero, keeping this many digits after the
    // decimal point (may be negative) or this many significant digits.
    void roundToDecimals(int decimals);
    void roundToSignificant(int count);

    // Digits of the integral part ("" below one) and the first count digits
    // after the decimal point (padded with zeros).
    std::string integerDigits() const;
    std::string fractionDigits(int count) const;

private:
    void roundKeeping(int keep);
};

} // namespace zelmio
