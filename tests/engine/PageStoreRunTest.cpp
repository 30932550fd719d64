// Runs into the page store: the recorded pages hold what each element drew
// where, the same places an export reports; a run on a worker thread fills
// the store while this thread reads its pages.
#include "EngineTestSupport.h"

#include "model/VxGroup.h"
#include "model/VxShape.h"
#include "output/PageReplay.h"
#include "output/RecordedPage.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrinter.h"

#include <QCoreApplication>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// A report of numbered details, 100 high, with a page footer of the page number.
void NumberedDetails(ReportFixture &f, int records)
{
    f.SetData(kNumberField, NumberedRows(records));
    f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
    f.AddExpr(f.AddBand(TVxBandType::rbPageFooter, 100), QStringLiteral("'page ' + STR(PAGENUMBER)"), 0);
}

} // namespace

TEST(PageStoreRun, RecordedPagesHoldTheTextsWhereTheBandsPrintedThem)
{
    ReportFixture f;
    NumberedDetails(f, 30);
    ASSERT_TRUE(PrepareReport(*f.report));
    TVxPrinter *printer = f.report->RunState().VXPrinter;
    ASSERT_NE(printer, nullptr);
    // 26 details of 100 fit above the footer of 100 on 2770.
    ASSERT_EQ(printer->PageCount(), 2);
    const std::unique_ptr<TVxRecordedPage> first = printer->GetPage(1);
    ASSERT_TRUE(first);
    QStringList expected;
    for (int i = 1; i <= 26; ++i)
        expected << QString::number(i);
    expected << QStringLiteral("page 1");
    EXPECT_EQ(PageStrings(*first), expected);
    // At 96 dpi a tenth of a millimetre is 0.378 pixels: the detail of record
    // 2 starts 100 below the first, the footer sits on the bottom margin.
    const std::vector<TPageText> texts = PageTexts(*first);
    EXPECT_NEAR(texts[1].bounds.top() - texts[0].bounds.top(), 100 * 0.37795, 0.6);
    EXPECT_NEAR(texts[0].bounds.left(), (100 + 500) * 0.37795, 1.0);
    EXPECT_NEAR(texts.back().bounds.top() - texts[0].bounds.top(), (2970 - 100 - 100 - 100) * 0.37795, 1.0);
    EXPECT_EQ(PageStrings(*printer->GetPage(2)), (QStringList{"27", "28", "29", "30", "page 2"}));
}

TEST(PageStoreRun, AWorkerThreadFillsTheStoreWhileTheWindowThreadReads)
{
    ReportFixture f;
    NumberedDetails(f, 2000);
    f.report->SetCreateInBGThread(true);
    ASSERT_TRUE(PreviewReport(*f.report));
    TVxCreateReportThread *thread = ReportThread(*f.report);
    ASSERT_NE(thread, nullptr);
    TVxPrinter *printer = f.report->RunState().VXPrinter;
    // Read whatever is stored while the run goes on.
    int read = 0;
    while (!thread->isFinished()) {
        const int available = printer->AvailablePages();
        if (available > read && printer->GetPage(available))
            read = available;
        QThread::yieldCurrentThread();
    }
    thread->wait();
    EXPECT_TRUE(thread->LastError().isEmpty()) << thread->LastError().toStdString();
    EXPECT_EQ(printer->PageCount(), 77);   // 26 a page
    EXPECT_EQ(PageStrings(*printer->GetPage(77)).last(), QStringLiteral("page 77"));
    // The thread frees itself.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ReportThread(*f.report), nullptr);
    EXPECT_TRUE(f.report->findChildren<TVxCreateReportThread *>().isEmpty());
}

TEST(PageStoreRun, ShapesAfterTextsKeepTheirPlaceOnTheReplayedPage)
{
    // Texts are recorded as runs of their own: what is drawn after them must
    // still be drawn in page coordinates.
    ReportFixture f;
    f.SetData(kNumberField, NumberedRows(1));
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 300);
    f.AddField(detail, QStringLiteral("NR"), 0);
    auto *frame = f.AddElement<TVxShape>(detail, 0, 0, 1000, 200);
    frame->SetShape(TVxShapeType::vxsRectangle);
    ASSERT_TRUE(PrepareReport(*f.report));
    const std::unique_ptr<TVxRecordedPage> page = f.report->RunState().VXPrinter->GetPage(1);
    ASSERT_TRUE(page);
    EXPECT_EQ(PageStrings(*page), QStringList{"1"});
    const QImage image = RenderPage(*page, 96);
    // Dark within a pixel of the place.
    const auto dark = [&image](double tenthsX, double tenthsY) {
        const int x = int(std::lround(tenthsX * 0.37795));
        const int y = int(std::lround(tenthsY * 0.37795));
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(image.pixel(x + dx, y + dy)) < 128)
                    return true;
        return false;
    };
    // The frame's edges: left and right at 100 and 1100, top at 100.
    EXPECT_TRUE(dark(100, 200));
    EXPECT_TRUE(dark(1100, 200));
    EXPECT_TRUE(dark(600, 100));
    EXPECT_FALSE(dark(600, 200));
}

TEST(PageStoreRun, AnExportShowsItsProgressWindowWhenTheReportAsks)
{
    // The windows library installs the progress window; here a stand-in that
    // counts the progress notices the printer posts to it.
    struct ProgressWindow : QObject {
        int notices = 0;
        bool event(QEvent *e) override
        {
            ++notices;
            return QObject::event(e);
        }
    };
    QStringList captions;
    ProgressWindow *shown = nullptr;
    GlobalProgressForm() = [&](TVxPrinter *, const QString &caption) -> std::unique_ptr<QObject> {
        captions << caption;
        auto window = std::make_unique<ProgressWindow>();
        shown = window.get();
        return window;
    };
    ReportFixture f;
    NumberedDetails(f, 60);
    f.report->SetShowProgress(true);
    int notices = -1;
    f.report->SetOnEndPage([&](TCustomVexa *) {
        QCoreApplication::sendPostedEvents();
        if (shown)
            notices = shown->notices;
    });
    f.Run();
    shown = nullptr;   // freed with its job
    f.report->SetShowProgress(false);
    f.Run();
    GlobalProgressForm() = nullptr;
    EXPECT_EQ(captions, QStringList{"Export Progress"});
    EXPECT_GT(notices, 0);
}
