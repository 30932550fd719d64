#include "platform/Formats.h"

#include "FormatTestPrinting.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QString fmt(const char *format, std::vector<QVariant> args, const TFormatSettings &fs = TFormatSettings::usEnglish())
{
    return FormatString(QString::fromUtf8(format), args, fs);
}

} // namespace

TEST(FormatString, Directives)
{
    const struct {
        const char *format;
        std::vector<QVariant> args;
        const char *expected;
    } cases[] = {
        {"plain", {}, "plain"},
        {"100%%", {}, "100%"},
        {"%d", {42}, "42"},
        {"%d", {-42}, "-42"},
        {"%d", {qlonglong(1) << 40}, "1099511627776"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.3d", {7}, "007"},
        {"%.3d", {-7}, "-007"},
        {"%-10.10d", {1234}, "0000001234"},
        {"%-2.2d", {3}, "03"},
        {"F%-2.2d", {12}, "F12"},
        {"%u", {-1}, "4294967295"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%X", {255}, "FF"},
        {"%s", {QStringLiteral("abc")}, "abc"},
        {"%.2s", {QStringLiteral("abc")}, "ab"},
        {"%5s|%-5s|", {QStringLiteral("ab"), QStringLiteral("cd")}, "   ab|cd   |"},
        {"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b")}, "b a b"},
        {"%*d", {4, 7}, "   7"},
        {"%-*d|", {4, 7}, "7   |"},
        {"%.*f", {1, 2.25}, "2.3"},
        {"%f", {2.675}, "2.68"},
        {"%f", {0.75}, "0.75"},
        {"%.0f", {2.5}, "3"},
        {"%4.2f", {0.5}, "0.50"},
        {"%6.1f", {12.34}, "  12.3"},
        {"%2.0f", {1.0}, " 1"},
        {"%f", {5}, "5.00"},
        {"%f", {-0.001}, "0.00"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {-1234567.5}, "-1,234,568"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.00012345}, "-1.23E-004"},
        {"%e", {0.0}, "0.00000000000000E+000"},
        {"%g", {0.1 + 0.2}, "0.3"},
        {"%g", {1e20}, "1E20"},
        {"%.3g", {3.14159}, "3.14"},
        {"%m", {1234.5}, "$1,234.50"},
        {"%m", {-1234.5}, "($1,234.50)"},
        {"%.0m", {12.5}, "$13"},
        {"%6.2f %6.2f", {1.0, 2.0}, "  1.00   2.00"},
        {"Total: %s EUR", {QStringLiteral("12")}, "Total: 12 EUR"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fmt(c.format, c.args), QString::fromUtf8(c.expected)) << c.format;
}

TEST(FormatString, LatvianMoneyAndNumbers)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    EXPECT_EQ(fmt("%m", {1234.5}, lv), QString::fromUtf8("1 234,50 €"));
    EXPECT_EQ(fmt("%m", {-1234.5}, lv), QString::fromUtf8("-1 234,50 €"));
    EXPECT_EQ(fmt("%n", {1234.5}, lv), "1 234,50");
    EXPECT_EQ(fmt("%f", {2.5}, lv), "2,50");
    EXPECT_EQ(fmt("Summa: %m", {0.0}, lv), QString::fromUtf8("Summa: 0,00 €"));
}

TEST(FormatString, CurrencyPlacements)
{
    TFormatSettings fs = TFormatSettings::usEnglish();
    fs.CurrencyString = QStringLiteral("EUR");
    const char *positive[4] = {"EUR1.00", "1.00EUR", "EUR 1.00", "1.00 EUR"};
    for (int i = 0; i < 4; ++i) {
        fs.CurrencyFormat = i;
        EXPECT_EQ(fmt("%m", {1.0}, fs), QString::fromLatin1(positive[i])) << i;
    }
    const char *negative[16] = {"(EUR1.00)", "-EUR1.00", "EUR-1.00", "EUR1.00-", "(1.00EUR)", "-1.00EUR",
                                "1.00-EUR", "1.00EUR-", "-1.00 EUR", "-EUR 1.00", "1.00 EUR-", "EUR 1.00-",
                                "EUR -1.00", "1.00- EUR", "(EUR 1.00)", "(1.00 EUR)"};
    for (int i = 0; i < 16; ++i) {
        fs.NegCurrFormat = i;
        EXPECT_EQ(fmt("%m", {-1.0}, fs), QString::fromLatin1(negative[i])) << i;
    }
    fs.CurrencyDecimals = 0;
    fs.CurrencyFormat = 0;
    EXPECT_EQ(fmt("%m", {1234.4}, fs), "EUR1,234");
}

TEST(FormatString, WrongArgumentsRaise)
{
    const struct {
        const char *format;
        std::vector<QVariant> args;
    } cases[] = {
        {"%d", {1.5}},
        {"%d", {QStringLiteral("1")}},
        {"%s", {1}},
        {"%f", {QStringLiteral("x")}},
        {"%x", {2.0}},
        {"%d", {}},
        {"%d %d", {1}},
        {"%5:d", {1}},
        {"%q", {1}},
        {"abc %", {1}},
        {"%-", {1}},
    };
    for (const auto &c : cases)
        EXPECT_THROW(fmt(c.format, c.args), EConvertError) << c.format;
    try {
        fmt("%d", {1.5});
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.message(), "Format '%d' invalid or incompatible with argument");
    }
}
