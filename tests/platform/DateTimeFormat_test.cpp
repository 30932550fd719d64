#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Tuesday, 8 December 2026, 14:05:09.007
TDateTime sample()
{
    return EncodeDate(2026, 12, 8) + EncodeTime(14, 5, 9, 7);
}

} // namespace

TEST(FormatDateTime, EverySpecifierUnderLatvian)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const struct {
        const char *format;
        const char *expected;
    } cases[] = {
        {"d", "8"}, {"dd", "08"}, {"ddd", "otrd."}, {"dddd", "otrdiena"},
        {"ddddd", "08.12.2026"}, {"dddddd", "2026. gada 8. decembris"},
        {"m", "12"}, {"mm", "12"}, {"mmm", "dec."}, {"mmmm", "decembris"},
        {"yy", "26"}, {"yyyy", "2026"}, {"y", "26"},
        {"h", "14"}, {"hh", "14"}, {"n", "5"}, {"nn", "05"}, {"s", "9"}, {"ss", "09"},
        {"z", "7"}, {"zzz", "007"},
        {"t", "14:05"}, {"tt", "14:05:09"},
        {"c", "08.12.2026 14:05:09"},
        {"hh:mm", "14:05"}, {"h:m", "14:5"}, {"hh mm", "14 05"}, {"mm/dd", "12.08"},
        {"hh:nn:ss", "14:05:09"},
        {"dd/mm/yyyy", "08.12.2026"}, {"hh:nn", "14:05"},
        {"DD.MM.YYYY", "08.12.2026"}, {"HH:NN", "14:05"},
        {"'day' d", "day 8"}, {"\"mm\" mm", "mm 12"}, {"'unclosed", "unclosed"},
        {"yyyy-mm-dd", "2026-12-08"}, {"x", "x"},
        {"h am/pm", "2 pm"}, {"h AM/PM", "2 PM"}, {"h a/p", "2 p"}, {"h A/P", "2 P"},
        {"h ampm", "2 p\u0113cp."}, {"hh ampm", "02 p\u0113cp."},
        {"", "08.12.2026 14:05:09"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), sample(), lv), QString::fromUtf8(c.expected))
            << c.format;
}

TEST(FormatDateTime, UsEnglish)
{
    const TFormatSettings us = TFormatSettings::usEnglish();
    const struct {
        const char *format;
        double value;
        const char *expected;
    } cases[] = {
        {"c", sample(), "12/8/2026 2:05:09 PM"},
        {"c", EncodeDate(2026, 12, 8), "12/8/2026"},
        {"ddddd", sample(), "12/8/2026"},
        {"dddddd", sample(), "Tuesday, December 8, 2026"},
        {"ddd mmm", sample(), "Tue Dec"},
        {"t", sample(), "2:05 PM"},
        {"tt", EncodeTime(0, 30, 0, 0), "12:30:00 AM"},
        {"tt", EncodeTime(12, 0, 0, 0), "12:00:00 PM"},
        {"hh:nn", sample(), "14:05"},
        {"mm/dd/yy", sample(), "12/08/26"},
        {"c", EncodeTime(10, 0, 0, 0), "12/30/1899 10:00:00 AM"},
        {"c", ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), "12/29/1899 6:00:00 AM"},
        {"yyyy", EncodeDate(1, 1, 1), "0001"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), c.value, us), QString::fromUtf8(c.expected))
            << c.format;
}

TEST(FormatDateTime, ShortcutsAndSelfReferringFormats)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    EXPECT_EQ(DateToStr(sample(), lv), "08.12.2026");
    EXPECT_EQ(TimeToStr(sample(), lv), "14:05:09");
    EXPECT_EQ(DateTimeToStr(sample(), lv), "08.12.2026 14:05:09");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 12, 8), lv), "08.12.2026");

    // A locale format that names itself stops instead of recursing forever.
    TFormatSettings odd = lv;
    odd.ShortDateFormat = QStringLiteral("c");
    odd.LongTimeFormat = QStringLiteral("tt");
    EXPECT_NO_THROW(FormatDateTime(QStringLiteral("c"), sample(), odd));

    // Values outside the calendar give no names and no crash.
    EXPECT_NO_THROW(FormatDateTime(QStringLiteral("dddd mmmm"), 1e12, lv));

    ScopedFormatSettings scoped(TFormatSettings::usEnglish());
    EXPECT_EQ(DateToStr(sample()), "12/8/2026");
}
