// The evaluator: precedence, kinds, operator semantics, literals, compile
// errors and the quirks stored templates rely on.
#include "platform/VxError.h"
#include "expr/EIntOverflow.h"
#include "expr/VxEvaluator.h"
#include "ExpressionCases.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

using K = TVxEvResultType;

using test::Case;
using test::calculate;
using test::checkCases;

class EvaluatorTest : public ::testing::Test {
protected:
    ScopedFormatSettings locale{TFormatSettings::usEnglish()};
};

} // namespace

TEST_F(EvaluatorTest, PrecedenceAndLeftToRightOrder)
{
    checkCases({
        {"2+3*4", K::resInt, "14"},
        {"2*3+4", K::resInt, "10"},
        {"10-4-3", K::resInt, "3"},          // a - (b + c) after the sign swap
        {"10-4+3", K::resInt, "9"},          // a - (b - c)
        {"100/10/5", K::resDouble, "2"},     // a / (b * c)
        {"100/10*5", K::resDouble, "50"},
        {"7/2", K::resDouble, "3.5"},
        {"2*(3+4)", K::resInt, "14"},
        {"10-(4-3)", K::resInt, "9"},
        {"-5+2", K::resInt, "-3"},
        {"-(2+3)", K::resInt, "-5"},
        {"+5", K::resInt, "5"},
        {"1+-1", K::resInt, "0"},
        {"2--3", K::resInt, "-1"},           // the swap turns the sign: 2 - (+3)
        {"1+2 = 3", K::resBool, "True"},
        {"2*3 > 5", K::resBool, "True"},
        {"10 <> 5", K::resBool, "True"},
        {"10 >= 10", K::resBool, "True"},
        {"10 <= 9", K::resBool, "False"},
        {"TRUE or FALSE and FALSE", K::resBool, "True"},
        {"not TRUE or TRUE", K::resBool, "True"},
        {"  3  *  4  ", K::resInt, "12"},
    });
}

TEST_F(EvaluatorTest, OperatorsByKind)
{
    checkCases({
        {"1/0", K::resError, "Cannot divide by 0"},
        {"1.0/0", K::resError, "Cannot divide by 0"},
        {"1.5+1", K::resDouble, "2.5"},
        {"3 = 3.0", K::resBool, "True"},
        {"'abc' < 'abd'", K::resBool, "True"},
        {"'B' < 'a'", K::resBool, "True"},       // ordinal, case matters
        {"'a' = 'A'", K::resBool, "False"},
        {"'ab' < 'abc'", K::resBool, "True"},    // a proper prefix is smaller
        {"'a'+'b'", K::resString, "ab"},
        {"1 + 'a'", K::resString, "1a"},
        {"'1' = 1", K::resBool, "True"},
        {"TRUE = 'True'", K::resBool, "True"},
        {"TRUE + 1", K::resString, "True1"},
        {"1.5 + 'x'", K::resString, "1.5x"},
        {"5 or 3", K::resInt, "7"},
        {"5 and 3", K::resInt, "1"},
        {"5 OR 3", K::resInt, "7"},
        {"TRUE and FALSE", K::resBool, "False"},
        {"TRUE = FALSE", K::resBool, "False"},
        {"TRUE <> FALSE", K::resBool, "True"},
        {"1.5 or 2", K::resError, "Operator OR is not compatible with numeric expressions"},
        {"1.5 and 2", K::resError, "Operator AND is not compatible with numeric expressions"},
        {"'a' and 'b'", K::resError, "Operator AND is not compatible with string expressions"},
        {"'a' - 'b'", K::resError, "Cannot subtract string expressions"},
        {"'a' * 'b'", K::resError, "Cannot multiply string expressions"},
        {"'a' / 'b'", K::resError, "Cannot divide string expressions"},
        {"TRUE < FALSE", K::resError, "Operator < is not compatible with boolean expressions"},
        {"TRUE >= FALSE", K::resError, "Operator >= is not compatible with boolean expressions"},
        {"TRUE + FALSE", K::resError, "Cannot add boolean expressions"},
        {"TRUE - FALSE", K::resError, "Cannot subtract boolean expressions"},
        {"TRUE * FALSE", K::resError, "Cannot multiply boolean expressions"},
        {"TRUE / FALSE", K::resError, "Cannot divide boolean expressions"},
        {"not (1 = 1)", K::resBool, "False"},
        {"NOT(FALSE)", K::resBool, "True"},
        {"not 5", K::resError, "Invalid use of NOT"},
        // The left error wins, with its message.
        {"FOO(1) + BAR(2)", K::resError, "Unknown function : FOO"},
        {"1 + BAR(2)", K::resError, "Unknown function : BAR"},
    });
}

TEST_F(EvaluatorTest, LiteralsAndCompileErrors)
{
    const std::string kHugeNumber(400, '9');
    const std::string kHugeNumberError = "Illegal character in numeric contant \"" + kHugeNumber + "\"";
    checkCases({
        {"", K::resString, " "},
        {"1E5", K::resDouble, "100000"},
        {"1E-5", K::resError, "Illegal character in numeric contant \"1E\""},
        {"1.5", K::resDouble, "1.5"},
        {"1,5", K::resError, "Illegal character in numeric contant \"1,5\""},
        {"1.2.3", K::resError, "Illegal character in numeric contant \"1.2.3\""},
        {"12abc", K::resError, "Illegal character in numeric contant \"12abc\""},
        {"2147483647", K::resInt, "2147483647"},
        {"2147483648", K::resDouble, "2147483648"},
        {"000000000042", K::resInt, "42"},
        // Beyond the range of a double, with or without an exponent.
        {"1E400", K::resError, "Illegal character in numeric contant \"1E400\""},
        {kHugeNumber.c_str(), K::resError, kHugeNumberError.c_str()},
        {"'it''s'", K::resString, "it''s"},
        {"'a+b'", K::resString, "a+b"},
        {"'(1+2'", K::resString, "(1+2"},
        {"(1+2", K::resError, "Missing )"},
        {"'abc", K::resError, "Missing '"},
        {"'", K::resError, "Missing '"},
        {"(", K::resError, "Missing )"},
        {"[Field", K::resError, "Missing ]"},
        {"@", K::resError, "Error in expression : @"},
        {"()", K::resError, "Error in expression : "},
        {"FOO(1)", K::resError, "Unknown function : FOO"},
        {"XYZ()", K::resError, "Unknown function : XYZ"},
        {"XYZ", K::resError, "Unknown function : XYZ"},
        {"xyz", K::resError, "Unknown function : XYZ"},
        {"[xyz]", K::resError, "Unknown function : xyz"},
        {"ABC(1", K::resError, "Unknown function : "},
        // Comparisons do not chain: "b = c" reaches the factor level whole.
        {"1 = b = c", K::resError, "Unknown function : B = C"},
        // No word boundary after "not".
        {"NOTES", K::resError, "Invalid use of NOT"},
        {"[NOTES]", K::resError, "Unknown function : NOTES"},
        // A sign after a blank is a subtraction from a single space.
        {"1 + -1", K::resError, "Error in expression :  "},
        {"IF(TRUE, -1, 1)", K::resError, "Error in expression :  "},
        // Arguments: an empty one is an error, a trailing separator adds none.
        {"TYPEOF(1,)", K::resString, "INTEGER"},
        {"IF(TRUE,,1)", K::resError, "Error in expression : "},
        {"DATE() = DATE", K::resBool, "True"},
        {"TYPEOF([a,b])", K::resString, "ERROR"},   // one bracketed argument
    });
}

TEST_F(EvaluatorTest, FloatLiteralsUseAPointInEveryLocale)
{
    ScopedFormatSettings latvian(TFormatSettings::latvian());
    checkCases({
        {"1.5", K::resDouble, "1,5"},
        {"7/2", K::resDouble, "3,5"},
        {"1,5", K::resError, "Illegal character in numeric contant \"1,5\""},
        {"1.2.3", K::resError, "Illegal character in numeric contant \"1,2,3\""},
    });
}

TEST_F(EvaluatorTest, IntegerOverflowRaises)
{
    for (const char *expression : {"2147483647+1", "0-2147483647-2", "65536*65536", "-2147483647-2"}) {
        SCOPED_TRACE(expression);
        EXPECT_THROW(calculate(QString::fromLatin1(expression)), EIntOverflow);
    }
    EXPECT_EQ(calculate(QStringLiteral("2147483647+1.0")).Kind, K::resDouble);
    EXPECT_EQ(calculate(QStringLiteral("-2147483647-1")).intResult, std::numeric_limits<qint32>::min());

    // The evaluator stays prepared after the failure.
    TVxEvaluator evaluator;
    evaluator.Prepare(QStringLiteral("2147483647+1"));
    EXPECT_THROW(evaluator.Value(), EIntOverflow);
    EXPECT_TRUE(evaluator.Prepared());
    EXPECT_THROW(evaluator.Value(), EIntOverflow);
}

TEST_F(EvaluatorTest, TypedAccessors)
{
    TVxEvaluator evaluator;
    EXPECT_THROW(
        {
            try {
                evaluator.Value();
            } catch (const EVxError &e) {
                EXPECT_EQ(e.message(), QStringLiteral("Evaluator not prepared"));
                throw;
            }
        },
        EVxError);

    auto expectFailure = [&](const char *expression, auto accessor, const char *message) {
        SCOPED_TRACE(expression);
        evaluator.Prepare(QString::fromLatin1(expression));
        try {
            accessor();
            ADD_FAILURE() << "no failure";
        } catch (const EVxError &e) {
            EXPECT_EQ(e.message().toStdString(), std::string(message));
        }
    };

    evaluator.Prepare(QStringLiteral("5/2"));
    EXPECT_EQ(evaluator.AsInteger(), 2);       // halves to the even neighbour
    evaluator.Prepare(QStringLiteral("7/2"));
    EXPECT_EQ(evaluator.AsInteger(), 4);
    EXPECT_DOUBLE_EQ(evaluator.AsFloat(), 3.5);
    EXPECT_EQ(evaluator.AsString(), QStringLiteral("3.5"));
    EXPECT_EQ(evaluator.AsVariant(), QVariant(3.5));
    evaluator.Prepare(QStringLiteral("'tRuE'"));
    EXPECT_TRUE(evaluator.AsBoolean());
    evaluator.Prepare(QStringLiteral("1=2"));
    EXPECT_FALSE(evaluator.AsBoolean());
    EXPECT_EQ(evaluator.AsString(), QStringLiteral("False"));

    expectFailure("'x'", [&] { evaluator.AsBoolean(); }, "Not a boolean value");
    expectFailure("1", [&] { evaluator.AsBoolean(); }, "Not a boolean value");
    expectFailure("'1'", [&] { evaluator.AsInteger(); }, "Not a numeric value");
    expectFailure("TRUE", [&] { evaluator.AsFloat(); }, "Not a numeric value");
    expectFailure("1/0", [&] { evaluator.AsString(); }, "Error in expression : Cannot divide by 0");
    expectFailure("1/0", [&] { evaluator.AsVariant(); }, "Error in expression : Cannot divide by 0");
}

TEST_F(EvaluatorTest, PrepareCompilesOnceAndUnprepareReleases)
{
    TVxEvaluator evaluator;
    EXPECT_FALSE(evaluator.Prepared());
    evaluator.Prepare(QStringLiteral("1+1"));
    EXPECT_TRUE(evaluator.Prepared());
    EXPECT_EQ(evaluator.Value().intResult, 2);
    evaluator.Prepare(QStringLiteral("2+2"));   // re-prepares
    EXPECT_EQ(evaluator.Value().intResult, 4);
    evaluator.UnPrepare();
    EXPECT_FALSE(evaluator.Prepared());
    EXPECT_EQ(evaluator.FiFo(), nullptr);
    EXPECT_THROW(evaluator.Value(), EVxError);
    evaluator.UnPrepare();                      // harmless when not prepared
}

TEST_F(EvaluatorTest, DeepNestingCompilesToAnError)
{
    const QString deep = QString(5000, u'(') + QStringLiteral("1") + QString(5000, u')');
    const TVxEvResult r = calculate(deep);
    EXPECT_EQ(r.Kind, K::resError);
    EXPECT_EQ(r.StringVal, QStringLiteral("Expression too deeply nested"));

    // Ordinary nesting is far from the limit.
    const QString fine = QString(100, u'(') + QStringLiteral("1") + QString(100, u')');
    EXPECT_EQ(calculate(fine).intResult, 1);
    QString chain = QStringLiteral("1");
    for (int i = 0; i < 500; ++i)
        chain += QStringLiteral("+1");
    EXPECT_EQ(calculate(chain).intResult, 501);
}
