// The report dialog facade's output jobs: templates from files, streams and
// fields, the settings and hooks handed to each loaded report, the print
// offsets, saving prepared reports, and the printer setup.
#include "../engine/EngineTestSupport.h"

#include "designer/DesignVexa.h"
#include "designer/ReportDesignerDialog.h"
#include "designer/ReportPrintForm.h"
#include "expr/VxFunctionLibrary.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrintDialog.h"
#include "output/VxPrinter.h"
#include "platform/ClientDataSet.h"
#include "storage/GlobalComponentLookup.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

const QString kPacket = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/app/data/tiny-packet.xml");

// A template of one detail band a page high: each record on its own page.
QByteArray PageATemplate(const QString &expression)
{
    QByteArray text = "object Header: TComponentFileHeader\r\n  UserData = {}\r\nend\r\n"
                      "object RuntimeDatamodule: TRuntimeDatamodule\r\nend\r\n"
                      "object Vexa: TDesignVexa\r\n  DataSet = DatabaseOwner.RovevarurezDataSet\r\n"
                      "  Page.PaperSize = A4\r\n  Units = MM\r\n"
                      "  object DetailBand1: TTesmolaBand\r\n    Left = 38\r\n    Top = 38\r\n"
                      "    Width = 718\r\n    Height = 600\r\n    Size.Values = (\r\n"
                      "      1587.500000000000000000\r\n      1899.708333333333000000)\r\n"
                      "    BandType = rbDetail\r\n"
                      "    object Value: TTesmolaExpr\r\n      Left = 4\r\n      Top = 4\r\n      Width = 200\r\n"
                      "      Height = 18\r\n      Size.Values = (\r\n        47.625000000000000000\r\n"
                      "        10.583333333333330000\r\n        10.583333333333330000\r\n"
                      "        529.166666666666700000)\r\n      AutoSize = False\r\n      Expression = '";
    text += expression.toUtf8().replace("'", "''");
    text += "'\r\n    end\r\n  end\r\nend\r\n";
    return text;
}

// The application's main window with its record set and the facade on it.
struct Application {
    QObject window;
    TClientDataSet *data;
    TReportDesignerDialog facade{&window};
    RecordingExportFilter filter;

    Application()
    {
        window.setObjectName(QStringLiteral("ZelmioMain"));
        RegisterApplicationWindow(&window);
        data = new TClientDataSet(&window);
        data->setObjectName(QStringLiteral("RovevarurezDataSet"));
        data->SetFileName(kPacket);
        data->Open();
        facade.SetUseCurrentDatasets(true);
    }
    ~Application() { UnregisterApplicationWindow(&window); }

    bool ExportText(const QByteArray &templateText)
    {
        QByteArray copy = templateText;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        filter.rec = Recording();
        return facade.ExportReport_FromStream(buffer, &filter);
    }
};

} // namespace

TEST(ReportPrinterDialog, ExportsFromAFileAStreamOrAFieldAndFreesTheWindow)
{
    Application app;
    const QString file = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/app/data/amount-words.vx2");
    ASSERT_TRUE(app.facade.ExportReport(file, &app.filter)) << app.facade.LastError().toStdString();
    EXPECT_EQ(app.filter.rec.AllTexts().mid(0, 2), (QStringList{"Piens 2,5% 1l", "Maize rudzu"}));
    EXPECT_EQ(app.facade.ReportForm(), nullptr);

    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("PRECE + '!'"))));
    EXPECT_EQ(app.filter.rec.AllTexts(), (QStringList{"Piens 2,5% 1l!", "|", "Maize rudzu!"}));

    // A template held in a field of a record set.
    TClientDataSet templates;
    templates.SetXMLData("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"T\" fieldtype=\"bin.hex\" "
                         "SUBTYPE=\"Binary\"/></FIELDS></METADATA><ROWDATA><ROW T=\""
                         + PageATemplate(QStringLiteral("'field'")).toBase64() + "\"/></ROWDATA></DATAPACKET>");
    templates.Open();
    app.filter.rec = Recording();
    ASSERT_TRUE(app.facade.ExportReport_FromBlobField(templates.FieldByName(QStringLiteral("T")), &app.filter))
        << app.facade.LastError().toStdString();
    EXPECT_EQ(app.filter.rec.AllTexts(), (QStringList{"field", "|", "field"}));

    // The same filter serves again; the facade never frees it.
    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("'again'"))));
    EXPECT_EQ(app.filter.rec.AllTexts().size(), 3);
}

TEST(ReportPrinterDialog, ATemplateThatDoesNotLoadIsAFalseResultWithItsReason)
{
    Application app;
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.vx2"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("object Header: TComponentFileHeader\r\n  UserData = {\r\n");
    file.close();
    EXPECT_FALSE(app.facade.ExportReport(broken, &app.filter));
    EXPECT_TRUE(app.facade.LastError().contains(broken)) << app.facade.LastError().toStdString();
    EXPECT_TRUE(app.filter.rec.calls.isEmpty());
    EXPECT_EQ(app.facade.ReportForm(), nullptr);

    EXPECT_FALSE(app.ExportText("not a template"));
    EXPECT_FALSE(app.facade.LastError().isEmpty());
    EXPECT_FALSE(app.facade.ExportReport_FromBlobField(nullptr, &app.filter));
    EXPECT_FALSE(app.facade.ExportReport(broken, nullptr));
    EXPECT_EQ(app.facade.LastError(), QStringLiteral("no export filter was given"));
}

TEST(ReportPrinterDialog, SettingsAndHooksReachTheLoadedReport)
{
    Application app;
    app.facade.SetPreviewWidth(0);
    EXPECT_EQ(app.facade.PreviewWidth(), 500);
    app.facade.SetVersion(QStringLiteral("9"));
    EXPECT_EQ(app.facade.Version(), QStringLiteral("1.59.0"));

    // Hooks of the application run; PAGECOUNT is there while the facade
    // prepares automatically, and gone again when it does not.
    QStringList events;
    app.facade.SetBeforePrint([&](TCustomVexa *report, bool &) {
        events << QStringLiteral("BeforePrint active=%1")
                      .arg(ActiveTesmolaReports().contains(qobject_cast<TDesignVexa *>(report)));
    });
    app.facade.SetAfterReportLoaded([&](QObject *, TRuntimeComponentLoader *) { events << "loaded"; });
    app.facade.SetPrepareAutomatically(true);
    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("STR(PAGENUMBER) + ' of ' + STR(PAGECOUNT)"))));
    EXPECT_EQ(app.filter.rec.AllTexts(), (QStringList{"1 of 2", "|", "2 of 2"}));
    EXPECT_TRUE(events.contains("loaded"));
    EXPECT_TRUE(events.contains("BeforePrint active=1"));
    EXPECT_TRUE(ActiveTesmolaReports().isEmpty());

    app.facade.SetPrepareAutomatically(false);
    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("'x'"))));
    EXPECT_EQ(VxFunctionLibrary()->FindEntry(QStringLiteral("PAGECOUNT")), nullptr);
}

TEST(ReportPrinterDialog, PrintOffsetsMoveThePrintedPage)
{
    Application app;
    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("'here'"))));
    const PrintedText plain = app.filter.rec.Find(QStringLiteral("here"));

    app.facade.PrinterSettings()->SetPrintOffsetVerticalMM(5);
    app.facade.PrinterSettings()->SetPrintOffsetHorizontalMM(-2.5);
    ASSERT_TRUE(app.ExportText(PageATemplate(QStringLiteral("'here'"))));
    const PrintedText shifted = app.filter.rec.Find(QStringLiteral("here"));
    EXPECT_NEAR(double(shifted.y - plain.y), 50, 0.01);
    EXPECT_NEAR(double(shifted.x - plain.x), -25, 0.01);
    EXPECT_EQ(app.filter.rec.AllTexts(), (QStringList{"here", "|", "here"}));
}

TEST(ReportPrinterDialog, SavesThePreparedPagesAsAPreparedReport)
{
    Application app;
    QTemporaryDir dir;
    const QString vxp = dir.filePath(QStringLiteral("pages.vxp"));
    QByteArray text = PageATemplate(QStringLiteral("PRECE"));
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(app.facade.SaveStreamReportAsVXP(buffer, vxp)) << app.facade.LastError().toStdString();
    // The window stays until the next job; its report forgot the pages.
    ASSERT_NE(app.facade.Report(), nullptr);
    EXPECT_EQ(app.facade.Report()->RunState().VXPrinter, nullptr);
    TVxPrinter printer;
    printer.Load(vxp);
    EXPECT_EQ(printer.PageCount(), 2);
}

TEST(ReportPrinterDialog, PrinterSetupTakesTheDialogsChoicesOrCountsAsCancelled)
{
    Application app;
    GlobalPrintDialog() = nullptr;
    EXPECT_FALSE(app.facade.PrinterSetup());
    EXPECT_TRUE(app.facade.UsePrinterSettings());

    TVxPrintDialogRequest asked;
    GlobalPrintDialog() = [&asked](const TVxPrintDialogRequest &request, TVxPrintDialogChoice &choice) {
        asked = request;
        choice.copies = 3;
        choice.range = TVxPrintDialogChoice::TRange::Pages;
        choice.fromPage = 2;
        choice.toPage = 4;
        choice.duplexCode = 3;
        return true;
    };
    app.facade.PrinterSettings()->SetCopies(2);
    EXPECT_TRUE(app.facade.PrinterSetup());
    GlobalPrintDialog() = nullptr;
    EXPECT_EQ(asked.copies, 2);
    EXPECT_EQ(app.facade.PrinterSettings()->Copies(), 3);
    EXPECT_EQ(app.facade.PrinterSettings()->FirstPage(), 2);
    EXPECT_EQ(app.facade.PrinterSettings()->LastPage(), 4);
    EXPECT_TRUE(app.facade.PrinterSettings()->Duplex());
}

namespace {

// Stands in for the preview window: notes what it was asked to show.
struct PreviewLog {
    QStringList calls;
};

class LoggingPreview : public TVxPreviewInterface {
public:
    explicit LoggingPreview(PreviewLog &log)
        : m_log(log)
    {
    }
    QObject *Show(TVxPrinter *) override
    {
        m_log.calls << QStringLiteral("Show");
        return nullptr;
    }
    QObject *ShowModal(TVxPrinter *printer) override
    {
        m_log.calls << QStringLiteral("ShowModal %1 pages").arg(printer->PageCount());
        return nullptr;
    }

private:
    PreviewLog &m_log;
};

} // namespace

TEST(ReportPrinterDialog, PreviewsHandTheirPagesToThePreviewWindow)
{
    Application app;
    PreviewLog log;
    const TVxPreviewInterfaceClass kept = GlobalPreviewInterface();
    GlobalPreviewInterface() = [&log] { return std::make_unique<LoggingPreview>(log); };
    const QByteArray text = PageATemplate(QStringLiteral("PRECE"));
    auto preview = [&](bool modal) {
        app.facade.SetUseModalPreview(modal);
        QByteArray copy = text;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        return app.facade.PreviewReport_FromStream(buffer);
    };
    EXPECT_TRUE(preview(false));
    EXPECT_TRUE(preview(true));
    EXPECT_EQ(log.calls, (QStringList{"Show", "ShowModal 2 pages"}));
    EXPECT_EQ(app.facade.ReportForm(), nullptr);
    GlobalPreviewInterface() = kept;
}
