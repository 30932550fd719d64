// The aggregates' accumulate and reset protocol. Values are fed through an
// environment constant "V" that changes between aggregation passes, as a
// field changes between records.
#include "expr/Aggregates.h"
#include "expr/EIntOverflow.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

using K = TVxEvResultType;

class AggregatesTest : public ::testing::Test {
protected:
    AggregatesTest()
    {
        environment.AddFunction(QStringLiteral("V"), QStringLiteral("0"));
        environment.AddFunction(QStringLiteral("SHOW"), QStringLiteral("0"));
        environment.Prepare();
    }
    ~AggregatesTest() override { environment.Unprepare(); }

    std::unique_ptr<TVxEvaluator> compile(const QString &expression)
    {
        auto evaluator = std::make_unique<TVxEvaluator>();
        evaluator->SetEnvironment(&environment);
        evaluator->Prepare(expression);
        evaluator->Reset();
        return evaluator;
    }

    // One aggregation pass per value.
    void feed(TVxEvaluator &evaluator, const std::vector<TVxEvResult> &values)
    {
        for (const TVxEvResult &v : values) {
            environment.UpdateConstant(QStringLiteral("V"), v);
            evaluator.DoAggregate();
        }
    }

    static std::vector<TVxEvResult> ints(std::initializer_list<int> values)
    {
        std::vector<TVxEvResult> out;
        for (int v : values)
            out.push_back(TVxEvResult::Int(v));
        return out;
    }

    ScopedFormatSettings locale{TFormatSettings::usEnglish()};
    TVxEvEnvironment environment;
};

std::string show(const TVxEvResult &r)
{
    return (VxEvResultTypeName(r.Kind) + u' ' + VxEvResultText(r)).toStdString();
}

} // namespace

TEST_F(AggregatesTest, OverOneTwoThree)
{
    struct Row {
        const char *expression;
        const char *total;
        const char *afterReset;
    } rows[] = {
        {"SUM(V)", "INTEGER 6", "INTEGER 0"},
        {"AVERAGE(V)", "FLOAT 2", "FLOAT 0"},
        {"MAX(V)", "INTEGER 3", "INTEGER 0"},
        {"MIN(V)", "INTEGER 1", "INTEGER 0"},
        {"COUNT", "INTEGER 3", "INTEGER 0"},
        {"SUM(V) + COUNT", "INTEGER 9", "INTEGER 0"},
        {"SUM(V * 2)", "INTEGER 12", "INTEGER 0"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expression);
        auto evaluator = compile(QString::fromLatin1(row.expression));
        EXPECT_TRUE(evaluator->IsAggreg());
        feed(*evaluator, ints({1, 2, 3}));
        EXPECT_EQ(show(evaluator->Value()), row.total);
        // Ordinary evaluations only report.
        EXPECT_EQ(show(evaluator->Value()), row.total);
        evaluator->Reset();
        EXPECT_EQ(show(evaluator->Value()), row.afterReset);
        // And accumulation starts again.
        feed(*evaluator, ints({1, 2, 3}));
        EXPECT_EQ(show(evaluator->Value()), row.total);
    }
}

TEST_F(AggregatesTest, BeforeAnyPass)
{
    EXPECT_EQ(show(compile(QStringLiteral("SUM(V)"))->Value()), "INTEGER 0");
    EXPECT_EQ(show(compile(QStringLiteral("MAX(V)"))->Value()), "INTEGER 0");
    EXPECT_EQ(show(compile(QStringLiteral("COUNT"))->Value()), "INTEGER 0");
    // A new AVERAGE holds the integer 0 until its first Reset.
    TVxEvaluator evaluator;
    evaluator.SetEnvironment(&environment);
    evaluator.Prepare(QStringLiteral("AVERAGE(V)"));
    EXPECT_EQ(show(evaluator.Value()), "INTEGER 0");
    evaluator.Reset();
    EXPECT_EQ(show(evaluator.Value()), "FLOAT 0");
}

TEST_F(AggregatesTest, KindsOfValues)
{
    const TVxEvResult T = TVxEvResult::Bool(true);
    const TVxEvResult F = TVxEvResult::Bool(false);
    const TVxEvResult one = TVxEvResult::Int(1);
    const TVxEvResult two = TVxEvResult::Int(2);
    auto s = [](const char *text) { return TVxEvResult::String(QString::fromLatin1(text)); };
    auto d = [](double v) { return TVxEvResult::Double(v); };
    struct Row {
        const char *expression;
        std::vector<TVxEvResult> values;
        const char *result;
    } rows[] = {
        {"SUM(V)", {one, T, two}, "INTEGER 3"},             // booleans are ignored
        {"SUM(V)", {s("x"), one}, "ERROR "},                // text at the first value
        {"SUM(V)", {one, s("x"), two}, "ERROR "},           // text later
        {"SUM(V)", {d(1.25), d(2.5)}, "FLOAT 3.75"},
        {"SUM(V)", {one, d(1.5)}, "FLOAT 2.5"},             // mixed numbers: a float sum
        {"SUM(V)", {d(1.5), one}, "FLOAT 2.5"},
        {"AVERAGE(V)", {one, T, two}, "FLOAT 1"},           // every step counts
        {"AVERAGE(V)", {s("x")}, "ERROR "},
        {"MIN(V)", {T, F}, "BOOLEAN False"},
        {"MAX(V)", {T, F}, "BOOLEAN True"},
        {"MAX(V)", {F, F}, "BOOLEAN False"},
        {"MAX(V)", {s("b"), s("c"), s("a")}, "STRING c"},
        {"MIN(V)", {s("b"), s("c"), s("a")}, "STRING a"},
        {"MIN(V)", {s("a"), s("B")}, "STRING B"},           // ordinal
        {"MAX(V)", {d(1.5), d(-2.0)}, "FLOAT 1.5"},
        {"MIN(V)", {d(1.5), d(-2.0)}, "FLOAT -2"},
        {"MAX(V)", {one, d(2.5)}, "FLOAT 2.5"},             // mixed numbers compare as numbers
        {"MAX(V)", {one, s("x"), two}, "INTEGER 2"},        // other kinds are ignored
        {"MAX(V)", {TVxEvResult::Error(QStringLiteral("bad")), one}, "ERROR bad"},
        {"COUNT(1)", {one, two}, "ERROR COUNT - Too many arguments"},
        {"SUM()", {one, two}, "INTEGER 0"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expression + (" " + std::to_string(&row - rows)));
        auto evaluator = compile(QString::fromLatin1(row.expression));
        feed(*evaluator, row.values);
        EXPECT_EQ(show(evaluator->Value()), row.result);
    }
}

TEST_F(AggregatesTest, NestedAggregatesAccumulateWhicheverBranchIsTaken)
{
    // The summary shows the total only when SHOW is set; during the passes
    // IF takes the other branch, yet SUM accumulates.
    auto evaluator = compile(QStringLiteral("IF(SHOW = 1, SUM(V), 'hidden')"));
    EXPECT_TRUE(evaluator->IsAggreg());
    feed(*evaluator, ints({5, 6}));
    EXPECT_EQ(show(evaluator->Value()), "STRING hidden");
    environment.UpdateConstant(QStringLiteral("SHOW"), TVxEvResult::Int(1));
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 11");

    auto nested = compile(QStringLiteral("MAX(SUM(V))"));
    feed(*nested, ints({1, 2, 3}));
    EXPECT_EQ(show(nested->Value()), "INTEGER 6");   // the running sums 1, 3, 6
}

TEST_F(AggregatesTest, ExpressionWithoutAggregate)
{
    auto evaluator = compile(QStringLiteral("V + 1"));
    EXPECT_FALSE(evaluator->IsAggreg());
    feed(*evaluator, ints({4}));
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 5");
}

TEST_F(AggregatesTest, OverflowFailsAndKeepsTheState)
{
    auto evaluator = compile(QStringLiteral("SUM(V)"));
    feed(*evaluator, ints({2147483000}));
    environment.UpdateConstant(QStringLiteral("V"), TVxEvResult::Int(1000));
    EXPECT_THROW(evaluator->DoAggregate(), EIntOverflow);
    EXPECT_TRUE(evaluator->Prepared());
    EXPECT_FALSE(evaluator->Aggregate());   // the pass flag is cleared
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 2147483000");
    feed(*evaluator, ints({600}));
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 2147483600");
}

TEST_F(AggregatesTest, PrepareStartsAfresh)
{
    auto evaluator = compile(QStringLiteral("COUNT"));
    feed(*evaluator, ints({1, 1}));
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 2");
    evaluator->Prepare(QStringLiteral("COUNT"));
    EXPECT_EQ(show(evaluator->Value()), "INTEGER 0");
}
