#include "platform/FloatDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zelmio {

namespace {

constexpr int kGeneralPrecision = 15;

void stripTrailingZeros(std::string &digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

} // namespace

TFloatDecimal TFloatDecimal::fromDouble(double value)
{
    TFloatDecimal d;
    d.negative = std::signbit(value);
    if (value == 0.0 || !std::isfinite(value))
        return d;

    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    // "d.ddde+XX": the mantissa digits, then the power of ten of the first one.
    const auto ePos = text.find('e');
    for (size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    }
    d.exponent = std::atoi(text.c_str() + ePos + 1) + 1;
    stripTrailingZeros(d.digits);

    const bool whole = std::fabs(value) < 1e17 && value == std::trunc(value);
    if (!whole && int(d.digits.size()) > kGeneralPrecision)
        d.roundToSignificant(kGeneralPrecision);
    return d;
}

void TFloatDecimal::roundKeeping(int keep)
{
    if (keep >= int(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[size_t(keep)] >= '5';
    digits.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[size_t(i)] == '9') {
            digits[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[size_t(i)];
        } else {
            // All nines carried over: one more integral digit.
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    stripTrailingZeros(digits);
}

void TFloatDecimal::roundToDecimals(int decimals)
{
    roundKeeping(exponent + decimals);
}

void TFloatDecimal::roundToSignificant(int count)
{
    roundKeeping(count < 1 ? 1 : count);
}

std::string TFloatDecimal::integerDigits() const
{
    if (exponent <= 0 || digits.empty())
        return {};
    std::string s = digits.substr(0, size_t(exponent));
    s.resize(size_t(exponent), '0');
    return s;
}

std::string TFloatDecimal::fractionDigits(int count) const
{
    std::string s;
    if (count <= 0)
        return s;
    s.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int pos = exponent + i;   // index into digits
        s.push_back(pos >= 0 && pos < int(digits.size()) ? digits[size_t(pos)] : '0');
    }
    return s;
}

} // namespace zelmio
