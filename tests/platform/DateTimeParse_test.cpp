#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace zelmio;

namespace {

struct Ymd {
    int y, m, d;
};

Ymd ymd(TDateTime v)
{
    Ymd r{};
    DecodeDate(v, r.y, r.m, r.d);
    return r;
}

} // namespace

TEST(DateParse, DatesByLocaleOrder)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const TFormatSettings us = TFormatSettings::usEnglish();
    TFormatSettings ymdLocale = lv;
    ymdLocale.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    const int thisYear = QDate::currentDate().year();
    const struct {
        const char *text;
        const TFormatSettings *fs;
        int y, m, d;
    } cases[] = {
        {"08.12.2026", &lv, 2026, 12, 8},
        {"8.12.2026", &lv, 2026, 12, 8},
        {"08/12/2026", &lv, 2026, 12, 8},
        {"08-12-2026", &lv, 2026, 12, 8},
        {"08.12.2026.", &lv, 2026, 12, 8},
        {"  08.12.2026  ", &lv, 2026, 12, 8},
        {"29.02.2024", &lv, 2024, 2, 29},
        {"2026-12-08", &lv, 2026, 12, 8},
        {"12/8/2026", &us, 2026, 12, 8},
        {"12.8.2026", &us, 2026, 12, 8},
        {"2026/12/8", &ymdLocale, 2026, 12, 8},
        {"0001-01-01", &ymdLocale, 1, 1, 1},
        {"08.12", &lv, thisYear, 12, 8},
        {"12/8", &us, thisYear, 12, 8},
        {"12-8", &ymdLocale, thisYear, 12, 8},
    };
    for (const auto &c : cases) {
        TDateTime v = -1;
        ASSERT_TRUE(TryStrToDate(QString::fromUtf8(c.text), v, *c.fs)) << c.text;
        const Ymd r = ymd(v);
        EXPECT_EQ(r.y, c.y) << c.text;
        EXPECT_EQ(r.m, c.m) << c.text;
        EXPECT_EQ(r.d, c.d) << c.text;
        EXPECT_EQ(v, std::floor(v)) << c.text;
    }
}

TEST(DateParse, BadDates)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    for (const char *text : {"", "   ", "abc", "08", "29.02.2023", "31.04.2026", "32.01.2026", "00.01.2026",
                             "08.13.2026", "08.12.2026x", "08.12/2026", "08..12.2026", "08.12.20266",
                             "08:12:2026", "8 December 2026", "08.12.2026 14", "1.2.3.4", "08.12.-2026"}) {
        TDateTime v = -7;
        EXPECT_FALSE(TryStrToDate(QString::fromUtf8(text), v, lv)) << text;
        EXPECT_EQ(v, -7) << text;
    }
    EXPECT_THROW(StrToDate(QStringLiteral("31.02.2026"), lv), EConvertError);
    try {
        StrToDate(QStringLiteral("nav"), lv);
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.message(), "'nav' is not a valid date");
    }
}

TEST(DateParse, TwoDigitYearsFollowTheCenturyWindow)
{
    TFormatSettings lv = TFormatSettings::latvian();
    const int thisYear = QDate::currentDate().year();
    for (int window : {50, 20, 80}) {
        lv.TwoDigitYearCenturyWindow = window;
        const int base = thisYear - window;
        for (int yy : {0, 5, 30, 49, 50, 75, 99}) {
            TDateTime v = 0;
            const QString text = QStringLiteral("01.06.%1").arg(yy, 2, 10, QLatin1Char('0'));
            ASSERT_TRUE(TryStrToDate(text, v, lv)) << text.toStdString();
            const int year = ymd(v).y;
            EXPECT_GE(year, base) << text.toStdString() << " window " << window;
            EXPECT_LT(year, base + 100) << text.toStdString() << " window " << window;
            EXPECT_EQ(year % 100, yy);
        }
    }
    // A year written with three or four digits is taken as written.
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("01.06.0026"), v, lv));
    EXPECT_EQ(ymd(v).y, 26);
}

TEST(DateParse, Times)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const TFormatSettings us = TFormatSettings::usEnglish();
    const struct {
        const char *text;
        const TFormatSettings *fs;
        int h, n, s, z;
    } cases[] = {
        {"14:05", &lv, 14, 5, 0, 0},
        {"14:05:09", &lv, 14, 5, 9, 0},
        {"4:5:9", &lv, 4, 5, 9, 0},
        {"14:05:09,5", &lv, 14, 5, 9, 500},
        {"14:05:09.123", &lv, 14, 5, 9, 123},
        {" 00:00 ", &lv, 0, 0, 0, 0},
        {"2:05:09 PM", &us, 14, 5, 9, 0},
        {"12:00 AM", &us, 0, 0, 0, 0},
        {"12:30 pm", &us, 12, 30, 0, 0},
        {"3 PM", &us, 15, 0, 0, 0},
        {"11:59:59 P", &us, 23, 59, 59, 0},
        {"2:05 p\u0113cp.", &lv, 14, 5, 0, 0},
    };
    for (const auto &c : cases) {
        TDateTime v = -1;
        ASSERT_TRUE(TryStrToTime(QString::fromUtf8(c.text), v, *c.fs)) << c.text;
        int h, n, s, z;
        DecodeTime(v, h, n, s, z);
        EXPECT_EQ(h, c.h) << c.text;
        EXPECT_EQ(n, c.n) << c.text;
        EXPECT_EQ(s, c.s) << c.text;
        EXPECT_EQ(z, c.z) << c.text;
        EXPECT_LT(v, 1.0);
    }
    for (const char *text : {"", "14", "24:00", "14:60", "14:05:60", "13:00 PM", "0:30 AM", "14:05 xx", "14-05",
                             "14::05", "1405"}) {
        TDateTime v = -7;
        EXPECT_FALSE(TryStrToTime(QString::fromUtf8(text), v, us)) << text;
        EXPECT_EQ(v, -7) << text;
    }
    EXPECT_THROW(StrToTime(QStringLiteral("25:00"), lv), EConvertError);
}

TEST(DateParse, DateAndTime)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const TFormatSettings us = TFormatSettings::usEnglish();
    const TDateTime expected = EncodeDate(2026, 12, 8) + EncodeTime(14, 5, 9, 0);
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("08.12.2026 14:05:09"), v, lv));
    EXPECT_DOUBLE_EQ(v, expected);
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("12/8/2026 2:05:09 PM"), v, us));
    EXPECT_DOUBLE_EQ(v, expected);
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("2026-12-08T14:05:09"), v, lv));
    EXPECT_DOUBLE_EQ(v, expected);
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("08.12.2026"), v, lv));
    EXPECT_DOUBLE_EQ(v, EncodeDate(2026, 12, 8));
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("14:05"), v, lv));
    EXPECT_DOUBLE_EQ(v, EncodeTime(14, 5, 0, 0));
    // A time before 30 December 1899 counts away from zero.
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("29.12.1899 06:00"), v, lv));
    EXPECT_DOUBLE_EQ(v, -1.25);

    // What DateTimeToStr writes reads back.
    ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(expected, us), v, us));
    EXPECT_DOUBLE_EQ(v, expected);
    ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(expected, lv), v, lv));
    EXPECT_DOUBLE_EQ(v, expected);

    for (const char *text : {"08.12.2026 25:00", "08.12.202614:05", "08.12.2026 14:05 x", "x 14:05",
                             "08.12.2026 ", "garbage"}) {
        TDateTime w = -7;
        const bool ok = TryStrToDateTime(QString::fromUtf8(text), w, lv);
        if (QByteArray(text) == "08.12.2026 ") {
            EXPECT_TRUE(ok);   // trailing blanks are allowed
            continue;
        }
        EXPECT_FALSE(ok) << text;
        EXPECT_EQ(w, -7) << text;
    }
    EXPECT_THROW(StrToDateTime(QStringLiteral("nope"), lv), EConvertError);
}
