#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>
#include <string>

#include <cmath>
#include <limits>

using namespace zelmio;

namespace {

TFormatSettings dotComma()
{
    return TFormatSettings::usEnglish();
}

struct MaskCase {
    const char *mask;
    double value;
    const char *expected;
};

} // namespace

TEST(FormatFloat, MasksUnderUsEnglish)
{
    const MaskCase cases[] = {
        // The documented examples.
        {"#,##0.00", 1234.5, "1,234.50"},
        {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
        {"0.00;-0.00;'nulle'", 0.0, "nulle"},
        {"#.##", 0.5, ".5"},
        {"000", 12, "012"},
        {"0.00E+00", 1234, "1.23E+03"},
        // Digit placeholders.
        {"0", 0.0, "0"},
        {"#", 0.0, ""},
        {"#.##", 1.0, "1"},
        {"#.##", 1.5, "1.5"},
        {"0.0#", 1.0, "1.0"},
        {"0.0#", 1.256, "1.26"},
        {"00.000", 3.14159, "03.142"},
        {"#,##0", 1234567, "1,234,567"},
        {"#,##0", 123, "123"},
        {"#,##0", 1000, "1,000"},
        {"0,000", 5, "0,005"},
        {"#,###,##0", 1234, "1,234"},
        {"#,##0.00", -0.5, "-0.50"},
        {"#,##0", -1234567, "-1,234,567"},
        {"#,##0.00", 999.999, "1,000.00"},
        {"#,##0.00", 1e9, "1,000,000,000.00"},
        {"0", 2.5, "3"},
        {"0", 0.4, "0"},
        {"0", 123456789012.0, "123456789012"},
        {"0", 9007199254740992.0, "9007199254740992"},
        {".00", 0.25, ".25"},
        {".00", 12.5, "12.50"},
        {"#.#", 1234.56, "1234.6"},
        // Rounding halves away from zero on the decimal value.
        {"0.00", 2.675, "2.68"},
        {"0.00", 1.005, "1.01"},
        {"0.00", 1.125, "1.13"},
        {"0.00", -2.675, "-2.68"},
        {"0.0", 0.05, "0.1"},
        {"0.00", 0.1 + 0.2, "0.30"},
        {"0.000", 1.0005, "1.001"},
        // Sections.
        {"0.00;(0.00)", 5, "5.00"},
        {"0.00;(0.00)", -5, "(5.00)"},
        {"0.00", -5, "-5.00"},
        {"0.00;", -5, "-5.00"},
        {"0.00;;'zero'", -5, "-5.00"},
        {"0.00;;'zero'", 0, "zero"},
        {"0.00;(0.00);'zero'", -0.001, "zero"},
        {"0.00;(0.00)", -0.001, "0.00"},
        {"0.00", -0.001, "0.00"},
        {"0.00;(0.00)", 0.0, "0.00"},
        // Scientific notation.
        {"0.00E+00", 0.001234, "1.23E-03"},
        {"0.00E-00", 1234, "1.23E03"},
        {"0.00E-00", 0.001234, "1.23E-03"},
        {"0.00e+0", 1234, "1.23e+3"},
        {"0.###E+000", 1500, "1.5E+003"},
        {"00.0E+0", 1234, "12.3E+2"},
        {"0.00E+00", 0, "0.00E+00"},
        {"0.00E+00", 9.999, "1.00E+01"},
        {"0E+0", 5e100, "5E+100"},
        // Literals and other characters.
        {"'Total: '0.00", 3, "Total: 3.00"},
        {"\"#\"0", 7, "#7"},
        {"0.00' EUR'", 3, "3.00 EUR"},
        {"0 kg", 12, "12 kg"},
        {"$#,##0.00", -1234.5, "-$1,234.50"},
        {"'a;b'0", 1, "a;b1"},
        {"00-00", 1234, "12-34"},
        {"0%", 50, "50%"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.mask), c.value, dotComma()), QString::fromUtf8(c.expected))
            << "mask " << c.mask << " value " << c.value;
    }
}

TEST(FormatFloat, LatvianSeparators)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, lv), "1 234 567,89");
    EXPECT_EQ(FormatFloat("0.00", 2.675, lv), "2,68");
    EXPECT_EQ(FormatFloat("0.00E+00", 1234, lv), "1,23E+03");
    EXPECT_EQ(FormatFloat("#,##0.00;-#,##0.00;'nulle'", 0, lv), "nulle");
}

TEST(FormatFloat, EmptyMaskAndSpecialValues)
{
    const TFormatSettings us = dotComma();
    EXPECT_EQ(FormatFloat("", 0.1 + 0.2, us), "0.3");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN(), us), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity(), us), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity(), us), "-INF");
}

TEST(FormatFloat, ReadsTheProcessWideRecordByDefault)
{
    ScopedFormatSettings lv(TFormatSettings::latvian());
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1 234,50");
    EXPECT_EQ(FloatToStr(1.5), "1,5");
}

TEST(FloatToStr, ShortestGeneralText)
{
    const TFormatSettings us = dotComma();
    const std::pair<double, const char *> cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.5, "-1.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {100.0, "100"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1e20, "-1E20"},
        {1.5e-5, "1.5E-5"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {1.23456789012345678e-10, "1.23456789012346E-10"},
        {12345678901234567.0, "1.23456789012346E16"},
        {1e300, "1E300"},
        {5e-324, "5E-324"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(FloatToStr(value, us), QString::fromLatin1(expected)) << value;
    EXPECT_EQ(FloatToStr(-12.25, TFormatSettings::latvian()), "-12,25");
}

TEST(FloatToStr, GeneralWithPrecisionAndExponentDigits)
{
    const TFormatSettings us = dotComma();
    EXPECT_EQ(FloatToStrGeneral(3.14159, 3, 0, us), "3.14");
    EXPECT_EQ(FloatToStrGeneral(1234.5, 3, 0, us), "1.23E3");
    EXPECT_EQ(FloatToStrGeneral(1234.5, 3, 2, us), "1.23E03");
    EXPECT_EQ(FloatToStrGeneral(0.000012, 15, 3, us), "1.2E-005");
    EXPECT_EQ(FloatToStrGeneral(999.96, 4, 0, us), "1000");
    EXPECT_EQ(FloatToStrGeneral(99999.6, 5, 0, us), "1E5");
}

TEST(StrToFloat, ParsesLocaleText)
{
    const std::string kHugePlain(400, '9');
    const std::string kHugeFraction = std::string(400, '9') + ".5";
    const std::string kTinyPlain = "0." + std::string(400, '0') + "1";
    const std::string kHugeScaledDown = "1" + std::string(400, '0') + "e-401";
    const TFormatSettings lv = TFormatSettings::latvian();
    const TFormatSettings us = dotComma();
    const struct {
        const char *text;
        bool latvian;
        double expected;
    } good[] = {
        {"1,5", true, 1.5},         {"  -12,25  ", true, -12.25}, {"+3", true, 3.0},
        {",5", true, 0.5},          {"5,", true, 5.0},           {"1,5E3", true, 1500.0},
        {"1e-2", false, 0.01},      {"1.5", false, 1.5},         {"1E+308", false, 1e308},
        {"1e-400", false, 0.0},     {"007", false, 7.0},
        // Beyond the range of a double without an exponent, and back in range by one.
        {kTinyPlain.c_str(), false, 0.0}, {kHugeScaledDown.c_str(), false, 1e-1},
    };
    for (const auto &c : good) {
        double v = -99;
        EXPECT_TRUE(TryStrToFloat(QString::fromLatin1(c.text), v, c.latvian ? lv : us)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.text;
    }
    const struct {
        const char *text;
        bool latvian;
    } bad[] = {
        {"1.5", true},  {"", false},    {"  ", false}, {"abc", false}, {"1,5", false}, {"1e", false},
        {"e5", false},  {".", false},   {"-", false},  {"1 000", false}, {"1e999", false}, {"1.2.3", false},
        {"0x10", false}, {"NAN", false}, {kHugePlain.c_str(), false}, {kHugeFraction.c_str(), false},
    };
    for (const auto &c : bad) {
        double v = -99;
        EXPECT_FALSE(TryStrToFloat(QString::fromLatin1(c.text), v, c.latvian ? lv : us)) << c.text;
        EXPECT_EQ(v, -99) << c.text;
    }
    EXPECT_THROW(StrToFloat("x", us), EConvertError);
    try {
        StrToFloat("12x", us);
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.message(), "'12x' is not a valid floating point value");
    }
}

TEST(StrToInt, DecimalAndHex)
{
    const std::pair<const char *, int> good[] = {
        {"0", 0}, {"42", 42}, {" -17 ", -17}, {"+5", 5}, {"$FF", 255}, {"$ff", 255}, {"0x10", 16},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int>::min()},
        {"$FFFFFFFF", -1}, {"$7FFFFFFF", 2147483647},
    };
    for (const auto &[text, expected] : good) {
        int v = -99;
        EXPECT_TRUE(TryStrToInt(QString::fromLatin1(text), v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char *text : {"", "-", "$", "1.5", "12a", "2147483648", "-2147483649", "$100000000", "$G", "1 2"}) {
        int v = -99;
        EXPECT_FALSE(TryStrToInt(QString::fromLatin1(text), v)) << text;
    }
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_THROW(StrToInt("abc"), EConvertError);
}
