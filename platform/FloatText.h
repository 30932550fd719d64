#pragma once
// Fixed, scientific and general renderings of a double shared by the float
// masks and the "%" format strings.

#include "platform/FormatSettings.h"

#include <QString>

namespace zelmio {

// "-1 234.50": value rounded to decimals (halves away from zero), with the
// locale's thousand separator when thousands is set. A value that rounds to
// zero has no sign. Non-finite values give "NAN", "INF" or "-INF".
QString FixedFloatText(double value, int decimals, bool thousands, const TFormatSettings &fs);

// "1.23450000000000E+003": precision significant digits, an exponent with a
// sign and at least expDigits digits.
QString ExponentFloatText(double value, int precision, int expDigits, const TFormatSettings &fs);

// The text of a non-finite value, or an empty text for a finite one.
QString NonFiniteText(double value);

} // namespace zelmio
