// Named expressions: entries that use each other, constants changed in place,
// prepare counting, the global environment and persistence.
#include "platform/VxError.h"
#include "expr/VxEvElementConstant.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "platform/FormatSettings.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

using K = TVxEvResultType;

std::string show(const TVxEvResult &r)
{
    return (VxEvResultTypeName(r.Kind) + u' ' + VxEvResultText(r)).toStdString();
}

// The report environment as a new report starts it.
void addReportEntries(TVxEvEnvironment &environment)
{
    environment.AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    environment.AddFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    environment.AddFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
}

class EnvironmentTest : public ::testing::Test {
protected:
    ScopedFormatSettings locale{TFormatSettings::usEnglish()};
};

} // namespace

TEST_F(EnvironmentTest, EntriesAreNamedExpressions)
{
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("net"), QStringLiteral("Gross / 1.21"));
    environment.AddFunction(QStringLiteral("Gross"), QStringLiteral("121"));
    environment.AddFunction(QStringLiteral("GROSS"), QStringLiteral("999"));   // exists: kept
    EXPECT_EQ(environment.Names(), QStringList({QStringLiteral("NET"), QStringLiteral("GROSS")}));
    EXPECT_EQ(environment.Expression(1), QStringLiteral("121"));
    EXPECT_EQ(environment.IndexOf(QStringLiteral("gross")), 1);

    environment.Prepare();
    EXPECT_EQ(show(environment.Value(QStringLiteral("Net"))), "FLOAT 100");
    EXPECT_EQ(show(environment.Value(QStringLiteral("nothing"))), "ERROR ");

    TVxEvaluator evaluator;
    evaluator.SetEnvironment(&environment);
    evaluator.Prepare(QStringLiteral("NET * 2 + [gross]"));
    EXPECT_EQ(show(evaluator.Value()), "FLOAT 321");

    environment.DeleteFunction(QStringLiteral("gRoss"));
    EXPECT_EQ(environment.Count(), 1);
    environment.DeleteFunction(QStringLiteral("absent"));
    EXPECT_EQ(environment.Count(), 1);
    environment.Unprepare();
}

TEST_F(EnvironmentTest, CyclesGiveAnErrorValue)
{
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("A"), QStringLiteral("B+1"));
    environment.AddFunction(QStringLiteral("B"), QStringLiteral("A"));
    environment.AddFunction(QStringLiteral("SELF"), QStringLiteral("SELF"));
    environment.Prepare();
    EXPECT_EQ(show(environment.Value(QStringLiteral("A"))), "ERROR Recursive calls not allowed");
    EXPECT_EQ(show(environment.Value(QStringLiteral("SELF"))), "ERROR Recursive calls not allowed");
    // The guard is released: a second evaluation gives the same, not a hang.
    EXPECT_EQ(show(environment.Value(QStringLiteral("B"))), "ERROR Recursive calls not allowed");
    environment.Unprepare();
}

TEST_F(EnvironmentTest, ConstantsChangeInPlace)
{
    TVxEvEnvironment environment;
    addReportEntries(environment);
    environment.Prepare();

    TVxEvaluator page;
    page.SetEnvironment(&environment);
    page.Prepare(QStringLiteral("'Page ' + [PAGENUMBER] + ' of ' + REPORTTITLE"));
    EXPECT_EQ(show(page.Value()), "STRING Page 0 of ");

    environment.UpdateConstant(QStringLiteral("PAGENUMBER"), TVxEvResult::Int(7));
    environment.UpdateConstant(QStringLiteral("reporttitle"), TVxEvResult::String(QStringLiteral("Invoice")));
    EXPECT_EQ(show(page.Value()), "STRING Page 7 of Invoice");

    // Setters act only on the matching kind of literal.
    TVxEvElement *title = environment.GetConstant(QStringLiteral("REPORTTITLE"));
    TVxEvElement *number = environment.GetConstant(QStringLiteral("PAGENUMBER"));
    ASSERT_NE(title, nullptr);
    ASSERT_NE(number, nullptr);
    TVxEvEnvironment::SetIntegerConstant(title, 5);
    TVxEvEnvironment::SetStringConstant(number, QStringLiteral("x"));
    TVxEvEnvironment::SetConstant(title, TVxEvResult::Int(3));
    EXPECT_EQ(show(page.Value()), "STRING Page 7 of Invoice");
    TVxEvEnvironment::SetFloatConstant(number, 2.5);
    EXPECT_EQ(show(page.Value()), "STRING Page 2.5 of Invoice");
    TVxEvEnvironment::SetBooleanConstant(number, true);
    TVxEvEnvironment::SetStringConstant(title, QStringLiteral("T"));
    EXPECT_EQ(show(page.Value()), "STRING Page True of T");

    EXPECT_EQ(environment.GetConstant(QStringLiteral("absent")), nullptr);
    environment.UpdateConstant(QStringLiteral("absent"), TVxEvResult::Int(1));   // no effect
    environment.Unprepare();
    EXPECT_EQ(environment.GetConstant(QStringLiteral("PAGENUMBER")), nullptr);
}

TEST_F(EnvironmentTest, PrepareIsCounted)
{
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("X"), QStringLiteral("1"));
    EXPECT_FALSE(environment.Prepared());
    environment.Prepare();
    environment.Prepare();
    EXPECT_EQ(environment.PrepareCount(), 2);
    environment.Unprepare();
    EXPECT_TRUE(environment.Prepared());
    EXPECT_EQ(show(environment.Value(QStringLiteral("X"))), "INTEGER 1");
    environment.Unprepare();
    EXPECT_FALSE(environment.Prepared());
    EXPECT_THROW(environment.Value(QStringLiteral("X")), EVxError);
    environment.Unprepare();   // not below zero
    EXPECT_EQ(environment.PrepareCount(), 0);

    // An entry added while prepared is usable at once.
    environment.Prepare();
    environment.AddFunction(QStringLiteral("Y"), QStringLiteral("X + 1"));
    EXPECT_EQ(show(environment.Value(QStringLiteral("Y"))), "INTEGER 2");
    environment.SetExpression(0, QStringLiteral("10"));
    EXPECT_EQ(show(environment.Value(QStringLiteral("Y"))), "INTEGER 11");
    environment.Unprepare();
}

TEST_F(EnvironmentTest, LocalBeforeGlobal)
{
    TVxEvEnvironment *global = VxGlobalEnvironment();
    ASSERT_NE(global, nullptr);
    EXPECT_TRUE(global->IsGlobal());
    EXPECT_GE(global->IndexOf(QStringLiteral("AppStartTime")), 0);
    EXPECT_GE(global->IndexOf(QStringLiteral("APPSTARTDATE")), 0);
    EXPECT_GE(global->IndexOf(QStringLiteral("AppName")), 0);

    TVxEvaluator evaluator;
    evaluator.Prepare(QStringLiteral("APPNAME"));
    EXPECT_EQ(evaluator.Value().StringVal, QCoreApplication::applicationName());
    evaluator.Prepare(QStringLiteral("TYPEOF(AppStartDate)"));
    EXPECT_EQ(evaluator.Value().StringVal, QStringLiteral("STRING"));

    TVxEvEnvironment local;
    local.AddFunction(QStringLiteral("APPNAME"), QStringLiteral("'Local'"));
    local.Prepare();
    evaluator.SetEnvironment(&local);
    evaluator.Prepare(QStringLiteral("AppName + '/' + TYPEOF(AppStartTime)"));
    EXPECT_EQ(show(evaluator.Value()), "STRING Local/STRING");
    local.Unprepare();
}

TEST_F(EnvironmentTest, RemovedEntriesAndEnvironmentsLeaveNoDanglingUse)
{
    TVxEvaluator evaluator;
    {
        TVxEvEnvironment environment;
        environment.AddFunction(QStringLiteral("BAND1"), QStringLiteral("5"));
        environment.Prepare();
        evaluator.SetEnvironment(&environment);
        evaluator.Prepare(QStringLiteral("BAND1 + 1"));
        EXPECT_EQ(show(evaluator.Value()), "INTEGER 6");
        environment.DeleteFunction(QStringLiteral("BAND1"));
        EXPECT_EQ(show(evaluator.Value()), "ERROR Unknown function : BAND1");
        environment.AddFunction(QStringLiteral("BAND2"), QStringLiteral("1"));
        evaluator.Prepare(QStringLiteral("BAND2"));
        environment.Unprepare();
    }
    EXPECT_EQ(evaluator.Environment(), nullptr);
    EXPECT_EQ(show(evaluator.Value()), "ERROR Unknown function : BAND2");
}

TEST_F(EnvironmentTest, PersistsAsNamesAndData)
{
    TVxEvEnvironment written;
    addReportEntries(written);
    written.AddFunction(QStringLiteral("Total"), QStringLiteral("SUM(1)"));
    EXPECT_EQ(written.Names(), QStringList({QStringLiteral("PAGENUMBER"), QStringLiteral("COLUMNNUMBER"),
                                            QStringLiteral("REPORTTITLE"), QStringLiteral("TOTAL")}));
    EXPECT_EQ(written.DataList(), QStringList({QStringLiteral("0"), QStringLiteral("0"),
                                               QStringLiteral("''"), QStringLiteral("SUM(1)")}));

    TVxEvEnvironment read;
    addReportEntries(read);   // replaced by what is read
    read.ReadNames(written.Names());
    read.ReadData(written.DataList());
    EXPECT_EQ(read.Names(), written.Names());
    EXPECT_EQ(read.DataList(), written.DataList());
    read.Prepare();
    EXPECT_EQ(show(read.Value(QStringLiteral("REPORTTITLE"))), "STRING ");
    read.Unprepare();

    // Short or long DATA lists do not shift or invent entries.
    TVxEvEnvironment partial;
    partial.ReadNames({QStringLiteral("a"), QStringLiteral("b")});
    partial.ReadData({QStringLiteral("1")});
    EXPECT_EQ(partial.DataList(), QStringList({QStringLiteral("1"), QString()}));
    partial.ReadData({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    EXPECT_EQ(partial.Count(), 2);
    EXPECT_EQ(partial.Names(), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    partial.Prepare();
    EXPECT_EQ(show(partial.Value(QStringLiteral("B"))), "INTEGER 2");
    partial.Unprepare();
}
