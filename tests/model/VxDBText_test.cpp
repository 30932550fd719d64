// Field texts, expression texts and system data: what each prints.
#include "ElementTestSupport.h"
#include "model/VxController.h"
#include "model/VxDBText.h"
#include "model/VxExpr.h"
#include "model/VxSubDetail.h"
#include "model/VxSysData.h"
#include "platform/ClientDataSet.h"
#include "platform/Formats.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

TClientDataSet *OpenRecords(QObject *owner)
{
    auto *records = new TClientDataSet(owner);
    records->setObjectName(QStringLiteral("Records"));
    records->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/records.xml"));
    records->Open();
    return records;
}

// What an element prints for the current record, through an export run.
QStringList Printed(ElementFixture &fixture, TVxPrintable *element)
{
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 0, &filter);
    element->Prepare();
    element->Print(0, 0);
    element->UnPrepare();
    return filter.Texts();
}

} // namespace

TEST(VxDBText, FieldTextsByTypeAndMask)
{
    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    TVxDBText *text = fixture.AddText<TVxDBText>(QStringLiteral("DBText1"), 0, 0, 1500, 200);
    text->SetDataSet(records);
    struct Row {
        const char *field;
        const char *mask;
        QString printed;
    };
    const Row rows[] = {
        {"PRECE", "", QStringLiteral("Piens 2,5%")},
        {"PRECE", "0.00", QStringLiteral("Piens 2,5%")},  // a string field ignores the mask
        {"SK", "000", QStringLiteral("007")},
        {"CENA", "0.00", QStringLiteral("1234,50")},
        {"NODOKLIS", "0.0", QStringLiteral("21,5")},
        {"CENA", "%m", FormatString(QStringLiteral("%m"), {QVariant(1234.5)})},
        {"DATUMS", "dd.mm.yyyy", QStringLiteral("08.12.2026")},
        {"DATUMS", "yyyy. \"gada\" d. mmmm", FormatDateTime(QStringLiteral("yyyy. \"gada\" d. mmmm"), EncodeDate(2026, 12, 8))},
        {"NAV", "", QString()},                          // no such field
        {"CENA", "%m %d", QString()},                    // the mask fails on the value
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.field + std::string(" ") + row.mask);
        text->SetDataField(QString::fromLatin1(row.field));
        text->SetMask(QString::fromUtf8(row.mask));
        EXPECT_EQ(Printed(fixture, text), QStringList{row.printed});
    }
    EXPECT_EQ(text->Caption(), QStringLiteral("CENA"));
}

TEST(VxDBText, MemoFieldPrintsItsLines)
{
    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    TVxDBText *text = fixture.AddText<TVxDBText>(QStringLiteral("DBText1"), 0, 0, 1500, 200);
    text->SetDataSet(records);
    text->SetDataField(QStringLiteral("PIEZIMES"));
    EXPECT_EQ(Printed(fixture, text), (QStringList{QStringLiteral("Pirmā rinda"), QStringLiteral("Otrā rinda")}));
    // Its height asked before printing: two lines.
    text->Prepare();
    int height = 0;
    text->GetExpandedHeight(height);
    EXPECT_EQ(height, 2 * text->LineHeightPixels());
    text->UnPrepare();
    // A freed record set clears the reference; the element prints nothing.
    delete records;
    EXPECT_EQ(text->DataSet(), nullptr);
    EXPECT_EQ(Printed(fixture, text), QStringList{QString()});
}

TEST(VxExpr, ValuesFormattedByKind)
{
    ElementFixture fixture;
    ScopedFormatSettings english(TFormatSettings::usEnglish());
    TVxExpr *expr = fixture.AddText<TVxExpr>(QStringLiteral("Expr1"), 0, 0, 1500, 100);
    struct Row {
        const char *expression;
        const char *mask;
        QString printed;
    };
    const Row rows[] = {
        {"3.14159", "0.00", QStringLiteral("3.14")},
        {"2+3", "0.0", QStringLiteral("5.0")},
        {"2+3", "", QStringLiteral("5")},
        {"1=1", "", QStringLiteral("True")},
        {"1=2", "0.00", QStringLiteral("False")},
        {"'text'", "0.00", QStringLiteral("text")},
        {"2.5", "%m", FormatString(QStringLiteral("%m"), {QVariant(2.5)})},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expression);
        expr->SetExpression(QString::fromLatin1(row.expression));
        expr->SetMask(QString::fromLatin1(row.mask));
        EXPECT_EQ(Printed(fixture, expr), QStringList{row.printed});
    }
    // An expression problem prints its message, and does not fail.
    expr->SetExpression(QStringLiteral("NOSUCHFUNCTION(1)"));
    const QStringList printed = Printed(fixture, expr);
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed.first().contains(QLatin1String("NOSUCHFUNCTION"))) << printed.first().toStdString();
    expr->SetExpression(QString());
    EXPECT_EQ(expr->Caption(), QStringLiteral("(none)"));
}

TEST(VxExpr, AggregatesFollowTheMastersRecords)
{
    ElementFixture fixture;
    TVxExpr *expr = fixture.AddText<TVxExpr>(QStringLiteral("Expr1"), 0, 0, 1500, 100);
    expr->SetExpression(QStringLiteral("COUNT"));
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 0, &filter);
    // Without a master an aggregate registers with the report's data loop,
    // once however many runs prepare it.
    expr->Prepare();
    expr->UnPrepare();
    expr->Prepare();
    TVxCustomController *controller = fixture.report->Controller();
    EXPECT_EQ(controller->NotifyList().count(expr), 1);
    for (int record = 0; record < 3; ++record)
        controller->NotifyClients(TVxNotifyOperation::vxMasterDataAdvance);
    expr->Print(0, 0);
    expr->Print(0, 0);
    // With ResetAfterPrint the count starts again after each print.
    expr->SetResetAfterPrint(true);
    controller->NotifyClients(TVxNotifyOperation::vxMasterDataAdvance);
    expr->Print(0, 0);
    expr->Print(0, 0);
    EXPECT_EQ(filter.Texts(), (QStringList{"3", "3", "4", "0"}));
    expr->UnPrepare();

    // A sub-detail master: its own data loop; a band is no master.
    auto *sub = new TVxSubDetail(&fixture.form);
    sub->SetName(QStringLiteral("SubDetail1"));
    sub->SetParent(fixture.report);
    expr->SetMaster(fixture.band);
    EXPECT_EQ(expr->Master(), nullptr);
    expr->SetMaster(sub);
    EXPECT_EQ(expr->Master(), sub);
    expr->Prepare();
    EXPECT_TRUE(sub->Controller()->NotifyList().contains(expr));
    expr->UnPrepare();
    delete sub;
    EXPECT_EQ(expr->Master(), nullptr);
}

TEST(VxSysData, SystemValuesAfterThePrefix)
{
    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    fixture.report->SetDataSet(records);
    fixture.report->SetReportTitle(QStringLiteral("Cenu zīmes"));
    TVxSysData *data = fixture.AddText<TVxSysData>(QStringLiteral("SysData1"), 0, 0, 1500, 100);
    data->SetText(QStringLiteral("Lapa "));
    data->SetData(TVxSysDataType::vxsPageNumber);
    fixture.report->RunState().Pagecount = 3;
    EXPECT_EQ(Printed(fixture, data), QStringList{QStringLiteral("Lapa 3")});
    data->SetText(QString());
    data->SetData(TVxSysDataType::vxsReportTitle);
    EXPECT_EQ(Printed(fixture, data), QStringList{QStringLiteral("Cenu zīmes")});
    data->SetData(TVxSysDataType::vxsDate);
    EXPECT_EQ(Printed(fixture, data), QStringList{FormatDateTime(QStringLiteral("c"), Date())});
    // The record count leaves the record set where the loop has it.
    records->Next();
    data->SetData(TVxSysDataType::vxsDetailCount);
    EXPECT_EQ(Printed(fixture, data), QStringList{QStringLiteral("3")});
    EXPECT_EQ(records->RecNo(), 2);
    data->SetData(TVxSysDataType::vxsDetailNo);
    EXPECT_EQ(Printed(fixture, data), QStringList{QString::number(fixture.report->GetRecordNumber())});
    EXPECT_EQ(data->Caption(), QStringLiteral("(Detail no)"));
}
