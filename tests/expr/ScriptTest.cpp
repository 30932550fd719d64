// The script language: blocks, loops, results, errors as written, line
// preparation, the script store and the shared variables.
#include "expr/VxEvElementFunction.h"
#include "expr/VxFunctionLibrary.h"
#include "expr/VxScript.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Script variables as expressions reach them, for these tests (registered
// only when the library has no such functions of its own).
class TTestSetVar : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override
    {
        if (ArgCount() != 2 || Arg(0).Kind != TVxEvResultType::resString)
            return TVxEvResult::Error();
        return SetVxDScriptVar(Arg(0).StringVal, Arg(1)).Value;
    }
};

class TTestGetVar : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override
    {
        if (ArgCount() != 1 || Arg(0).Kind != TVxEvResultType::resString)
            return TVxEvResult::Error();
        const std::optional<TVxDScriptVar> var = FindVxDScriptVar(Arg(0).StringVal);
        return var ? var->Value : TVxEvResult::Error();
    }
};

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"SETVAR", "GETVAR"}) {
            if (!VxFunctionLibrary()->FindEntry(QLatin1String(name)))
                m_added << QLatin1String(name);
        }
        if (m_added.contains(QStringLiteral("SETVAR")))
            RegisterVxFunction<TTestSetVar>(QStringLiteral("SETVAR"), QString(), QStringLiteral("7SS"), QString());
        if (m_added.contains(QStringLiteral("GETVAR")))
            RegisterVxFunction<TTestGetVar>(QStringLiteral("GETVAR"), QString(), QStringLiteral("7S"), QString());
        FreeScriptVars();
    }
    void TearDown() override
    {
        for (const QString &name : m_added)
            VxFunctionLibrary()->Remove(name);
        FreeScriptVars();
    }

    static TVxEvResult Run(const QStringList &lines)
    {
        TVxEvResult result;
        RunScript(lines, 0, nullptr, result);
        return result;
    }
    static QString Failure(const QStringList &lines)
    {
        try {
            Run(lines);
        } catch (const EVxScriptError &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    }

    QStringList m_added;
};

} // namespace

TEST_F(ScriptTest, BlocksLoopsAndResults)
{
    // A BeforePrint script that keeps its band from printing.
    TVxEvResult result = Run({"IF (1 = 1)", "RETURN(FALSE)", "ENDIF"});
    EXPECT_EQ(result.Kind, TVxEvResultType::resBool);
    EXPECT_FALSE(result.booResult);
    // RETURN does not end the script; EXIT does.
    result = Run({"RETURN(1)", "RETURN(2)"});
    EXPECT_EQ(result.intResult, 2);
    result = Run({"RETURN(1)", "EXIT", "RETURN(2)"});
    EXPECT_EQ(result.intResult, 1);
    // ELSE, nested blocks, a false branch with an inner IF skipped whole.
    result = Run({"IF (1 = 2)", "  IF (1 = 1)", "    RETURN('inner')", "  ENDIF", "ELSE", "  RETURN('else')",
                  "ENDIF"});
    EXPECT_EQ(result.StringVal, QStringLiteral("else"));
    // No RETURN: an error value without text.
    result = Run({"// nothing but a comment"});
    EXPECT_EQ(result.Kind, TVxEvResultType::resError);
    EXPECT_TRUE(result.StringVal.isEmpty());
    // The script ends before the next section's header.
    result = Run({"RETURN(1)", "[Report.AfterPrint]", "RETURN(2)"});
    EXPECT_EQ(result.intResult, 1);

    SetVxDScriptVar(QStringLiteral("n"), TVxEvResult::Int(0));
    Run({"LOOP", "SETVAR('N', GETVAR('N') + 1)", "IF (GETVAR('N') > 3)", "BREAKLOOP", "ENDIF", "ENDLOOP"});
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("N"))->Value.intResult, 4);
    // BREAK inside an IF inside a LOOP leaves only the IF.
    SetVxDScriptVar(QStringLiteral("N"), TVxEvResult::Int(0));
    Run({"LOOP", "SETVAR('N', GETVAR('N') + 1)", "IF (GETVAR('N') < 5)", "BREAK", "SETVAR('X', 1)", "ENDIF",
         "IF (GETVAR('N') = 5)", "BREAKLOOP", "ENDIF", "ENDLOOP"});
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("N"))->Value.intResult, 5);
    EXPECT_FALSE(FindVxDScriptVar(QStringLiteral("X")));
    // A BREAK in a loop (not in an IF) leaves the loop.
    SetVxDScriptVar(QStringLiteral("N"), TVxEvResult::Int(0));
    Run({"LOOP", "SETVAR('N', GETVAR('N') + 1)", "BREAK", "ENDLOOP", "SETVAR('N', GETVAR('N') + 10)"});
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("N"))->Value.intResult, 11);
}

TEST_F(ScriptTest, LinesArePreparedAndKeywordsNeedTheirSpelling)
{
    // Blanks and one semicolon go; "IF(" without the blank is the function IF.
    EXPECT_EQ(Run({"   RETURN(SETVAR('A', 7));   "}).intResult, 7);
    EXPECT_EQ(Run({"IF(1=1, SETVAR('B', 1), 0)", "RETURN(GETVAR('B'))"}).intResult, 1);
    EXPECT_TRUE(Failure({"IF(1=1)", "RETURN(5)", "ENDIF"})
                    .startsWith(QLatin1String("Script error on line 2: ENDIF without IF")));
    EXPECT_EQ(Run({"if (1 = 1)", "return(3)", "endif"}).intResult, 3);
    // A line is cut to 255 characters after its leading blanks.
    const QString longText = QStringLiteral("RETURN('") + QString(300, QLatin1Char('x')) + QStringLiteral("')");
    EXPECT_EQ(Run({QStringLiteral("  ") + longText}).Kind, TVxEvResultType::resError);
}

TEST_F(ScriptTest, MisplacedStatementsFailWithTheLineAndItsText)
{
    struct Row {
        QStringList lines;
        const char *failure;
    };
    const Row rows[] = {
        {{"IF (5)"}, "Script error on line 0: Invalid IF statement\nLine 0: \"IF (5)\""},
        {{"RETURN(1)", "  ENDIF"}, "Script error on line 1: ENDIF without IF\nLine 1: \"  ENDIF\""},
        {{"BREAK"}, "Script error on line 0: BREAK outside of LOOP or IF block\nLine 0: \"BREAK\""},
        {{"IF (1 = 1)", "BREAKLOOP", "ENDIF"},
         "Script error on line 1: BREAKLOOP outside of LOOP block\nLine 1: \"BREAKLOOP\""},
        {{"ELSE"}, "Script error on line 0: ELSE without IF\nLine 0: \"ELSE\""},
        {{"ENDLOOP"}, "Script error on line 0: ENDLOOP without LOOP\nLine 0: \"ENDLOOP\""},
        {{"2147483647 + 1"}, "Script error on line 0: Integer overflow\nLine 0: \"2147483647 + 1\""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.lines.join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(Failure(row.lines).toStdString(), std::string(row.failure));
    }
    // A loop without a way out ends with an error instead of hanging.
    EXPECT_TRUE(Failure({"LOOP", "ENDLOOP"}).contains(QLatin1String("did not end")));
}

TEST(ScriptStore, SectionsAreFoundChangedAndDeleted)
{
    QStringList store = {"[DetailBand1.BeforePrint]", "IF (1 = 1)", "RETURN(FALSE)", "ENDIF",
                         "[Report.AfterPrint]", "SETVAR('DONE', 1)"};
    EXPECT_TRUE(HasScript(store, QStringLiteral("detailband1")));
    EXPECT_FALSE(HasScript(store, QStringLiteral("Detail")));
    EXPECT_EQ(GetScript(store, QStringLiteral("DETAILBAND1"), QStringLiteral("beforeprint")),
              (QStringList{"IF (1 = 1)", "RETURN(FALSE)", "ENDIF"}));
    int count = 0;
    int pos = 0;
    GetScriptPos(store, QStringLiteral("detailband1"), QStringLiteral("BeforePrint"), count, pos);
    EXPECT_EQ(pos, -1);   // the editor finds sections with the case it wrote
    GetScriptPos(store, QStringLiteral("DetailBand1"), QStringLiteral("BeforePrint"), count, pos);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(count, 4);
    ChangeScriptComponentName(store, QStringLiteral("DetailBand1"), QStringLiteral("Prices"));
    EXPECT_EQ(store.first(), QStringLiteral("[Prices.BeforePrint]"));
    DeleteScript(store, QStringLiteral("Prices"), QStringLiteral("BeforePrint"));
    EXPECT_EQ(store, (QStringList{"[Report.AfterPrint]", "SETVAR('DONE', 1)"}));
}

TEST(ScriptVars, NamesAreUpperCasedAndCut)
{
    FreeScriptVars();
    SetVxDScriptVar(QStringLiteral("total"), TVxEvResult::Double(2.5));
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("TOTAL"))->Value.dblResult, 2.5);
    const QString longName(50, QLatin1Char('v'));
    EXPECT_EQ(SetVxDScriptVar(longName, TVxEvResult::Int(1)).Name, QString(40, QLatin1Char('V')));
    EXPECT_TRUE(DeleteVxDScriptVar(QStringLiteral("Total")));
    EXPECT_FALSE(DeleteVxDScriptVar(QStringLiteral("Total")));
    FreeScriptVars();
}
