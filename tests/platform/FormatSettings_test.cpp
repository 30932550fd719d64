#include "platform/FormatSettings.h"
#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace zelmio;

TEST(FormatSettings, FixedRecords)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    EXPECT_EQ(lv.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(lv.ThousandSeparator, QLatin1Char(' '));
    EXPECT_EQ(lv.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(lv.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(lv.CurrencyString, QString::fromUtf8("€"));
    EXPECT_EQ(lv.LongMonthNames[0], QString::fromUtf8("janvāris"));
    EXPECT_EQ(lv.LongDayNames[0], QString::fromUtf8("svētdiena"));
    const TFormatSettings us = TFormatSettings::usEnglish();
    EXPECT_EQ(us.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(us.LongTimeFormat, "h:nn:ss AMPM");
    EXPECT_EQ(us.LongMonthNames[11], "December");
    for (const TFormatSettings *fs : {&lv, &us}) {
        for (const QString &s : fs->ShortMonthNames)
            EXPECT_FALSE(s.isEmpty());
        for (const QString &s : fs->ShortDayNames)
            EXPECT_FALSE(s.isEmpty());
    }
}

TEST(FormatSettings, ScopedRecordIsRestored)
{
    const TFormatSettings before = FormatSettings();
    {
        ScopedFormatSettings lv(TFormatSettings::latvian());
        EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
        {
            ScopedFormatSettings us(TFormatSettings::usEnglish());
            EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char('.'));
        }
        EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
    }
    EXPECT_EQ(FormatSettings().ShortDateFormat, before.ShortDateFormat);
    EXPECT_EQ(FormatSettings().DecimalSeparator, before.DecimalSeparator);
}

TEST(FormatSettings, TranslatesQtLocales)
{
    const TFormatSettings lv = TFormatSettings::fromLocale(QLocale(QLocale::Latvian, QLocale::Latvia));
    EXPECT_EQ(lv.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(lv.DateSeparator, QLatin1Char('.'));
    EXPECT_EQ(lv.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(lv.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(lv.CurrencyString, QString::fromUtf8("€"));
    EXPECT_EQ(lv.CurrencyFormat, 3);
    EXPECT_EQ(lv.NegCurrFormat, 8);
    EXPECT_EQ(lv.LongMonthNames[0], QString::fromUtf8("janvāris"));
    EXPECT_EQ(lv.LongDayNames[0], QString::fromUtf8("svētdiena"));
    EXPECT_TRUE(lv.LongDateFormat.contains(QLatin1String("'gada'"))) << lv.LongDateFormat.toStdString();

    const TFormatSettings us = TFormatSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(us.ShortTimeFormat, "h:nn ampm");
    EXPECT_EQ(us.LongTimeFormat, "h:nn:ss ampm");
    EXPECT_EQ(us.TimePMString, "PM");
    EXPECT_EQ(us.CurrencyString, "$");
    EXPECT_EQ(us.CurrencyFormat, 0);
    EXPECT_EQ(us.LongDayNames[1], "Monday");

    const TDateTime moment = EncodeDate(2026, 12, 8) + EncodeTime(14, 5, 9, 0);
    EXPECT_EQ(DateTimeToStr(moment, lv), "08.12.2026 14:05:09");
    EXPECT_EQ(DateTimeToStr(moment, us), "12/8/2026 2:05:09 PM");
    EXPECT_EQ(FormatString(QStringLiteral("%m"), {1234.5}, us), "$1,234.50");
}

TEST(FormatSettings, SystemRecordIsConsistent)
{
    const TFormatSettings fs = TFormatSettings::fromSystem();
    EXPECT_FALSE(fs.ShortDateFormat.isEmpty());
    EXPECT_FALSE(fs.LongTimeFormat.isEmpty());
    EXPECT_TRUE(fs.ShortDateFormat.contains(QLatin1String("yyyy"))) << fs.ShortDateFormat.toStdString();
    EXPECT_FALSE(fs.LongTimeFormat.contains(QLatin1Char('t')));
    EXPECT_FALSE(fs.LongMonthNames[0].isEmpty());
    EXPECT_FALSE(fs.LongDayNames[0].isEmpty());
    EXPECT_GE(fs.NegCurrFormat, 0);
    EXPECT_LE(fs.NegCurrFormat, 15);
    // What the system record writes, it reads back.
    const TDateTime moment = EncodeDate(2026, 12, 8) + EncodeTime(14, 5, 9, 0);
    TDateTime back = 0;
    ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(moment, fs), back, fs)) << DateTimeToStr(moment, fs).toStdString();
    EXPECT_DOUBLE_EQ(back, moment);
    double x = 0;
    ASSERT_TRUE(TryStrToFloat(FloatToStr(1234.5, fs), x, fs));
    EXPECT_EQ(x, 1234.5);
}
