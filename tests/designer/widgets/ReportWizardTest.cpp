// The report wizard driven through its controls for each report style; the
// report it builds is saved, loaded for printing and exported, and the
// printed texts show the chosen fields.
#include "../../engine/EngineTestSupport.h"
#include "designer/DesignVexa.h"
#include "designer/ReportCreator.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/ReportWizard.h"
#include "model/VxPage.h"
#include "platform/ClientDataSet.h"
#include "storage/GlobalComponentLookup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

struct WizardFixture {
    ScopedMeasurementSystem metric{false};
    QObject application;
    TClientDataSet *prices = new TClientDataSet(&application);
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    TVxDReportCreator creator{form.Report(), designer};
    TTesmolaReportExpert wizard{nullptr, designer};

    WizardFixture()
    {
        // The application window that owns the record set, as templates name it.
        application.setObjectName(QStringLiteral("MainWindow"));
        RegisterApplicationWindow(&application);
        prices->setObjectName(QStringLiteral("Prices"));
        prices->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                           "<FIELD attrname=\"PRECE\" fieldtype=\"string\" WIDTH=\"12\"/>"
                           "<FIELD attrname=\"CENA\" fieldtype=\"string\" WIDTH=\"8\"/>"
                           "</FIELDS></METADATA><ROWDATA><ROW PRECE=\"Maize\" CENA=\"1,20\"/>"
                           "<ROW PRECE=\"Piens\" CENA=\"0,99\"/></ROWDATA></DATAPACKET>");
        prices->Open();
        designer->SetFieldDisplayLabels({QStringLiteral("PRECE=Prece"), QStringLiteral("CENA=Cena_EUR")});
        wizard.BindReport(form.Report(), &creator);
        wizard.show();
    }
    ~WizardFixture() { UnregisterApplicationWindow(&application); }
    template <class W = QWidget>
    W *Get(const char *name)
    {
        W *w = wizard.findChild<W *>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void Click(const char *name) { QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton); }
    // Presses "Next" until the finish page, the pages passed on the way.
    QList<int> NextToTheEnd()
    {
        QList<int> pages{wizard.CurrentPage()};
        while (wizard.CurrentPage() != TTesmolaReportExpert::FinishPage && pages.size() < 12 && wizard.isVisible()) {
            if (wizard.CurrentPage() == TTesmolaReportExpert::DatafieldsPage)
                Click("AddAllFields");
            Click("NextButton");
            pages << wizard.CurrentPage();
        }
        return pages;
    }
    QStringList Print()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wizard.vx2"));
        EXPECT_TRUE(designer->SaveReport(path)) << designer->LastError().toStdString();
        TReportPrintForm print(&application);
        print.Loader()->LoadCompsAndDatamoduleFromFile(path);
        EXPECT_TRUE(print.Loader()->LoadWarnings().isEmpty())
            << print.Loader()->LoadWarnings().join('\n').toStdString();
        RecordingExportFilter filter;
        ExportReportToFilter(*print.Report(), filter);
        return filter.rec.AllTexts();
    }
};

TEST(ReportWizard, EachStyleWalksItsPagesAndBuildsAReportThatPrints)
{
    using W = TTesmolaReportExpert;
    struct Row {
        const char *style;
        QList<int> pages;
        QStringList texts;
    };
    const Row rows[] = {
        {"ListStyle", {W::ReportTypePage, W::DatasetPage, W::DatafieldsPage, W::BandsPage, W::SpecialOptionsPage, W::FontsPage, W::FinishPage},
         {"Wizard", "Prece", "Cena EUR", "Maize", "1,20", "Piens", "0,99"}},
        {"FormStyle", {W::ReportTypePage, W::DatasetPage, W::DatafieldsPage, W::BandsPage, W::SpecialOptionsPage, W::FontsPage, W::FinishPage},
         // A page for each record: the title stays alone on the first.
         {"Wizard", "|", "Prece", "Cena EUR", "Maize", "1,20", "|", "Prece", "Cena EUR", "Piens", "0,99"}},
        {"Tabular", {W::ReportTypePage, W::DatasetPage, W::DatafieldsPage, W::BandsPage, W::SpecialOptionsPage, W::FontsPage, W::FinishPage},
         {"Wizard", "Prece", "Cena EUR", "Maize", "1,20", "Prece", "Cena EUR", "Piens", "0,99"}},
        {"SingleForm", {W::ReportTypePage, W::DatasetPage, W::DatafieldsPage, W::SpecialOptionsPage, W::FontsPage, W::FinishPage},
         {"Wizard", "Prece", "Cena EUR", "Maize", "1,20"}},
        {"MailingLabels", {W::ReportTypePage, W::DatasetPage, W::DatafieldsPage, W::LabelSelectPage, W::PaperSizePage, W::LabelFormatPage, W::FontsPage, W::FinishPage},
         {"Prece", "Cena EUR", "Maize", "1,20", "Prece", "Cena EUR", "Piens", "0,99"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.style);
        WizardFixture f;
        f.Click(row.style);
        f.Click("NextButton");
        EXPECT_EQ(f.Get<QListWidget>("DatasetList")->item(0)->text(),
                  QString::fromLatin1(qstrcmp(row.style, "MailingLabels") == 0 ? "None" : "(None)"));
        f.Get<QListWidget>("DatasetList")->setCurrentRow(1);
        if (qstrcmp(row.style, "MailingLabels") != 0) {
            f.wizard.findChild<QCheckBox *>(QStringLiteral("TitleBand"))->setChecked(true);
            f.Get<QLineEdit>("ReportTitle")->setText(QStringLiteral("Wizard"));
        }
        const QList<int> pages = QList<int>{W::ReportTypePage} + f.NextToTheEnd();
        EXPECT_EQ(pages, row.pages);
        EXPECT_FALSE(f.Get<QPushButton>("NextButton")->isVisible());
        EXPECT_TRUE(f.Get<QPushButton>("FinishButton")->isEnabled());
        f.Click("FinishButton");
        EXPECT_EQ(f.wizard.result(), int(QDialog::Accepted));
        EXPECT_EQ(f.Print().join('/'), row.texts.join('/'));
    }
}

TEST(ReportWizard, ALabelStockEntryFillsTheLabelPagesAndTheSheetPrintsInItsGrid)
{
    WizardFixture f;
    f.Click("MailingLabels");
    f.Click("NextButton");
    f.Get<QListWidget>("DatasetList")->setCurrentRow(1);
    f.Click("NextButton");
    f.Click("AddField");   // nothing selected: nothing moves
    EXPECT_EQ(f.Get<QListWidget>("UsedFields")->count(), 0);
    f.Get<QListWidget>("AvailableFields")->item(0)->setSelected(true);
    f.Click("AddField");
    EXPECT_EQ(f.Get<QListWidget>("UsedFields")->count(), 1);
    f.Click("NextButton");
    ASSERT_EQ(f.wizard.CurrentPage(), int(TTesmolaReportExpert::LabelSelectPage));
    auto *formats = f.Get<QListWidget>("LabelFormats");
    EXPECT_FALSE(formats->isVisible());
    f.Get<QComboBox>("Manufacturer")->setCurrentText(QStringLiteral("Herma"));
    EXPECT_TRUE(formats->isVisible());
    EXPECT_EQ(formats->count(), 4);
    const auto found = formats->findItems(QStringLiteral("28204 ("), Qt::MatchStartsWith);
    ASSERT_EQ(found.size(), 1);
    formats->setCurrentItem(found.first());
    // 4 x 5 labels of 74.2 x 42 mm on A4 landscape, without gaps.
    EXPECT_EQ(f.Get<QComboBox>("PaperSize")->currentText(), QStringLiteral("A4"));
    EXPECT_TRUE(f.Get<QRadioButton>("LabelLandscape")->isChecked());
    EXPECT_EQ(f.Get<QLineEdit>("LabelWidth")->text(), QLocale().toString(74.2));
    EXPECT_EQ(f.Get<QLineEdit>("LabelColumns")->text(), QStringLiteral("4"));
    EXPECT_EQ(f.Get<QLineEdit>("LabelRows")->text(), QStringLiteral("5"));
    EXPECT_EQ(f.Get<QLineEdit>("RowSpace")->text(), QStringLiteral("0"));
    EXPECT_EQ(f.Get<QLineEdit>("RightMargin")->text(), QLocale().toString(297 - 4 * 74.2, 'g', 12));
    f.NextToTheEnd();
    TVxPage *page = f.form.Report()->Page();
    EXPECT_EQ(page->Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(page->Columns(), 4);
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("RowSpace")), nullptr);

    // Back and Next again builds the report once more from scratch.
    f.Click("BackButton");
    EXPECT_EQ(f.wizard.CurrentPage(), int(TTesmolaReportExpert::FontsPage));
    f.Click("NextButton");
    EXPECT_EQ(f.form.findChildren<TVxControl *>().size(), 1 + 1 + 2);   // report, label band, caption and text
    f.Click("FinishButton");
    EXPECT_EQ(f.Print().join('/'), QStringLiteral("Prece/Maize/Prece/Piens"));
}

TEST(ReportWizard, EmptyLabelsBlankReportsAndCancel)
{
    {
        // Labels without a record set: rows x columns empty labels.
        WizardFixture f;
        f.Click("MailingLabels");
        f.Click("NextButton");
        f.Get<QLineEdit>("LabelColumns")->setText(QStringLiteral("2"));
        f.Get<QLineEdit>("LabelRows")->setText(QStringLiteral("3"));
        const QList<int> pages = f.NextToTheEnd();
        EXPECT_EQ(pages, (QList<int>{1, 4, 5, 6, 9}));
        EXPECT_EQ(f.form.Report()->LabelSettings()->LabelCount(), 6);
        EXPECT_NE(f.form.FindComponent(QStringLiteral("LabelBand")), nullptr);
        f.Click("CancelButton");
        EXPECT_EQ(f.wizard.result(), int(QDialog::Rejected));
        // A report built on reaching the last page stays built.
        EXPECT_NE(f.form.FindComponent(QStringLiteral("LabelBand")), nullptr);
    }
    {
        WizardFixture f;
        f.Click("BlankReport");
        f.Click("NextButton");
        EXPECT_EQ(f.wizard.result(), int(QDialog::Accepted));
        EXPECT_TRUE(f.form.Report()->ControlList().isEmpty());
    }
    {
        // A record set given by the application: its page is passed over.
        WizardFixture f;
        f.wizard.SetDefaultDataset(f.prices);
        f.Click("NextButton");
        EXPECT_EQ(f.wizard.CurrentPage(), int(TTesmolaReportExpert::DatafieldsPage));
        EXPECT_EQ(f.Get<QListWidget>("AvailableFields")->count(), 2);
        f.Click("BackButton");
        EXPECT_EQ(f.wizard.CurrentPage(), int(TTesmolaReportExpert::ReportTypePage));
    }
}

} // namespace
