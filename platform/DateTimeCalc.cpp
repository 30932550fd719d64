// Date arithmetic: encoding, decoding, calendar facts, the current moment.
#include "platform/DateTimeParts.h"
#include "platform/Formats.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace zelmio {

namespace {

constexpr qint64 kJulianDayOfZero = 2415019;   // 30 December 1899
constexpr double kMsecsPerDay = 86400000.0;

} // namespace

TDateTimeParts TDateTimeParts::split(TDateTime value)
{
    TDateTimeParts p;
    if (!std::isfinite(value) || value <= double(kMinDateDay - 1) || value >= double(kMaxDateDay + 1))
        return p;
    p.day = qint64(std::trunc(value));
    qint64 ms = std::llround(std::fabs(value - double(p.day)) * kMsecsPerDay);
    if (ms >= qint64(kMsecsPerDay)) {
        // Rounded up to the next midnight: forwards for positive values,
        // backwards for negative ones.
        ms = 0;
        p.day += value < 0 ? -1 : 1;
    }
    p.msec = int(ms);
    p.valid = p.day >= kMinDateDay && p.day <= kMaxDateDay;
    return p;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    // Before 30 December 1899 the time is counted away from zero.
    return date < 0 ? date - std::fabs(time) : date + std::fabs(time);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime &date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = double(QDate(year, month, day).toJulianDay() - kJulianDayOfZero);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d))
        throw EConvertError(QStringLiteral("Invalid date: year %1, month %2, day %3").arg(year).arg(month).arg(day));
    return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    time = double(((qint64(hour) * 60 + min) * 60 + sec) * 1000 + msec) / kMsecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime t = 0;
    if (!TryEncodeTime(hour, min, sec, msec, t))
        throw EConvertError(QStringLiteral("Invalid time: %1:%2:%3.%4").arg(hour).arg(min).arg(sec).arg(msec));
    return t;
}

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
    const TDateTimeParts p = TDateTimeParts::split(date);
    if (!p.valid) {
        year = month = day = 0;
        return;
    }
    QDate::fromJulianDay(p.day + kJulianDayOfZero).getDate(&year, &month, &day);
}

void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec)
{
    const TDateTimeParts p = TDateTimeParts::split(time);
    const int ms = p.valid ? p.msec : 0;
    hour = ms / 3600000;
    min = ms / 60000 % 60;
    sec = ms / 1000 % 60;
    msec = ms % 1000;
}

int DayOfWeek(TDateTime date)
{
    const TDateTimeParts p = TDateTimeParts::split(date);
    if (!p.valid)
        return 0;
    // Day 0 (30 December 1899) was a Saturday.
    return int(((p.day + 6) % 7 + 7) % 7) + 1;
}

int WeekOfTheYear(TDateTime date)
{
    const TDateTimeParts p = TDateTimeParts::split(date);
    if (!p.valid)
        return 0;
    return QDate::fromJulianDay(p.day + kJulianDayOfZero).weekNumber();
}

TDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return double(now.date().toJulianDay() - kJulianDayOfZero) + now.time().msecsSinceStartOfDay() / kMsecsPerDay;
}

TDateTime Date()
{
    return double(QDate::currentDate().toJulianDay() - kJulianDayOfZero);
}

TDateTime Time()
{
    return QTime::currentTime().msecsSinceStartOfDay() / kMsecsPerDay;
}

} // namespace zelmio
