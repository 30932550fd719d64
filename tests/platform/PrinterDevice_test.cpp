#include "platform/PrinterDevice.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

int PdfPageCount(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count("/Type /Page\n") + 0);
}

} // namespace

TEST(PrinterDevice, WithoutAPrinterAJobFailsWithAMessage)
{
    TPrinterDevice device;
    if (device.HasPrinters())
        GTEST_SKIP() << "a printer is installed";
    EXPECT_EQ(device.PrinterIndex(), -1);
    EXPECT_TRUE(device.PrinterName().isEmpty());
    TPrinterDeviceMode mode;
    EXPECT_FALSE(device.GetDeviceMode(mode));
    EXPECT_EQ(device.SupportedFields(), 0u);
    EXPECT_TRUE(device.SupportedPaperCodes().isEmpty());
    EXPECT_FALSE(device.BeginDoc());
    EXPECT_EQ(device.LastError(), QStringLiteral("No printer is installed"));
    EXPECT_FALSE(device.Printing());
    EXPECT_EQ(device.Canvas(), nullptr);
}

TEST(PrinterDevice, AJobCanGoToAPdfFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    TPrinterDevice device;
    device.SetOutputFileName(path);
    device.SetTitle(QStringLiteral("Invoice 17"));
    ASSERT_TRUE(device.BeginDoc()) << device.LastError().toStdString();
    ASSERT_TRUE(device.Canvas());
    EXPECT_GT(device.PixelsPerInchX(), 0);
    device.Canvas()->drawText(100, 100, QStringLiteral("first"));
    ASSERT_TRUE(device.NewPage());
    device.Canvas()->drawText(100, 100, QStringLiteral("second"));
    ASSERT_TRUE(device.EndDoc()) << device.LastError().toStdString();
    EXPECT_FALSE(device.Printing());
    EXPECT_EQ(PdfPageCount(path), 2);
}

TEST(PrinterDevice, InstalledPrinterTakesAndReportsSettings)
{
    TPrinterDevice device;
    if (!device.HasPrinters())
        GTEST_SKIP() << "no printer is installed";
    EXPECT_GE(device.PrinterIndex(), 0);
    EXPECT_EQ(device.PrinterIndex(), device.DefaultPrinterIndex());
    EXPECT_TRUE(device.SupportedPaperCodes().contains(9)); // A4
    EXPECT_TRUE(device.SupportedFields() & DM_PAPERSIZE);

    TPrinterDeviceMode mode;
    ASSERT_TRUE(device.GetDeviceMode(mode));
    mode.PaperSize = 11; // A5
    mode.Orientation = 2;
    mode.Copies = 2;
    mode.Fields = DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES;
    device.SetDeviceMode(mode);
    TPrinterDeviceMode back;
    ASSERT_TRUE(device.GetDeviceMode(back));
    EXPECT_EQ(back.PaperSize, 11);
    EXPECT_EQ(back.PaperWidth, 1480);
    EXPECT_EQ(back.PaperLength, 2100);
    EXPECT_EQ(back.Orientation, 2);
    EXPECT_EQ(back.Copies, 2);
    // Landscape A5 is wider than high; the printable area lies inside it.
    const QSize paper = device.PhysicalPageSize();
    EXPECT_GT(paper.width(), paper.height());
    EXPECT_NEAR(paper.width(), 210 / 25.4 * device.PixelsPerInchX(), paper.width() * 0.005);
    const QPoint offset = device.PhysicalOffset();
    EXPECT_GE(offset.x(), 0);
    EXPECT_LE(offset.x() + device.PageSize().width(), paper.width());

    device.ResetDeviceMode();
    ASSERT_TRUE(device.GetDeviceMode(back));
    EXPECT_EQ(back.Copies, 1);
}

TEST(PrinterDevice, InstalledPrinterPrintsAJob)
{
    TPrinterDevice device;
    if (!device.HasPrinters())
        GTEST_SKIP() << "no printer is installed";
    device.SetTitle(QStringLiteral("zelmio printer device test"));
    ASSERT_TRUE(device.BeginDoc()) << device.LastError().toStdString();
    device.Canvas()->drawText(200, 200, QStringLiteral("Zelmio test page"));
    EXPECT_TRUE(device.EndDoc()) << device.LastError().toStdString();
}
