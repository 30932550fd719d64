#include "output/VxPrinter.h"

#include "PageFixtures.h"
#include "platform/VxError.h"
#include "model/Vexa.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrinterMessage.h"
#include "output/VxStream.h"
#include "platform/PrinterDevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QPicture>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace zelmio;
using zelmio::test::MakeSamplePage;

namespace {

// A window that notes the printer messages it receives.
class MessageLog : public QObject {
public:
    std::vector<std::pair<int, qintptr>> messages;
    std::function<void(const TVxPrinterMessage &)> onMessage;

    std::vector<qintptr> Values(int msg) const
    {
        std::vector<qintptr> values;
        for (const auto &[m, v] : messages)
            if (m == msg)
                values.push_back(v);
        return values;
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != TVxPrinterMessage::EventType())
            return QObject::event(e);
        const auto *message = static_cast<TVxPrinterMessage *>(e);
        messages.emplace_back(message->Msg(), message->WParam());
        if (onMessage)
            onMessage(*message);
        return true;
    }
};

// Draws the sample page's content onto the printer's canvas, in report units
// converted by the printer, as elements do.
void DrawPage(TVxPrinter &printer, int seed)
{
    QPainter *canvas = printer.Canvas();
    ASSERT_TRUE(canvas);
    canvas->setPen(QPen(Qt::black, printer.XSize(5)));
    canvas->drawLine(printer.XPos(264.6L), printer.YPos(132.3L), printer.XPos(264.6L), printer.YPos(1852));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(printer.YSize(63.5L));
    canvas->setFont(font);
    canvas->drawText(printer.XPos(291), printer.YPos(767), QStringLiteral("Zelmio page %1").arg(seed));
}

void Record(TVxPrinter &printer, int pages)
{
    printer.BeginDoc();
    for (int i = 1; i <= pages; ++i) {
        printer.NewPage();
        DrawPage(printer, i);
    }
    printer.EndDoc();
}

bool HavePrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

int PdfPageCount(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count("/Type /Page\n"));
}

} // namespace

TEST(VxPrinter, RecordsPagesInScreenPixels)
{
    TVxPrinter printer;
    printer.SetPaperSize(TVxPaperSize::A4);
    Record(printer, 2);
    EXPECT_EQ(printer.Status(), TVxPrinterStatus::mpFinished);
    EXPECT_EQ(printer.PageCount(), 2);
    EXPECT_EQ(printer.LeftWaste(), 0);
    EXPECT_NEAR(double(printer.XFactor()), 96 / 254.0, 1e-12);
    EXPECT_EQ(printer.XPos(2100), 794);
    EXPECT_EQ(printer.YPos(2970), 1123);
    auto page = printer.GetPage(2);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Size(), QSize(794, 1123));
    EXPECT_EQ(printer.GetPage(3), nullptr);
    EXPECT_EQ(printer.GetPage(0), nullptr);

    printer.Cleanup();
    EXPECT_EQ(printer.Status(), TVxPrinterStatus::mpReady);
    EXPECT_EQ(printer.GetPage(1), nullptr);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    Record(printer, 1);
    EXPECT_EQ(printer.GetPage(1)->Size(), QSize(1123, 794));
}

TEST(VxPrinter, RunsOnlyInTheRightOrder)
{
    TVxPrinter printer;
    EXPECT_THROW(printer.NewPage(), EVxError);
    try {
        printer.NewPage();
    } catch (const EVxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Illegal call to NewPage"));
    }
    printer.BeginDoc();
    try {
        printer.BeginDoc();
        ADD_FAILURE() << "second BeginDoc accepted";
    } catch (const EVxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("VXPrinter not ready"));
    }
    printer.NewPage();
    printer.EndDoc();
    EXPECT_THROW(printer.BeginDoc(), EVxError);
    EXPECT_THROW(printer.NewPage(), EVxError);
}

TEST(VxPrinter, PaperValuesFollowTheTableAndTheOrientation)
{
    const struct {
        TVxPaperSize size;
        TPrinterOrientation orientation;
        int width, length; // oriented
    } cases[] = {
        {TVxPaperSize::A4, TPrinterOrientation::poPortrait, 2100, 2970},
        {TVxPaperSize::A4, TPrinterOrientation::poLandscape, 2970, 2100},
        {TVxPaperSize::Letter, TPrinterOrientation::poPortrait, 2159, 2794},
        {TVxPaperSize::EnvB6, TPrinterOrientation::poPortrait, 1760, 1250},
        {TVxPaperSize::Custom, TPrinterOrientation::poPortrait, 600, 400},
        {TVxPaperSize::Custom, TPrinterOrientation::poLandscape, 400, 600},
    };
    for (const auto &c : cases) {
        TVxPrinter printer;
        printer.SetPaperSize(c.size);
        printer.SetOrientation(c.orientation);
        printer.SetPaperWidth(600);
        printer.SetPaperLength(400);
        if (!HavePrinter()) {
            // Without a printer nothing refuses the report's paper.
            EXPECT_EQ(printer.PaperSize(), c.size);
        }
        if (printer.PaperSize() != c.size || printer.Orientation() != c.orientation)
            continue; // the installed printer does not offer it
        EXPECT_EQ(printer.PaperWidthValue(), c.width) << int(c.size);
        EXPECT_EQ(printer.PaperLengthValue(), c.length) << int(c.size);
    }
}

TEST(VxPrinter, WatchingWindowsGetPostedMessages)
{
    TVxPrinter printer;
    MessageLog client;
    printer.SetClient(&client);
    printer.BeginDoc();
    printer.NewPage();
    printer.NewPage();
    printer.SetProgress(50);
    printer.NewPage();
    EXPECT_TRUE(client.messages.empty()); // posted, not delivered by a call
    printer.EndDoc();
    QCoreApplication::processEvents();
    EXPECT_EQ(client.Values(CM_VXPAGEAVAILABLE), (std::vector<qintptr>{1, 2, 3}));
    EXPECT_EQ(client.Values(CM_VXPROGRESSUPDATE), (std::vector<qintptr>{50}));
    EXPECT_EQ(printer.AvailablePages(), 3);
}

TEST(VxPrinter, AWorkerThreadGeneratesWhileTheWindowReads)
{
    constexpr int Pages = 60;
    TVxPrinter printer;
    printer.SetCompression(true);
    MessageLog client;
    printer.SetClient(&client);
    int shown = 0;
    client.onMessage = [&](const TVxPrinterMessage &message) {
        if (message.Msg() != CM_VXPAGEAVAILABLE)
            return;
        const int available = std::min<int>(int(message.WParam()), printer.PageCount());
        if (auto page = printer.GetPage(available)) {
            EXPECT_EQ(page->Size(), QSize(794, 1123));
            ++shown;
        }
    };
    std::atomic<bool> done = false;
    std::thread worker([&] {
        Record(printer, Pages);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents();
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(client.Values(CM_VXPAGEAVAILABLE).size(), size_t(Pages));
    EXPECT_EQ(client.Values(CM_VXPAGEAVAILABLE).back(), Pages);
    EXPECT_GT(shown, 0);
    for (int i = 1; i <= Pages; i += 7)
        EXPECT_TRUE(printer.GetPage(i)) << i;
}

TEST(VxPrinter, SavedReportsLoadWithTheirPaper)
{
    if (HavePrinter())
        GTEST_SKIP() << "an installed printer may refuse the test's paper sizes";
    QTemporaryDir dir;
    const struct {
        TVxPaperSize size;
        TPrinterOrientation orientation;
        int customWidth, customLength;
        TVxPaperSize loadedSize;
        TPrinterOrientation loadedOrientation;
    } cases[] = {
        {TVxPaperSize::A4, TPrinterOrientation::poPortrait, 0, 0, TVxPaperSize::A4Small, TPrinterOrientation::poPortrait},
        {TVxPaperSize::A4, TPrinterOrientation::poLandscape, 0, 0, TVxPaperSize::A4Small, TPrinterOrientation::poLandscape},
        {TVxPaperSize::Letter, TPrinterOrientation::poPortrait, 0, 0, TVxPaperSize::Note, TPrinterOrientation::poPortrait},
        // Not a known size: the paper stays, the orientation follows the page.
        {TVxPaperSize::Custom, TPrinterOrientation::poPortrait, 1000, 1500, TVxPaperSize::B5, TPrinterOrientation::poPortrait},
        {TVxPaperSize::Custom, TPrinterOrientation::poPortrait, 1500, 1000, TVxPaperSize::B5, TPrinterOrientation::poLandscape},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.size) << " " << int(c.orientation));
        const QString path = dir.filePath(QStringLiteral("report.vxp"));
        TVxPrinter writer;
        writer.SetPaperSize(c.size);
        writer.SetOrientation(c.orientation);
        writer.SetPaperWidth(c.customWidth);
        writer.SetPaperLength(c.customLength);
        writer.SetCompression(true);
        Record(writer, 3);
        writer.Save(path);

        SetPrintMetafileFromPreview(false);
        TVxPrinter reader;
        reader.SetPaperSize(TVxPaperSize::B5);
        reader.SetOnPrintSetup([] {});
        reader.Load(path);
        EXPECT_EQ(reader.Status(), TVxPrinterStatus::mpFinished);
        EXPECT_EQ(reader.PageCount(), 3);
        EXPECT_TRUE(reader.ReportLoaded());
        EXPECT_TRUE(PrintMetafileFromPreview());
        EXPECT_FALSE(reader.OnPrintSetup());
        EXPECT_EQ(reader.PaperSize(), c.loadedSize);
        EXPECT_EQ(reader.Orientation(), c.loadedOrientation);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(reader.GetPage(i)->Bytes(), writer.GetPage(i)->Bytes());
    }
}

TEST(VxPrinter, SavingAndLoadingFailClearly)
{
    QTemporaryDir dir;
    TVxPrinter printer;
    printer.BeginDoc();
    printer.NewPage();
    EXPECT_THROW(printer.Save(dir.filePath(QStringLiteral("early.vxp"))), EVxError);
    printer.EndDoc();
    EXPECT_THROW(printer.Save(dir.filePath(QStringLiteral("no/such/dir/x.vxp"))), EVxError);

    TVxPrinter direct; // pages that went to the printer cannot be saved
    direct.PrinterHandle()->SetOutputFileName(dir.filePath(QStringLiteral("direct.pdf")));
    direct.SetDestination(TVxPrinterDestination::vxdPrinter);
    Record(direct, 1);
    EXPECT_THROW(direct.Save(dir.filePath(QStringLiteral("direct.vxp"))), EVxError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("direct.vxp"))));

    const QString broken = dir.filePath(QStringLiteral("broken.vxp"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(300, 'x'));
    f.close();
    try {
        printer.Load(broken);
        ADD_FAILURE() << "loaded a broken file";
    } catch (const EVxError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("broken.vxp"))) << e.message().toStdString();
    }
    EXPECT_EQ(printer.Status(), TVxPrinterStatus::mpReady);
    EXPECT_EQ(printer.GetPage(1), nullptr);

    // A report saved by an earlier version holds QPicture pages: its store
    // is whole, but its first page is refused, and the report with it.
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, 794, 1123));
    {
        QPainter p(&picture);
        p.drawLine(0, 0, 100, 100);
    }
    TVxPageList old;
    old.SetStream(std::make_unique<TVxStream>());
    old.AddPageBytes(QByteArray(picture.data(), qsizetype(picture.size())));
    old.Finish();
    const QString earlier = dir.filePath(QStringLiteral("earlier.vxp"));
    old.SaveToFile(earlier);
    try {
        printer.Load(earlier);
        ADD_FAILURE() << "loaded an earlier version's report";
    } catch (const EVxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("The prepared report \"%1\" cannot be shown: Page 1 was recorded by an "
                                              "earlier version of this program and cannot be read; generate the "
                                              "report again")
                                   .arg(earlier));
    }
    EXPECT_EQ(printer.Status(), TVxPrinterStatus::mpReady);
}

TEST(VxPrinter, PreviewOpensThroughTheFactoryOrTheHook)
{
    struct FakePreview : TVxPreviewInterface {
        QObject *window;
        explicit FakePreview(QObject *w) : window(w) {}
        QObject *Show(TVxPrinter *printer) override
        {
            printer->SetShowingPreview(true);
            return window;
        }
    };
    QObject window;
    const TVxPreviewInterfaceClass saved = GlobalPreviewInterface();
    GlobalPreviewInterface() = [&] { return std::make_unique<FakePreview>(&window); };
    TVxPrinter printer;
    printer.Preview();
    EXPECT_EQ(printer.PreviewControl(), &window);
    EXPECT_TRUE(printer.ShowingPreview());

    int hooked = 0;
    printer.SetOnPreview([&](QObject *) { ++hooked; });
    printer.Preview();
    EXPECT_EQ(hooked, 1);
    GlobalPreviewInterface() = saved;
}

TEST(VxPrinter, ClosingThePreviewCancelsAndTellsTheMaster)
{
    TVxPrinter printer;
    MessageLog master;
    printer.SetMaster(&master);
    int afterPreview = 0;
    printer.SetAfterPreview([&](QObject *) { ++afterPreview; });
    printer.SetShowingPreview(true);
    printer.BeginDoc();
    printer.NewPage();
    printer.ClosePreview(nullptr);
    EXPECT_TRUE(printer.Cancelled());
    EXPECT_FALSE(printer.ShowingPreview());
    EXPECT_EQ(afterPreview, 1);
    // Handled before ClosePreview returns.
    EXPECT_EQ(master.Values(CM_VXPREVIEWCLOSE).size(), 1u);
}

TEST(VxPrinter, PrintingWithoutAPrinterFailsClearly)
{
    if (HavePrinter())
        GTEST_SKIP() << "a printer is installed";
    TVxPrinter printer;
    EXPECT_FALSE(printer.PrinterOK());
    Record(printer, 1);
    printer.SetTitle(QStringLiteral("Invoice"));
    try {
        printer.Print();
        ADD_FAILURE() << "printed without a printer";
    } catch (const EVxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot print \"Invoice\": no printer is installed"));
    }
    // Printing straight to the printer: the job does not open, and the
    // engine learns it from IsPrinting (it then cancels the run).
    TVxPrinter direct;
    direct.SetDestination(TVxPrinterDestination::vxdPrinter);
    direct.BeginDoc();
    direct.NewPage();
    EXPECT_FALSE(direct.IsPrinting());
    EXPECT_EQ(direct.LastPrinterError(), QStringLiteral("No printer is installed"));
    ASSERT_TRUE(direct.Canvas()); // elements may still draw, harmlessly
    direct.AbortDoc();
}

TEST(VxPrinter, AFinishedRunPrintsAgainThroughItsMaster)
{
    TVxPrinter printer;
    MessageLog master;
    printer.SetMaster(&master);
    Record(printer, 2);
    printer.Print(); // the report runs again straight to the printer
    QCoreApplication::processEvents();
    EXPECT_EQ(master.Values(CM_VXPRINT).size(), 1u);
}

TEST(VxPrinter, StoredPagesPrintInPlaceWithTheirRange)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    TVexa report;
    report.Page()->SetPaperSize(TVxPaperSize::A4);
    report.PrinterSettings()->SetFirstPage(2);
    report.PrinterSettings()->SetLastPage(3);
    TVxPrinter printer(&report);
    printer.SetPaperSize(TVxPaperSize::A4);
    printer.PrinterHandle()->SetOutputFileName(pdf);
    Record(printer, 4);
    int afterPrint = 0;
    printer.SetAfterPrint([&](QObject *) { ++afterPrint; });
    printer.Print();
    EXPECT_EQ(PdfPageCount(pdf), 2);
    EXPECT_EQ(afterPrint, 1);
    EXPECT_EQ(report.PrinterSettings()->FirstPage(), 0);
    EXPECT_EQ(report.PrinterSettings()->LastPage(), 0);

    // The line recorded 264.6 tenths of a millimetre from the paper's edge
    // (100 pixels at 96 dpi) lands there on the printed paper.
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return;
    const QString png = dir.filePath(QStringLiteral("printed"));
    QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                 QStringLiteral("-singlefile"), pdf, png});
    const QImage image(png + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), 794, 1);
    int lineX = -1;
    for (int x = 80; x < 120 && lineX < 0; ++x)
        if (qGray(image.pixel(x, 400)) < 128)
            lineX = x;
    EXPECT_NEAR(lineX, 99, 2);
    int textTop = -1;
    for (int y = 230; y < 300 && textTop < 0; ++y)
        for (int x = 115; x < 300; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                textTop = y;
                break;
            }
    EXPECT_GT(textTop, 240); // the text sits above its baseline at 290
}

TEST(VxPrinter, PrintingDirectlyHonoursThePageRange)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("direct.pdf"));
    TVxPrinter printer;
    printer.PrinterHandle()->SetOutputFileName(pdf);
    printer.SetDestination(TVxPrinterDestination::vxdPrinter);
    printer.SetFirstPage(2);
    printer.SetLastPage(3);
    printer.BeginDoc();
    std::vector<bool> onPrinter;
    for (int i = 1; i <= 4; ++i) {
        printer.NewPage();
        onPrinter.push_back(printer.CurrentPageOK());
        EXPECT_EQ(printer.IsPrinting(), i >= 2);
        const long double expected = i == 2 || i == 3 ? printer.PrinterHandle()->PixelsPerInchX() / 254.0L : 96 / 254.0L;
        EXPECT_NEAR(double(printer.XFactor()), double(expected), 1e-9) << i;
        EXPECT_EQ(printer.XPos(1000), int(std::llrint((1000 - printer.LeftWaste()) * printer.XFactor())));
        DrawPage(printer, i);
    }
    printer.EndDoc();
    EXPECT_EQ(onPrinter, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(PdfPageCount(pdf), 2);
}

TEST(VxPrinter, CancellingStopsPrintingAfterThePageInHand)
{
    QTemporaryDir dir;
    TVexa report;
    report.SetShowProgress(true);
    TVxPrinter printer(&report);
    printer.PrinterHandle()->SetOutputFileName(dir.filePath(QStringLiteral("cancelled.pdf")));
    Record(printer, 5);
    const TVxProgressFormClass saved = GlobalProgressForm();
    std::vector<qintptr> progress;
    GlobalProgressForm() = [&](TVxPrinter *p, const QString &caption) -> std::unique_ptr<QObject> {
        EXPECT_EQ(caption, QStringLiteral("Printing progress"));
        auto window = std::make_unique<MessageLog>();
        window->onMessage = [&, p](const TVxPrinterMessage &m) {
            progress.push_back(m.WParam());
            p->Cancel(); // the user's cancel button
        };
        return window;
    };
    printer.Print();
    GlobalProgressForm() = saved;
    EXPECT_EQ(printer.PageNumber(), 2);
    EXPECT_EQ(progress, (std::vector<qintptr>{20}));
    EXPECT_EQ(printer.Client(), nullptr);
}

TEST(VxPrinter, InstalledPrinterPrintsStoredPages)
{
    if (!HavePrinter())
        GTEST_SKIP() << "no printer is installed";
    TVxPrinter printer;
    EXPECT_TRUE(printer.PrinterOK());
    EXPECT_FALSE(printer.Printers().isEmpty());
    printer.SetTitle(QStringLiteral("zelmio stored pages test"));
    Record(printer, 2);
    EXPECT_NO_THROW(printer.Print());

    // Straight to the printer: positions are measured from the paper's edge.
    TVxPrinter direct;
    direct.SetDestination(TVxPrinterDestination::vxdPrinter);
    direct.SetTitle(QStringLiteral("zelmio direct test"));
    direct.BeginDoc();
    direct.NewPage();
    EXPECT_TRUE(direct.IsPrinting());
    const long double dpi = direct.PrinterHandle()->PixelsPerInchX();
    EXPECT_EQ(direct.XPos(500), int(std::llrint((500 - direct.LeftWaste()) * dpi / 254)));
    DrawPage(direct, 1);
    EXPECT_NO_THROW(direct.EndDoc());
}

TEST(VxPrinter, TakesTheReportsPageAndPrinterSettings)
{
    if (HavePrinter())
        GTEST_SKIP() << "an installed printer may refuse the test's paper";
    TVexa report;
    report.Page()->SetUnits(TVxUnit::MM);
    report.Page()->SetPaperSize(TVxPaperSize::Custom);
    report.Page()->SetWidth(60);
    report.Page()->SetLength(40);
    report.Page()->SetOrientation(TPrinterOrientation::poLandscape);
    report.PrinterSettings()->SetCopies(3);
    report.PrinterSettings()->SetFirstPage(2);
    report.PrinterSettings()->SetOutputBin(TVxBin::Manual);
    TVxPrinter printer(&report);
    printer.CopySettingsFromReport(report);
    EXPECT_EQ(printer.PaperSize(), TVxPaperSize::Custom);
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.PaperWidthValue(), std::lround(double(report.Page()->InternalValue(TVxPage::WidthIndex))));
    EXPECT_EQ(printer.PaperLengthValue(), std::lround(double(report.Page()->InternalValue(TVxPage::LengthIndex))));
    EXPECT_EQ(printer.Copies(), 3);
    EXPECT_EQ(printer.FirstPage(), 2);
    EXPECT_EQ(printer.OutputBin(), TVxBin::Manual);
    Record(printer, 1);
    const QSize page = printer.GetPage(1)->Size();
    EXPECT_EQ(page, QSize(printer.XSize(printer.PaperWidthValue()), printer.YSize(printer.PaperLengthValue())));

    TVxPrinterSettings back;
    printer.SetCopies(5);
    printer.CopySettingsToReport(back);
    EXPECT_EQ(back.Copies(), 5);
    EXPECT_EQ(back.PaperSize(), TVxPaperSize::Custom);
    EXPECT_EQ(back.OutputBin(), TVxBin::Manual);
    EXPECT_EQ(DefaultPrinterPaperSize(), TVxPaperSize::Default);
}
