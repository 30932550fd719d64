// Sub-controllers: sub-details with their own record sets, loop bands and
// strings bands with their variables, printed before or after their
// master's detail band.
#include "EngineTestSupport.h"

#include "model/VxLoopBand.h"
#include "model/VxStringsBand.h"
#include "model/VxSubDetail.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

const QByteArray kFields = "<FIELD attrname=\"NR\" fieldtype=\"i4\"/>";

TClientDataSet *OpenRows(QObject *owner, const QString &name, const QList<QByteArray> &rows)
{
    QByteArray xml = "<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS><FIELD attrname=\"LINE\" "
                     "fieldtype=\"string\" WIDTH=\"10\"/></FIELDS></METADATA><ROWDATA>";
    for (const QByteArray &row : rows)
        xml += "<ROW LINE=\"" + row + "\"/>";
    xml += "</ROWDATA></DATAPACKET>";
    auto *data = new TClientDataSet(owner);
    data->setObjectName(name);
    data->SetXMLData(xml);
    data->Open();
    return data;
}

} // namespace

TEST(Controllers, SubDetailsRunTheirRecordsForEveryMasterRecord)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\"", "NR=\"2\""});
    f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
    auto *sub = f.AddBand<TVxSubDetail>(TVxBandType::rbSubDetail, 50);
    TClientDataSet *lines = OpenRows(&f.form, QStringLiteral("Lines"), {"a", "b"});
    sub->SetDataSet(lines);
    sub->SetMaster(f.report);
    TVxDBText *line = f.AddField(sub, QStringLiteral("LINE"));
    line->SetDataSet(lines);
    TVxBand *subHeader = f.AddBand(TVxBandType::rbGroupHeader, 50);
    f.AddLabel(subHeader, QStringLiteral("["));
    sub->SetHeaderBand(subHeader);
    TVxBand *subFooter = f.AddBand(TVxBandType::rbGroupFooter, 50);
    f.AddLabel(subFooter, QStringLiteral("]"));
    sub->SetFooterBand(subFooter);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "[", "a", "b", "]", "2", "[", "a", "b", "]"}));

    sub->SetPrintBefore(true);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"[", "a", "b", "]", "1", "[", "a", "b", "]", "2"}));

    // Without records of its own it prints once per master record, empty.
    TClientDataSet *none = OpenRows(&f.form, QStringLiteral("None"), {});
    sub->SetDataSet(none);
    line->SetDataSet(none);
    sub->SetPrintBefore(false);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "[", "", "]", "2", "[", "", "]"}));
    sub->SetPrintIfEmpty(false);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "2"}));
}

TEST(Controllers, LoopAndStringsBandsSetTheirVariables)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\""});
    f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
    auto *loop = f.AddBand<TVxLoopBand>(TVxBandType::rbWild, 50, QStringLiteral("Loop"));
    loop->SetMaster(f.report);
    loop->SetPrintCount(3);
    f.AddExpr(loop, QStringLiteral("'loop ' + STR(LOOP)"));
    auto *strings = f.AddBand<TVxStringsBand>(TVxBandType::rbWild, 50, QStringLiteral("Items"));
    strings->SetMaster(f.report);
    strings->SetItems({QStringLiteral("x"), QStringLiteral("y")});
    f.AddExpr(strings, QStringLiteral("'item ' + ITEMS"));
    f.AddExpr(f.AddBand(TVxBandType::rbSummary, 50), QStringLiteral("STR(LOOP) + '|' + ITEMS"));
    // Afterwards the loop variable reads 0; the strings variable keeps its last line.
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "loop 0", "loop 1", "loop 2", "item x", "item y", "0|y"}));

    // A strings band without lines prints nothing (a new run starts its
    // variable afresh).
    strings->SetItems({});
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "loop 0", "loop 1", "loop 2", "0|"}));
}
