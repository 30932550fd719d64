// The chain of a PDF run without the PDF: the facade loads a template with
// the print loader, the design report calls the application's band hook, and
// the shell's print-time hooks write the amounts in words.
#include "app/PrintTimeHooks.h"

#include "app/LanguageServices.h"
#include "designer/ReportDesignerDialog.h"
#include "export/VxExportFilter.h"
#include "platform/ClientDataSet.h"
#include "platform/FormatSettings.h"
#include "storage/GlobalComponentLookup.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

class TextsFilter : public TVxExportFilter {
public:
    TextsFilter()
        : TVxExportFilter(QString())
    {
    }
    void TextOut(TPaperPos, const TVxFont *, TColor, TAlignment, const QString &text) override { texts << text; }
    QStringList texts;
};

} // namespace

TEST(PdfModeChain, TheFacadeRunsTheTemplateWithTheShellsHooks)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    QObject mainWindow;
    mainWindow.setObjectName(QStringLiteral("ZelmioMain"));
    RegisterApplicationWindow(&mainWindow);
    auto *data = new TClientDataSet(&mainWindow);
    data->setObjectName(QStringLiteral("RovevarurezDataSet"));
    data->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/tiny-packet.xml"));
    data->Open();
    TReportDesignerDialog facade(&mainWindow);
    facade.SetDataSet(data);
    facade.SetUseCurrentDatasets(true);
    TZelmioPrintHooks hooks(data);
    facade.SetBandBeforePrint([&hooks](TVxCustomBand *sender, bool &printBand) {
        hooks.BandBeforePrint(sender, printBand);
    });

    TextsFilter filter;
    ASSERT_TRUE(facade.ExportReport(QStringLiteral(ZELMIO_TEST_DATA "/amount-words.vx2"), &filter))
        << facade.LastError().toStdString();
    EXPECT_EQ(filter.texts, (QStringList{"Piens 2,5% 1l", "Maize rudzu",
                                         TLanguageServices::SumLat(QStringLiteral("EUR"), QString(), 2.48),
                                         QStringLiteral(" Twenty one EUR  00 cents")}));

    // A template that does not load: a false result and the reason.
    EXPECT_FALSE(facade.ExportReport(QStringLiteral(ZELMIO_TEST_DATA "/not-a-packet.xml"), &filter));
    EXPECT_FALSE(facade.LastError().isEmpty());
    UnregisterApplicationWindow(&mainWindow);
}
