// Two reports printing at the same time on two threads, each with its own
// locale, record set and page canvas, sharing the process-wide global
// expression environment and function library: each prints exactly what it
// prints alone, and the shared state ends as it began. Run under
// ThreadSanitizer this is the race check for a report generating on a
// worker thread while another thread formats.
#include "ElementTestSupport.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "model/VxController.h"
#include "model/VxDBText.h"
#include "model/VxExpr.h"
#include "platform/ClientDataSet.h"
#include "platform/Formats.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// One report over its own copy of the records: a price with a mask, a date,
// and an expression that uses the global environment and an aggregate.
// Every round prepares the elements (and so the global environment), prints
// each record through an export run and unprepares again.
QStringList RunReport(const TFormatSettings &locale, int rounds)
{
    ScopedFormatSettings settings(locale);
    TComponent form;
    auto *report = new TVexa(&form);
    report->Page()->SetPaperSize(TVxPaperSize::A4);
    auto *band = new TVxBand(&form);
    band->SetName(QStringLiteral("DetailBand1"));
    band->SetParent(report);
    band->SetBandType(TVxBandType::rbDetail);

    auto *records = new TClientDataSet(&form);
    records->setObjectName(QStringLiteral("Records"));
    records->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/records.xml"));
    records->Open();
    report->SetDataSet(records);
    report->RunState().AllDataSets = {records};

    const auto addText = [&](auto *element, const QString &name) {
        element->SetAutoSize(false);
        element->SetName(name);
        element->SetParent(band);
        ElementFixture::Place(element, 0, 0, 1500, 100);
        return element;
    };
    auto *price = addText(new TVxDBText(&form), QStringLiteral("Price"));
    price->SetDataSet(records);
    price->SetDataField(QStringLiteral("CENA"));
    price->SetMask(QStringLiteral("#,##0.00"));
    auto *date = addText(new TVxDBText(&form), QStringLiteral("Date"));
    date->SetDataSet(records);
    date->SetDataField(QStringLiteral("DATUMS"));
    auto *expr = addText(new TVxExpr(&form), QStringLiteral("Total"));
    expr->SetExpression(QStringLiteral("APPNAME + ': ' + PRECE + ' ' + STR(COUNT)"));

    QStringList printed;
    for (int round = 0; round < rounds; ++round) {
        RecordingFilter filter;
        ImagePageCanvas canvas(96, 2100, 400);
        TVxReportRunState &state = report->RunState();
        state.FinalPass = false;
        state.Exporting = true;
        state.ExportFilter = &filter;
        state.PageCanvas = &canvas;
        for (TVxPrintable *element : {static_cast<TVxPrintable *>(price), static_cast<TVxPrintable *>(date),
                                      static_cast<TVxPrintable *>(expr)})
            element->Prepare();
        for (records->First(); !records->Eof(); records->Next()) {
            report->Controller()->NotifyClients(TVxNotifyOperation::vxMasterDataAdvance);
            price->Print(0, 0);
            date->Print(0, 0);
            expr->Print(0, 0);
        }
        for (TVxPrintable *element : {static_cast<TVxPrintable *>(price), static_cast<TVxPrintable *>(date),
                                      static_cast<TVxPrintable *>(expr)})
            element->UnPrepare();
        if (round == 0)
            printed = filter.Texts();
        else if (filter.Texts() != printed)
            return {QStringLiteral("round %1 printed something else").arg(round)};
    }
    return printed;
}

} // namespace

TEST(ConcurrentRuns, TwoReportsOnTwoThreadsPrintAsAlone)
{
    ScopedMeasurementSystem metric{false};
    const TFormatSettings latvian = TFormatSettings::latvian();
    const TFormatSettings english = TFormatSettings::usEnglish();
    const QStringList latvianAlone = RunReport(latvian, 1);
    const QStringList englishAlone = RunReport(english, 1);
    ASSERT_EQ(latvianAlone.size(), 9);
    EXPECT_EQ(latvianAlone[0], QStringLiteral("1 234,50"));
    EXPECT_EQ(englishAlone[0], QStringLiteral("1,234.50"));
    EXPECT_EQ(latvianAlone[1], QStringLiteral("08.12.2026"));
    EXPECT_EQ(englishAlone[1], QStringLiteral("12/8/2026"));
    EXPECT_TRUE(latvianAlone[2].endsWith(QLatin1String(": Piens 2,5% 1"))) << latvianAlone[2].toStdString();

    const int preparedBefore = VxGlobalEnvironment()->PrepareCount();
    QStringList latvianRun;
    QStringList englishRun;
    {
        std::thread first([&] { latvianRun = RunReport(latvian, 40); });
        std::thread second([&] { englishRun = RunReport(english, 40); });
        // Meanwhile this thread formats with the process-wide locale and
        // compiles expressions of its own.
        for (int i = 0; i < 200; ++i) {
            TVxEvaluator evaluator;
            evaluator.Prepare(QStringLiteral("APPNAME + FORMATNUMERIC('0.00', 2.5)"));
            evaluator.Value();
            FormatFloat(QStringLiteral("#,##0.00"), 1234.5);
        }
        first.join();
        second.join();
    }
    EXPECT_EQ(latvianRun, latvianAlone);
    EXPECT_EQ(englishRun, englishAlone);
    EXPECT_EQ(VxGlobalEnvironment()->PrepareCount(), preparedBefore);
}
