// zelmio-tool words and date-words run from outside, as a script compares
// their output byte for byte: the result alone on one line.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <QDate>

namespace {

const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);

struct Row {
    QStringList args;
    const char *line;   // the whole standard output without its line end
};

void expectLines(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out.toStdString(), std::string(row.line) + "\n");
    }
}

} // namespace

TEST(WordsCommand, PrintsTheAmountInWordsExactly)
{
    expectLines({
        {{"words", "lv", "12.34", "EUR"}, " Divpadsmit EUR trīsdesmit četri centi"},
        {{"words", "lv", "0.21", "EUR"}, "** Nulle EUR divdesmit viens cents"},
        {{"words", "lv", "0", "EUR"}, " 0 EUR 0 centi"},
        {{"words", "lv", "12.34", "GBP"}, " Divpadsmit GBP trīsdesmit četri "},
        {{"words", "lv", "1.999", "EUR"}, " Divi EUR  00 centi"},
        {{"words", "lv", "-2001"}, " Divi tūkstoši viens EUR  00 centi"},
        {{"words", "en", "0.11", "EUR"}, "** nil EUR eleven   cents"},
        {{"words", "en", "1.999", "EUR"}, " One EUR  00 cents"},
        {{"words", "en", "1000000000", "EUR"}, "pārāk daudz ..."},
        {{"words", "ru", "1000", "EUR"}, " один тысяча EUR  00 центов"},
        {{"words", "ru", "0.23", "EUR"}, "** Nulle EUR двадцать  три  цента"},
        {{"words", "sv", "1000000", "EUR"}, " Ett miljoner EUR  00 cents"},
        {{"words", "sv", "0", "SEK"}, "0 SEK 0 ören"},
        {{"words", "sv", "0.004", "EUR"}, "alltför mycket ..."},
    });
}

TEST(DateWordsCommand, PrintsTheDateInWordsExactly)
{
    expectLines({
        {{"date-words", "--locale", "lv", "lv", "08.12.2026"}, "2026. gada 08. decembrī"},
        {{"date-words", "--locale", "lv", "en", "08.12.2026"}, "08 December 2026 year"},
        {{"date-words", "--locale", "lv", "ru", "08.12.2026"}, "08 Декабря 2026 года"},
        {{"date-words", "--locale", "lv", "sv", "08.12.2026"}, "den 08 december 2026"},
        {{"date-words", "--locale", "en", "en", "12/8/2026"}, "08 December 2026 year"},
        {{"date-words", "--locale=en", "lv", "12/8/2026 2:05 PM"}, "2026. gada 08. decembrī"},
    });
    const ProgramResult r = RunProgram(kTool, {"date-words", "--locale", "lv", "lv", "tek_dat"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(QString::number(QDate::currentDate().year()) + QStringLiteral(". gada ")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 1);
}

TEST(WordsCommands, BadInputIsReportedWithoutOutput)
{
    const struct {
        QStringList args;
        int exitCode;
        const char *message;
    } rows[] = {
        {{"words"}, 2, "expected a language"},
        {{"words", "lv"}, 2, "expected a language"},
        {{"words", "xx", "1"}, 2, "unknown language 'xx'"},
        {{"words", "lv", "12,34"}, 2, "'12,34' is not an amount"},
        {{"words", "lv", "1", "EUR", "extra"}, 2, "expected a language"},
        {{"date-words", "--locale", "de", "lv", "08.12.2026"}, 2, "unknown locale 'de'"},
        {{"date-words", "--locale"}, 2, "--locale needs a value"},
        {{"date-words", "--locale", "lv", "lv"}, 2, "expected a language"},
        {{"date-words", "--locale", "lv", "fi", "08.12.2026"}, 2, "unknown language 'fi'"},
        {{"date-words", "--locale", "lv", "lv", "31.02.2026"}, 1, "'31.02.2026' is not a date"},
        {{"date-words", "--locale", "lv", "lv", "nonsense"}, 1, "'nonsense' is not a date"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(row.message))) << r.err.toStdString();
    }
}
