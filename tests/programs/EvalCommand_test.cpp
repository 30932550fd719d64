// zelmio-tool eval run from outside, as a template author tries expressions:
// one "KIND value" line per expression.
#include "ProgramRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);

// Three goods; the third has no price (null).
const char kPacket[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<DATAPACKET Version="2.0">
  <METADATA>
    <FIELDS>
      <FIELD attrname="ISN" fieldtype="i4" required="true"/>
      <FIELD attrname="PRECE" fieldtype="string.uni" WIDTH="200"/>
      <FIELD attrname="SUMARPVN" fieldtype="r8"/>
      <FIELD attrname="NODOKLIS" fieldtype="fixed" DECIMALS="2" WIDTH="32"/>
      <FIELD attrname="DAUDZUMS" fieldtype="i4"/>
      <FIELD attrname="DATUMS" fieldtype="date"/>
    </FIELDS>
    <PARAMS/>
  </METADATA>
  <ROWDATA>
    <ROW RowState="4" ISN="1" PRECE="Piens 2,5% 1l" SUMARPVN="10" NODOKLIS="21" DAUDZUMS="2" DATUMS="20260131"/>
    <ROW RowState="4" ISN="2" PRECE="Ābolu sula" SUMARPVN="20.5" NODOKLIS="12" DAUDZUMS="3" DATUMS="20261208"/>
    <ROW RowState="4" ISN="3" PRECE="Maize" DAUDZUMS="4"/>
  </ROWDATA>
</DATAPACKET>
)";

class EvalCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        packet = dir.filePath(QStringLiteral("goods.xml"));
        QFile f(packet);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kPacket);
    }

    // Runs eval with args and the expressions; expects exit code 0 and one
    // line per expression.
    void expectLines(const QStringList &args, const std::vector<std::pair<const char *, const char *>> &rows)
    {
        QStringList all = args;
        for (const auto &row : rows)
            all << QString::fromUtf8(row.first);
        const ProgramResult r = RunProgram(kTool, QStringList{QStringLiteral("eval")} + all);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n');
        ASSERT_EQ(lines.size(), qsizetype(rows.size()) + 1) << r.out.toStdString();
        for (size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(lines[qsizetype(i)].toStdString(), std::string(rows[i].second)) << rows[i].first;
    }

    QTemporaryDir dir;
    QString packet;
};

} // namespace

TEST_F(EvalCommand, PrecedenceKindsAndErrors)
{
    expectLines({QStringLiteral("--locale"), QStringLiteral("en")},
                {
                    {"2+3*4", "INTEGER 14"},
                    {"10-4-3", "INTEGER 3"},
                    {"10-4+3", "INTEGER 9"},
                    {"100/10/5", "FLOAT 2"},
                    {"7/2", "FLOAT 3.5"},
                    {"1/0", "ERROR Cannot divide by 0"},
                    {"'B' < 'a'", "BOOLEAN True"},
                    {"1 + 'a'", "STRING 1a"},
                    {"5 or 3", "INTEGER 7"},
                    {"TRUE < FALSE", "ERROR Operator < is not compatible with boolean expressions"},
                    {"not 5", "ERROR Invalid use of NOT"},
                    {"1 + -1", "ERROR Error in expression :  "},
                    {"1E-5", "ERROR Illegal character in numeric contant \"1E\""},
                    {"(1+2", "ERROR Missing )"},
                    {"FOO(1)", "ERROR Unknown function : FOO"},
                    {"", "STRING  "},
                    {"-5+2", "INTEGER -3"},
                });
}

TEST_F(EvalCommand, FunctionsInBothLocales)
{
    expectLines({QStringLiteral("--locale"), QStringLiteral("lv")},
                {
                    {"1.5", "FLOAT 1,5"},
                    {"FORMATNUMERIC('#,##0.00', 1234.5)", "STRING 1 234,50"},
                    {"IF(1 = 1, 'a', 2)", "STRING a"},
                    {"TYPEOF(1/0)", "STRING ERROR"},
                    {"DIV(7.5, 2)", "INTEGER 4"},
                    {"PRETTY('hELLO wORLD')", "STRING Hello world"},
                    {"COPY('abcdef', 2, 3)", "STRING bcd"},
                    {"COUNT(1)", "ERROR COUNT - Too many arguments"},
                });
    expectLines({QStringLiteral("--locale"), QStringLiteral("en")},
                {{"FORMATNUMERIC('#,##0.00', 1234.5)", "STRING 1,234.50"}, {"STR(2.5)", "STRING 2.5"}});
}

TEST_F(EvalCommand, FieldsOfTheChosenRecord)
{
    const QStringList lv = {QStringLiteral("--locale"), QStringLiteral("lv"), QStringLiteral("--data"), packet};
    expectLines(lv, {
                        {"PRECE", "STRING Piens 2,5% 1l"},
                        {"SUMARPVN * (1 + NODOKLIS / 100)", "FLOAT 12,1"},
                        {"DATUMS", "STRING 31.01.2026"},
                        {"RovevarurezDataSet.ISN", "INTEGER 1"},
                    });
    expectLines(lv + QStringList{QStringLiteral("--record"), QStringLiteral("3")},
                {{"PRECE + '/' + STR(SUMARPVN)", "STRING Maize/0"}, {"DATUMS", "STRING "}});
}

TEST_F(EvalCommand, AggregatePassOverEveryRecord)
{
    expectLines({QStringLiteral("--locale"), QStringLiteral("en"), QStringLiteral("--data"), packet,
                 QStringLiteral("--aggregate")},
                {
                    {"SUM(SUMARPVN)", "FLOAT 30.5"},
                    {"SUM(DAUDZUMS)", "INTEGER 9"},
                    {"COUNT", "INTEGER 3"},
                    {"AVERAGE(DAUDZUMS)", "FLOAT 3"},
                    {"MAX(PRECE)", "STRING Ābolu sula"},
                    {"MIN(DAUDZUMS)", "INTEGER 2"},
                    {"DAUDZUMS", "INTEGER 2"},   // then shown at the chosen record
                });
}

TEST_F(EvalCommand, DefinedEntries)
{
    expectLines({QStringLiteral("--locale"), QStringLiteral("en"), QStringLiteral("--data"), packet,
                 QStringLiteral("--define"), QStringLiteral("NET=SUMARPVN/1.25"), QStringLiteral("--define"),
                 QStringLiteral("PAGENUMBER=3")},
                {{"NET * 2", "FLOAT 16"}, {"[PAGENUMBER] + 1", "INTEGER 4"}});
}

TEST_F(EvalCommand, ThePacketIsTheShellsRecordSet)
{
    // As the shell names it, so that lookups by name work as in a report.
    expectLines({QStringLiteral("--locale"), QStringLiteral("lv"), QStringLiteral("--data"), packet,
                 QStringLiteral("--record"), QStringLiteral("2")},
                {
                    {"RECORDCOUNT('RovevarurezDataSet')", "INTEGER 3"},
                    {"rovevarurezdataset.PRECE", "STRING Ābolu sula"},
                    {"ISNULL('RovevarurezDataSet', 'SUMARPVN')", "BOOLEAN False"},
                    {"GOODS.ISN", "ERROR Unknown function : GOODS.ISN"},
                    {"EXTRACTMONTH(DATUMS)", "INTEGER 12"},
                    {"PADLEFTZERO(ISN, 4)", "STRING 0002"},
                    // Registry first: no report runs here, so the bare name
                    // fails; the environment's entry is reached in brackets.
                    {"PAGENUMBER", "ERROR "},
                    {"[PAGENUMBER]", "INTEGER 0"},
                    // No user to ask: OK, and the input box is cancelled.
                    {"OKBOX('?')", "BOOLEAN True"},
                    {"INPUTBOX('T', 'P', 'X')", "BOOLEAN False"},
                });
    expectLines({}, {{"RECORDCOUNT('RovevarurezDataSet')", "ERROR "}});
}

TEST_F(EvalCommand, FailuresAndBadInput)
{
    ProgramResult r = RunProgram(kTool, {QStringLiteral("eval"), QStringLiteral("1+1"),
                                         QStringLiteral("2147483647+1"), QStringLiteral("2+2")});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QStringLiteral("INTEGER 2\nFAILURE Integer overflow\nINTEGER 4\n"));

    r = RunProgram(kTool, {QStringLiteral("eval"), QStringLiteral("--data"), packet, QStringLiteral("--record"),
                           QStringLiteral("4"), QStringLiteral("ISN")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("record 4 is out of range"))) << r.err.toStdString();

    const QString missing = dir.filePath(QStringLiteral("missing.xml"));
    r = RunProgram(kTool, {QStringLiteral("eval"), QStringLiteral("--data"), missing, QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(missing)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    for (const QStringList &args : {QStringList{QStringLiteral("eval")},
                                    QStringList{QStringLiteral("eval"), QStringLiteral("--record"), QStringLiteral("0"), QStringLiteral("1")},
                                    QStringList{QStringLiteral("eval"), QStringLiteral("--locale"), QStringLiteral("de"), QStringLiteral("1")},
                                    QStringList{QStringLiteral("eval"), QStringLiteral("--bogus"), QStringLiteral("1")}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        r = RunProgram(kTool, args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage: zelmio-tool eval"))) << r.err.toStdString();
    }
}
