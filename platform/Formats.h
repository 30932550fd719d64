#pragma once
// Number and date formatting and parsing by the locale record.
// Dates are doubles: days since 30 December 1899, the fraction the time of day.

#include "platform/FormatSettings.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

namespace zelmio {

using TDateTime = double;

// Raised by the conversions that fail on bad input (StrToFloat, StrToDate,
// EncodeDate, FormatString with a wrong argument ...).
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// --- Numbers -----------------------------------------------------------------

// A float mask: "#,##0.00;(#,##0.00);'nulle'", "0.00E+00", ... An empty mask
// gives FloatToStr.
QString FormatFloat(const QString &mask, double value,
                    const TFormatSettings &fs = FormatSettings());

// The shortest general text: up to 15 significant digits, no trailing zeros,
// scientific form for very large or small magnitudes.
QString FloatToStr(double value, const TFormatSettings &fs = FormatSettings());
// General float text with a given precision and minimum exponent digits.
QString FloatToStrGeneral(double value, int precision, int digits,
                          const TFormatSettings &fs = FormatSettings());

// Parses a number written with the locale's decimal separator.
bool TryStrToFloat(const QString &text, double &value,
                   const TFormatSettings &fs = FormatSettings());
double StrToFloat(const QString &text, const TFormatSettings &fs = FormatSettings());
bool TryStrToInt(const QString &text, int &value);   // decimal or $hex, optional sign
int StrToInt(const QString &text);

// --- "%" format strings --------------------------------------------------------

// %[index:][-][width][.precision]type, types d u e f g n m p s x; "%%" is "%".
// Arguments are QVariants: integer kinds, double, QString. A directive that
// does not fit its argument raises EConvertError.
QString FormatString(const QString &format, const std::vector<QVariant> &args,
                     const TFormatSettings &fs = FormatSettings());

// --- Dates and times -----------------------------------------------------------

bool TryEncodeDate(int year, int month, int day, TDateTime &date);
TDateTime EncodeDate(int year, int month, int day);          // EConvertError when invalid
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError when invalid
void DecodeDate(TDateTime date, int &year, int &month, int &day);
void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec);
// Date plus time of day; before 30 December 1899 the time counts away from zero.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
int DayOfWeek(TDateTime date);                              // 1 = Sunday ... 7 = Saturday
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
TDateTime Now();
TDateTime Date();                                           // today, midnight
TDateTime Time();                                           // now, time of day only

QString FormatDateTime(const QString &format, TDateTime value,
                       const TFormatSettings &fs = FormatSettings());
QString DateToStr(TDateTime value, const TFormatSettings &fs = FormatSettings());     // short date
QString TimeToStr(TDateTime value, const TFormatSettings &fs = FormatSettings());     // long time
QString DateTimeToStr(TDateTime value, const TFormatSettings &fs = FormatSettings()); // "c"

// Parses by the locale: the short date order with any of the separators
// ".", "/", "-", an optional time after a blank, two-digit years within the
// century window.
bool TryStrToDate(const QString &text, TDateTime &value,
                  const TFormatSettings &fs = FormatSettings());
bool TryStrToTime(const QString &text, TDateTime &value,
                  const TFormatSettings &fs = FormatSettings());
bool TryStrToDateTime(const QString &text, TDateTime &value,
                      const TFormatSettings &fs = FormatSettings());
TDateTime StrToDate(const QString &text, const TFormatSettings &fs = FormatSettings());
TDateTime StrToTime(const QString &text, const TFormatSettings &fs = FormatSettings());
TDateTime StrToDateTime(const QString &text, const TFormatSettings &fs = FormatSettings());

// ISO 8601 week number of the date (weeks start on Monday; week 1 holds
// the year's first Thursday).
int WeekOfTheYear(TDateTime date);

} // namespace zelmio
