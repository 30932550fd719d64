#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>

#include <QDate>
#include <cmath>
#include <limits>

using namespace zelmio;

TEST(DateTimeCalc, EncodeAndDecodeDates)
{
    const struct {
        int y, m, d;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0}, {1899, 12, 31, 1}, {1899, 12, 29, -1}, {1900, 1, 1, 2},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351}, {2026, 12, 8, 46364},
        {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        int y = 0, m = 0, d = 0;
        DecodeDate(ComposeDateTime(c.serial, 0.75), y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(DateTimeCalc, InvalidDatesAndTimes)
{
    TDateTime v = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, v));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, v));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, v));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, v));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
    EXPECT_EQ(v, 123);
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, v));
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);

    int y = -1, m = -1, d = -1;
    DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d);
    EXPECT_EQ(y + m + d, 0);
    DecodeDate(1e12, y, m, d);
    EXPECT_EQ(y + m + d, 0);
}

TEST(DateTimeCalc, TimesAndNegativeValues)
{
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    int h, n, s, z;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, z);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 235959999);
    DecodeTime(EncodeTime(13, 5, 7, 8), h, n, s, z);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 130507008);

    // Before 30 December 1899 the fraction still is the time of day.
    const TDateTime v = ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0));
    EXPECT_DOUBLE_EQ(v, -1.25);
    int y, m, d;
    DecodeDate(v, y, m, d);
    EXPECT_EQ(d, 29);
    DecodeTime(v, h, n, s, z);
    EXPECT_EQ(h, 6);
    EXPECT_DOUBLE_EQ(ComposeDateTime(2, 0.25), 2.25);

    // A time that rounds up to midnight belongs to the next day.
    DecodeDate(1.0 - 1e-10, y, m, d);
    DecodeTime(1.0 - 1e-10, h, n, s, z);
    EXPECT_EQ(d, 31);
    EXPECT_EQ(h + n + s + z, 0);
}

TEST(DateTimeCalc, CalendarFacts)
{
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);

    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3);   // Tuesday
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);    // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);  // Friday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2021, 1, 3)), 1);    // Sunday
}

TEST(DateTimeCalc, IsoWeekNumbersAroundYearEnds)
{
    const struct {
        int y, m, d, week;
    } cases[] = {
        {2026, 12, 8, 50}, {2024, 2, 29, 9},  {2021, 1, 3, 53}, {2020, 12, 31, 53}, {2026, 1, 1, 1},
        {2015, 12, 31, 53}, {2016, 1, 3, 53}, {2016, 1, 4, 1},  {2008, 12, 29, 1},  {2010, 1, 3, 53},
        {2000, 1, 1, 52},   {2019, 12, 30, 1}, {2018, 12, 31, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WeekOfTheYear(EncodeDate(c.y, c.m, c.d) + 0.5), c.week) << c.y << "-" << c.m << "-" << c.d;
}

TEST(DateTimeCalc, CurrentMoment)
{
    const TDateTime today = Date();
    EXPECT_EQ(today, std::floor(today));
    const TDateTime now = Now();
    EXPECT_GE(now, today);
    EXPECT_LT(now, today + 2);
    const TDateTime t = Time();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 1.0);
    int y, m, d;
    DecodeDate(today, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate::currentDate());
}
