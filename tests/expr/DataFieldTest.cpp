// Fields in expressions: kinds by field class, name resolution through the
// record sets and environments, and aggregation over records.
#include "MemoryDataSet.h"

#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "platform/FormatSettings.h"
#include "platform/Formats.h"

#include <gtest/gtest.h>

using namespace zelmio;
using zelmio::test::MemoryDataSet;

namespace {

std::string show(const TVxEvResult &r)
{
    return (VxEvResultTypeName(r.Kind) + u' ' + VxEvResultText(r)).toStdString();
}

class DataFieldTest : public ::testing::Test {
protected:
    DataFieldTest()
    {
        goods.addField<TWideStringField>(QStringLiteral("PRECE"), TFieldType::ftWideString);
        goods.addField<TStringField>(QStringLiteral("EAN"), TFieldType::ftString);
        goods.addField<TIntegerField>(QStringLiteral("ISN"), TFieldType::ftInteger);
        goods.addField<TSmallintField>(QStringLiteral("KONSIGN"), TFieldType::ftSmallint);
        goods.addField<TFloatField>(QStringLiteral("SUMARPVN"), TFieldType::ftFloat);
        goods.addField<TBCDField>(QStringLiteral("NODOKLIS"), TFieldType::ftBCD);
        goods.addField<TBooleanField>(QStringLiteral("AKCIJA"), TFieldType::ftBoolean);
        goods.addField<TDateField>(QStringLiteral("DERLIDZ"), TFieldType::ftDate);
        goods.addField<TDateTimeField>(QStringLiteral("DATUMS"), TFieldType::ftDateTime);
        goods.addField<TTimeField>(QStringLiteral("LAIKS"), TFieldType::ftTime);
        goods.addField<TMemoField>(QStringLiteral("NOTES"), TFieldType::ftMemo);
        goods.addField<TIntegerField>(QStringLiteral("Credit-limit"), TFieldType::ftInteger);
        goods.addField<TIntegerField>(QStringLiteral("DATE"), TFieldType::ftInteger);
        goods.addField<TCurrencyField>(QStringLiteral("CENA"), TFieldType::ftCurrency);
        goods.addField<TLargeintField>(QStringLiteral("LIELS"), TFieldType::ftLargeint);

        const TDateTime day = EncodeDate(2026, 12, 8);
        const TDateTime afternoon = EncodeTime(14, 30, 5, 0);
        goods.addRow({QStringLiteral("Piens 2,5% 1l"), QStringLiteral("4750000000017"), 1, 2, 10.0, 21.0,
                      true, day, day + afternoon, afternoon, QStringLiteral("memo"), 3,
                      42, 0.99, 5});
        goods.addRow({QStringLiteral("Maize"), QStringLiteral("475"), 2, 1, 20.0, 12.0, false, day + 1,
                      day, afternoon, QVariant(), 4, 43, 1.5, 6});
        goods.addRow({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                      QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                      QVariant()});
        list.append(&goods);
    }

    TVxEvResult at(int recNo, const QString &expression)
    {
        goods.SetRecNo(recNo);
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&list);
        return evaluator.Calculate(expression);
    }

    ScopedFormatSettings locale{TFormatSettings::latvian()};
    MemoryDataSet goods{QStringLiteral("Goods")};
    TVxDataSetList list;
};

} // namespace

TEST_F(DataFieldTest, KindsFollowTheFieldClass)
{
    struct Row {
        const char *expression;
        const char *first;
        const char *nullRecord;
    } rows[] = {
        {"PRECE", "STRING Piens 2,5% 1l", "STRING "},
        {"EAN", "STRING 4750000000017", "STRING "},
        {"ISN", "INTEGER 1", "INTEGER 0"},
        {"KONSIGN", "INTEGER 2", "INTEGER 0"},
        {"LIELS", "INTEGER 5", "INTEGER 0"},
        {"SUMARPVN", "FLOAT 10", "FLOAT 0"},
        {"NODOKLIS", "FLOAT 21", "FLOAT 0"},
        {"CENA", "FLOAT 0,99", "FLOAT 0"},
        {"AKCIJA", "BOOLEAN True", "BOOLEAN False"},
        // Dates and times as text in the locale's formats.
        {"DERLIDZ", "STRING 08.12.2026", "STRING "},
        {"DATUMS", "STRING 08.12.2026 14:30:05", "STRING "},
        {"LAIKS", "STRING 14:30:05", "STRING "},
        {"[NOTES]", "ERROR Field NOTES is of unknown type", "ERROR Field NOTES is of unknown type"},
        {"NOTES", "ERROR Invalid use of NOT", "ERROR Invalid use of NOT"},   // not + ES
        {"SUMARPVN * (1 + NODOKLIS / 100)", "FLOAT 12,1", "FLOAT 0"},
        {"goods.prece", "STRING Piens 2,5% 1l", "STRING "},
        {"5-[Credit-limit]", "INTEGER 2", "INTEGER 5"},
        {"[DATE] + 1", "INTEGER 43", "INTEGER 1"},      // the field
        {"TYPEOF(DATE)", "STRING STRING", "STRING STRING"},   // the function
        {"EXTRA", "ERROR Unknown function : EXTRA", "ERROR Unknown function : EXTRA"},
        {"OTHER.PRECE", "ERROR Unknown function : OTHER.PRECE", "ERROR Unknown function : OTHER.PRECE"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expression);
        EXPECT_EQ(show(at(1, QString::fromLatin1(row.expression))), row.first);
        EXPECT_EQ(show(at(3, QString::fromLatin1(row.expression))), row.nullRecord);
    }
    // A date-and-time at midnight shows the date alone.
    EXPECT_EQ(show(at(2, QStringLiteral("DATUMS"))), "STRING 08.12.2026");
}

TEST_F(DataFieldTest, OneCompilationEvaluatesEveryRecord)
{
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&list);
    evaluator.Prepare(QStringLiteral("PRECE + ': ' + STR(SUMARPVN * (1 + NODOKLIS / 100))"));
    goods.First();
    EXPECT_EQ(show(evaluator.Value()), "STRING Piens 2,5% 1l: 12,1");
    goods.Next();
    EXPECT_EQ(show(evaluator.Value()), "STRING Maize: 22,4");
}

TEST_F(DataFieldTest, FirstRecordSetWinsAndPrefixesChoose)
{
    MemoryDataSet customers(QStringLiteral("Cust"));
    customers.addField<TStringField>(QStringLiteral("PRECE"), TFieldType::ftString);
    customers.addField<TStringField>(QStringLiteral("NAME"), TFieldType::ftString);
    customers.addRow({QStringLiteral("from customers"), QStringLiteral("SIA Zelmio")});
    list.append(&customers);
    EXPECT_EQ(show(at(1, QStringLiteral("PRECE"))), "STRING Piens 2,5% 1l");
    EXPECT_EQ(show(at(1, QStringLiteral("CUST.PRECE"))), "STRING from customers");
    EXPECT_EQ(show(at(1, QStringLiteral("cust.prece"))), "STRING from customers");
    EXPECT_EQ(show(at(1, QStringLiteral("NAME"))), "STRING SIA Zelmio");
    // A prefix asks that record set alone.
    EXPECT_EQ(show(at(1, QStringLiteral("GOODS.NAME"))), "ERROR Unknown function : GOODS.NAME");
    list.prepend(nullptr);   // a freed record set in the list is skipped
    EXPECT_EQ(show(at(1, QStringLiteral("NAME"))), "STRING SIA Zelmio");
}

TEST_F(DataFieldTest, FieldsShadowEnvironmentEntries)
{
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("PRECE"), QStringLiteral("'entry'"));
    environment.AddFunction(QStringLiteral("GROSS"), QStringLiteral("SUMARPVN * 2"));
    environment.SetDataSets(&list);
    environment.Prepare();
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&list);
    evaluator.SetEnvironment(&environment);
    goods.First();
    evaluator.Prepare(QStringLiteral("PRECE + ' ' + GROSS"));
    EXPECT_EQ(show(evaluator.Value()), "STRING Piens 2,5% 1l 20");
    environment.Unprepare();
}

TEST_F(DataFieldTest, RebuiltAndFreedFields)
{
    goods.First();
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&list);
    evaluator.Prepare(QStringLiteral("SUMARPVN + 1"));
    EXPECT_EQ(show(evaluator.Value()), "FLOAT 11");

    // Automatic fields rebuilt since compilation are fetched again.
    goods.rebuildFields();
    EXPECT_EQ(show(evaluator.Value()), "FLOAT 11");

    // Declared fields are kept; once freed the element reports it.
    goods.setDefaultFields(false);
    evaluator.Prepare(QStringLiteral("SUMARPVN + 1"));
    goods.rebuildFields();
    EXPECT_EQ(show(evaluator.Value()), "ERROR Field 'SUMARPVN' not found");
}

TEST_F(DataFieldTest, FreedRecordSet)
{
    auto temporary = std::make_unique<MemoryDataSet>(QStringLiteral("Temp"));
    temporary->addField<TIntegerField>(QStringLiteral("N"), TFieldType::ftInteger);
    temporary->addRow({7});
    TVxDataSetList own{temporary.get()};
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&own);
    evaluator.Prepare(QStringLiteral("N * 2"));
    EXPECT_EQ(show(evaluator.Value()), "INTEGER 14");
    temporary.reset();
    EXPECT_EQ(show(evaluator.Value()), "ERROR Field 'N' not found");
}

TEST_F(DataFieldTest, AggregationPassOverRecords)
{
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&list);
    evaluator.Prepare(QStringLiteral("STR(SUM(SUMARPVN)) + '/' + STR(COUNT) + '/' + MAX(PRECE)"));
    evaluator.Reset();
    for (goods.SetRecNo(1); goods.RecNo() <= 2; goods.Next())
        evaluator.DoAggregate();
    EXPECT_EQ(show(evaluator.Value()), "STRING 30/2/Piens 2,5% 1l");
}
