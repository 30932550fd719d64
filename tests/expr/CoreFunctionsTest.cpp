// The core functions through whole expressions, as templates use them.
#include "expr/EIntOverflow.h"
#include "expr/VxEvaluator.h"
#include "ExpressionCases.h"
#include "platform/FormatSettings.h"
#include "platform/Formats.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

using K = TVxEvResultType;

using test::Case;
using test::calculate;
using test::checkCases;

class CoreFunctionsTest : public ::testing::Test {
protected:
    ScopedFormatSettings locale{TFormatSettings::usEnglish()};
};

} // namespace

TEST_F(CoreFunctionsTest, LogicalAndInformation)
{
    checkCases({
        {"TRUE", K::resBool, "True"},
        {"false", K::resBool, "False"},
        {"TRUE(1)", K::resError, "Too many arguments"},
        {"IF(1 = 1, 'a', 2)", K::resString, "a"},
        {"IF(1 = 2, 'a', 2)", K::resInt, "2"},
        {"IF(TRUE, 1/0, 2)", K::resError, "Cannot divide by 0"},
        {"IF(1, 'a', 'b')", K::resError, "Wrong arguments for IF"},
        {"IF(TRUE, 'a')", K::resError, "Wrong arguments for IF"},
        {"IF(1/0, 'a', 'b')", K::resError, "Wrong arguments for IF"},
        {"TYPEOF(1)", K::resString, "INTEGER"},
        {"TYPEOF(1.5)", K::resString, "FLOAT"},
        {"TYPEOF('x')", K::resString, "STRING"},
        {"TYPEOF(TRUE)", K::resString, "BOOLEAN"},
        {"TYPEOF(1/0)", K::resString, "ERROR"},
        {"TYPEOF(1, 2)", K::resError, "Wrong arguments for TypeOf"},
        {"TYPEOF()", K::resError, "Wrong arguments for TypeOf"},
    });
}

TEST_F(CoreFunctionsTest, Numbers)
{
    checkCases({
        {"INT(-2.7)", K::resInt, "-2"},
        {"INT(2.7)", K::resInt, "2"},
        {"INT(5)", K::resInt, "5"},
        {"INT('5')", K::resError, "Wrong arguments for INT"},
        {"INT(1, 2)", K::resError, "Wrong arguments for INT"},
        {"FRAC(-2.5)", K::resDouble, "-0.5"},
        {"FRAC(3)", K::resDouble, "0"},
        {"FRAC('x')", K::resError, ""},
        {"SQRT(16)", K::resDouble, "4"},
        {"SQRT(2.25)", K::resDouble, "1.5"},
        {"SQRT(-1)", K::resError, "Invalid argument to SQRT function"},
        {"SQRT('a')", K::resError, "Invalid argument to SQRT function"},
        {"SQRT()", K::resError, "Invalid argument to SQRT function"},
        {"DIV(7, 2)", K::resInt, "3"},
        {"DIV(-7, 2)", K::resInt, "-3"},
        {"DIV(7.5, 2)", K::resInt, "4"},      // 7.5 rounds to 8
        {"DIV(6.5, 1)", K::resInt, "6"},      // halves to the even neighbour
        {"DIV(1, 0)", K::resError, "Division by Zero"},
        {"DIV(1, 0.4)", K::resError, "Division by Zero"},
        {"DIV('a', 1)", K::resError, "Wrong arguments for DIV"},
        {"DIV(1)", K::resError, "Wrong arguments for DIV"},
        {"STR(12)", K::resString, "12"},
        {"STR(-1.25)", K::resString, "-1.25"},
        {"STR(TRUE)", K::resString, "True"},
        {"STR('x')", K::resError, "Conversion error"},
        {"STR(1/0)", K::resError, "Conversion error"},
        {"STR()", K::resError, "Conversion error"},
        {"FORMATNUMERIC('0.00', 3.14159)", K::resString, "3.14"},
        {"FORMATNUMERIC('#,##0', 1234567)", K::resString, "1,234,567"},
        {"FORMATNUMERIC('000', 12)", K::resString, "012"},
        {"FORMATNUMERIC(12, 12)", K::resError, ""},
        {"FORMATNUMERIC('0')", K::resError, ""},
    });
}

TEST_F(CoreFunctionsTest, NumbersFollowTheLocale)
{
    ScopedFormatSettings latvian(TFormatSettings::latvian());
    checkCases({
        {"STR(2.5)", K::resString, "2,5"},
        {"FORMATNUMERIC('0.00', 3.14159)", K::resString, "3,14"},
        {"FORMATNUMERIC('#,##0', 1234567)", K::resString, "1 234 567"},
    });
}

TEST_F(CoreFunctionsTest, Text)
{
    checkCases({
        {"UPPER('abc')", K::resString, "ABC"},
        {"LOWER('ĀBC')", K::resString, "ābc"},
        {"UPPER('ķēde')", K::resString, "ĶĒDE"},
        {"UPPER(5)", K::resError, ""},
        {"UPPER(1/0)", K::resError, "Cannot divide by 0"},   // an error passes through
        {"UPPER()", K::resError, "Missing argument for UPPER"},
        {"LOWER('a', 'b')", K::resError, "Missing argument for LOWER"},
        {"PRETTY('hELLO wORLD')", K::resString, "Hello world"},
        {"PRETTY('')", K::resString, ""},
        {"PRETTY('šis')", K::resString, "Šis"},
        {"PRETTY(1)", K::resError, ""},
        {"PRETTY()", K::resError, "Missing argument for PRETTY"},
        {"COPY('abcdef', 2, 3)", K::resString, "bcd"},
        {"COPY('abc', 0, 2)", K::resString, "ab"},
        {"COPY('abc',-5, 2)", K::resString, "ab"},
        {"COPY('abc', -5, 2)", K::resError, ""},   // a sign after a blank
        {"COPY('abc', 5, 1)", K::resString, ""},
        {"COPY('abc', 2, 0)", K::resString, ""},
        {"COPY('abc', 2, 100)", K::resString, "bc"},
        {"COPY('abc', 1.0, 2)", K::resError, ""},
        {"COPY('abc', 1)", K::resError, ""},
        {"COPY(123, 1, 2)", K::resError, ""},
    });
}

TEST_F(CoreFunctionsTest, CopyNeverCutsASurrogatePair)
{
    // "a", U+1F600 (two code units), "b".
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    struct Row {
        int start, length;
        QString expected;
    } rows[] = {
        {1, 2, QStringLiteral("a")},                            // would end on a first half
        {1, 3, text.left(3)},
        {3, 2, QStringLiteral("b")},                            // starts on a second half
        {2, 2, text.mid(1, 2)},
        {3, 1, QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.start * 10 + row.length);
        TVxEvaluator evaluator;
        const TVxEvResult r = evaluator.Calculate(
            QStringLiteral("COPY('%1', %2, %3)").arg(text).arg(row.start).arg(row.length));
        EXPECT_EQ(r.Kind, K::resString);
        EXPECT_EQ(r.StringVal, row.expected);
    }
}

TEST_F(CoreFunctionsTest, DateAndTimeFollowTheLocale)
{
    ScopedFormatSettings latvian(TFormatSettings::latvian());
    TVxEvaluator evaluator;
    const TDateTime before = Date();
    const QString date = evaluator.Calculate(QStringLiteral("DATE")).StringVal;
    const TDateTime after = Date();
    EXPECT_TRUE(date == DateToStr(before) || date == DateToStr(after)) << date.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$")).match(date).hasMatch());

    const QString time = evaluator.Calculate(QStringLiteral("TIME")).StringVal;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time).hasMatch())
        << time.toStdString();
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("DATE(1)")).Kind, K::resError);
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("TIME(1)")).Kind, K::resError);
}

TEST_F(CoreFunctionsTest, IntConversionsBeyond32BitsFail)
{
    TVxEvaluator evaluator;
    EXPECT_THROW(evaluator.Calculate(QStringLiteral("INT(3000000000.5)")), EIntOverflow);
    EXPECT_THROW(evaluator.Calculate(QStringLiteral("DIV(3000000000.0, 2)")), EIntOverflow);
    EXPECT_THROW(evaluator.Calculate(QStringLiteral("DIV(-2147483647-1, 0-1)")), EIntOverflow);
}
