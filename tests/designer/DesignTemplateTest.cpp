// Real templates with the design-time classes: the price-tag sample loads
// completely and saves back to the same text; the print loader's checks.
#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaBarcode.h"
#include "model/VxPicture.h"
#include "designer/TesmolaDBImage.h"
#include "designer/TesmolaDBText.h"
#include "designer/TesmolaExpr.h"
#include "designer/TesmolaLabel.h"
#include "designer/TesmolaShape.h"
#include "designer/VxDLoader.h"
#include "model/PropertyAccess.h"
#include "model/VxPrinterSettings.h"
#include "platform/ClientDataSet.h"
#include "storage/ComponentFileHeader.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentEditor.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/VxDCtrlFactory.h"

#include <QBuffer>
#include <QImage>
#include <QFile>
#include <gtest/gtest.h>
#include <type_traits>
#include <memory>

using namespace zelmio;

namespace {

QByteArray PriceTags()
{
    QFile file(QStringLiteral(ZELMIO_SOURCE_DIR "/tests/storage/data/price-tags.vx2"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The application's main window with its record set.
class TMainWindow {
public:
    TMainWindow()
    {
        m_window.setObjectName(QStringLiteral("ZelmioMain"));
        m_dataSet = new TClientDataSet(&m_window);
        m_dataSet->setObjectName(QStringLiteral("RovevarurezDataSet"));
        RegisterApplicationWindow(&m_window);
    }
    ~TMainWindow() { UnregisterApplicationWindow(&m_window); }
    QObject *Window() { return &m_window; }
    TDataSet *DataSet() const { return m_dataSet; }

private:
    QObject m_window;
    TClientDataSet *m_dataSet;
};

// A report window with a design report and a loader of the given class.
template <class TLoader>
class TReportWindow : public TReportPrintForm {
public:
    explicit TReportWindow(QObject *databaseOwner)
        : TReportPrintForm(databaseOwner, std::is_same_v<TLoader, TVxDLoader> ? LoaderKind::Print
                                                                              : LoaderKind::Editor)
    {
    }
    TLoader *TheLoader() const { return static_cast<TLoader *>(Loader()); }
    void Load(const QByteArray &text)
    {
        QByteArray copy = text;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        Loader()->LoadCompsAndDatamoduleFromStream(buffer);
    }
    template <class T>
    T *Find(const char *name) const
    {
        return qobject_cast<T *>(FindComponent(QLatin1String(name)));
    }
};

QString LoadError(TReportWindow<TVxDLoader> &window, const QByteArray &text)
{
    try {
        window.Load(text);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

TEST(DesignTemplate, PriceTagsLoadsCompletely)
{
    TMainWindow main;
    TReportWindow<TVxDLoader> window(main.Window());
    QByteArray userData;
    window.TheLoader()->SetOnLoadUserData([&userData](QIODevice &stream) { userData = stream.readAll(); });
    window.Load(PriceTags());
    EXPECT_TRUE(window.TheLoader()->LoadWarnings().isEmpty())
        << window.TheLoader()->LoadWarnings().join('\n').toStdString();
    EXPECT_EQ(userData, QByteArray("ZELMIO"));

    TDesignVexa *report = window.Report();
    EXPECT_EQ(report->ReportTitle(), QStringLiteral("Cenu z\u012Bmes"));
    EXPECT_EQ(report->DataSet(), main.DataSet());
    EXPECT_EQ(report->LabelSettings()->FirstLabel(), 1);
    EXPECT_EQ(report->Script().size(), 3);
    EXPECT_EQ(report->ControlCount(), 2);

    auto *detail = window.Find<TTesmolaBand>("DetailBand1");
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->BandType(), TVxBandType::rbDetail);
    EXPECT_EQ(detail->BandNum(), 1);
    EXPECT_EQ(detail->ControlCount(), 6);
    auto *name = window.Find<TTesmolaDBText>("Nosaukums");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Parent(), detail);
    EXPECT_EQ(GetStringProperty(name, QStringLiteral("DataField")), QStringLiteral("PRECE"));
    EXPECT_EQ(GetPointerProperty(name, QStringLiteral("DataSet")), main.DataSet());
    auto *price = window.Find<TTesmolaDBText>("Cena");
    ASSERT_NE(price, nullptr);
    EXPECT_TRUE(price->BlankIfZero());
    EXPECT_EQ(price->MapList(), QStringList(QStringLiteral("bez maksas\t0")));
    auto *expression = window.Find<TTesmolaExpr>("ArPVN");
    ASSERT_NE(expression, nullptr);
    EXPECT_EQ(GetStringProperty(expression, QStringLiteral("Expression")), QStringLiteral("CENA*1.21"));
    EXPECT_EQ(GetStringProperty(window.Find<TTesmolaLabel>("CenaLabel"), QStringLiteral("Caption")), QStringLiteral("Cena:"));
    auto *frame = window.Find<TTesmolaShape>("Ramis");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->StretchHeightWithBand());
    EXPECT_EQ(GetIntegerProperty(frame, QStringLiteral("Pen.Width")), 2);
    auto *picture = window.Find<TTesmolaDBImage>("Bilde");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->FixBottomPosition());
    auto *footer = window.Find<TTesmolaBand>("PageFooterBand1");
    ASSERT_NE(footer, nullptr);
    EXPECT_TRUE(footer->NotOnFirstPage());

    TPropertyAddons *addons = window.TheLoader()->PropertyAddons();
    EXPECT_TRUE(window.TheLoader()->GetBoolProp(name, QStringLiteral("BlockMove")));
    EXPECT_EQ(addons->GetIntProp(name, QStringLiteral("GroupID")), 3);
    EXPECT_TRUE(addons->GetBoolProp(price, QStringLiteral("BlockEdit")));
}

TEST(DesignTemplate, PriceTagsSavesBackToTheSameText)
{
    TMainWindow main;
    QByteArray first;
    {
        TReportWindow<TRuntimeComponentEditor> window(main.Window());
        window.Load(PriceTags());
        first = window.TheLoader()->SaveTemplateToBytes();
    }
    TReportWindow<TRuntimeComponentEditor> window(main.Window());
    window.Load(first);
    const QByteArray second = window.TheLoader()->SaveTemplateToBytes();
    EXPECT_EQ(second.toStdString(), first.toStdString());
    // The fixture is a template as the designer saves it: loading and saving
    // it gives back its own bytes.
    EXPECT_EQ(first.toStdString(), PriceTags().toStdString());
    // The report's size is not written; references go back to DatabaseOwner.
    EXPECT_TRUE(first.contains("object Vexa: TDesignVexa\r\n  Frame.Color"));
    EXPECT_TRUE(first.contains("      DataSet = DatabaseOwner.RovevarurezDataSet\r\n"));
    EXPECT_TRUE(first.contains("    Component = Nosaukums\r\n"));
}

TEST(DesignTemplate, BarcodesSaveAndLoadBackToTheSameText)
{
    TMainWindow main;
    QFile sample(QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.vx2"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray sampleText = sample.readAll();
    QByteArray first;
    {
        TReportWindow<TRuntimeComponentEditor> window(main.Window());
        window.Load(sampleText);
        // The bundled sample is as the designer saves it.
        EXPECT_EQ(window.TheLoader()->SaveTemplateToBytes().toStdString(), sampleText.toStdString());
        auto *field = window.Find<TTesmolaDBBarcode>("Svitrkods");
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->DataField(), QStringLiteral("EAN"));
        EXPECT_EQ(field->DataSet(), main.DataSet());

        auto *fixed = new TTesmolaBarcode(&window);
        fixed->SetName(QStringLiteral("Kods"));
        fixed->SetParent(window.Find<TTesmolaBand>("DetailBand1"));
        fixed->SetBounds(4, 20, 60, 60);
        fixed->SetBarcodeType(TVxBarcodeType::btQRCode);
        fixed->SetValue(QStringLiteral("Rīga, Ēdnīca — Молоко 'x'"));
        fixed->SetModuleWidth(5);
        fixed->SetStretch(true);
        fixed->SetShowText(false);
        fixed->SetAlignment(TAlignment::taCenter);
        fixed->SetBarColor(clNavy);
        fixed->SetFixBottomPosition(true);
        first = window.TheLoader()->SaveTemplateToBytes();
    }
    EXPECT_TRUE(first.contains("    object Kods: TTesmolaBarcode\r\n"));
    EXPECT_TRUE(first.contains("      BarcodeType = btQRCode\r\n"));
    TReportWindow<TRuntimeComponentEditor> window(main.Window());
    window.Load(first);
    auto *fixed = window.Find<TTesmolaBarcode>("Kods");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->Value(), QStringLiteral("Rīga, Ēdnīca — Молоко 'x'"));
    EXPECT_EQ(fixed->BarcodeType(), TVxBarcodeType::btQRCode);
    EXPECT_EQ(fixed->ModuleWidth(), 5);
    EXPECT_TRUE(fixed->Stretch());
    EXPECT_FALSE(fixed->ShowText());
    EXPECT_EQ(fixed->Alignment(), TAlignment::taCenter);
    EXPECT_EQ(fixed->BarColor(), clNavy);
    EXPECT_TRUE(fixed->FixBottomPosition());
    EXPECT_EQ(window.TheLoader()->SaveTemplateToBytes().toStdString(), first.toStdString());
}

TEST(DesignTemplate, OldFormatIsRefusedByThePrintLoader)
{
    TMainWindow main;
    TReportWindow<TVxDLoader> window(main.Window());
    EXPECT_EQ(LoadError(window, QByteArray("\x06\x04TPF0", 6)), TVxDLoader::kOldFormatMessage);
    // 01 00 is no old format for the print loader: it fails on the syntax.
    EXPECT_TRUE(LoadError(window, QByteArray("\x01\x00object", 8)).contains(QLatin1String("file header: line 1, column 1")));
}

TEST(DesignTemplate, LoadingKeepsThePrinterChoiceUnlessAsked)
{
    TMainWindow main;
    QByteArray text = PriceTags();
    text.replace("  PrintIfEmpty = True\r\n", "  PrinterSettings.Copies = 3\r\n  PrintIfEmpty = True\r\n");
    {
        TReportWindow<TVxDLoader> window(main.Window());
        window.Report()->PrinterSettings()->SetCopies(1);
        window.Load(text);
        EXPECT_EQ(window.Report()->PrinterSettings()->Copies(), 1);
    }
    TReportWindow<TVxDLoader> window(main.Window());
    window.TheLoader()->SetSaveLoadPrinterSetup(true);
    window.Load(text);
    EXPECT_EQ(window.Report()->PrinterSettings()->Copies(), 3);
}

TEST(DesignTemplate, DegreeIsReducedAndSwitchesAutoSizeOff)
{
    TTesmolaLabel label;
    SetBooleanProperty(&label, QStringLiteral("AutoSize"), true);
    label.SetDegree(4000);
    EXPECT_EQ(label.Degree(), 400);
    EXPECT_FALSE(GetBooleanProperty(&label, QStringLiteral("AutoSize")));
    label.SetDegree(3600);
    EXPECT_EQ(label.Degree(), 3600);
}

TEST(DesignTemplate, DesignFactoryCreatesDesignClasses)
{
    TMainWindow main;
    TReportWindow<TVxDLoader> window(main.Window());
    TVxDCtrlFactory factory;
    TVxControl *band = factory.CreateBand(window.Report(), TVxBandType::rbDetail, 120);
    EXPECT_EQ(band->ClassName(), QStringLiteral("TTesmolaBand"));
    TVxControl *first = factory.CreateLabel(band, 5, 5);
    TVxControl *second = factory.CreateLabel(band, 5, 30);
    EXPECT_EQ(first->ClassName(), QStringLiteral("TTesmolaLabel"));
    EXPECT_EQ(first->Name(), QStringLiteral("Reportlabel1"));
    EXPECT_EQ(second->Name(), QStringLiteral("Reportlabel2"));
    EXPECT_EQ(GetStringProperty(first, QStringLiteral("Caption")), QStringLiteral("ReportLabel"));
    EXPECT_EQ(first->Parent(), band);
    EXPECT_EQ(first->Owner(), &window);
    EXPECT_EQ(factory.CreateMemo(band, 0, band->Height() - 10)->Height(), 10);
    EXPECT_EQ(factory.CreateMemo(band, 0, band->Height() - 100)->Height(), 40);
    EXPECT_EQ(factory.CreateDBImage(band, 0, 0)->Name(), QStringLiteral("DBImage1"));
}

namespace {

// A record set with an SQL text, as the database access layer's queries have.
class TFakeQuery : public TClientDataSet {
    Q_OBJECT
    Q_PROPERTY(QStringList SQL MEMBER m_sql)
public:
    using TClientDataSet::TClientDataSet;
    QStringList m_sql;
};

} // namespace

TEST(DesignTemplate, SqlExpressionsAreExpandedAndKept)
{
    TMainWindow main;
    TReportWindow<TVxDLoader> window(main.Window());
    TRuntimeDatamodule *module = window.TheLoader()->Datamodule();
    auto *query = new TFakeQuery(module);
    query->setObjectName(QStringLiteral("Query1"));
    query->m_sql = {QStringLiteral("select * from PRECES"), QStringLiteral("where ID = %%1+2%%"), QStringLiteral("%DEL")};
    window.TheLoader()->Datamodule_Loaded(module);
    EXPECT_EQ(query->m_sql, QStringList({QStringLiteral("select * from PRECES"), QStringLiteral("where ID = 3")}));
    EXPECT_EQ(module->ExpressionSQL(),
              QStringList(QStringLiteral("Query1=select * from PRECES\\~nwhere ID = %%1+2%%\\~n%DEL")));
    // Renaming and freeing the record set keep the entry in step.
    query->setObjectName(QStringLiteral("Query2"));
    EXPECT_TRUE(module->HasExpressionSQL(QStringLiteral("Query2")));
    delete query;
    EXPECT_TRUE(module->ExpressionSQL().isEmpty());
}

#include "DesignTemplateTest.moc"

TEST(DesignTemplate, BrokenFilesFailWithAMessageNamingTheFile)
{
    struct Row {
        const char *file;
        const char *message;
    };
    const Row rows[] = {
        {"truncated.vx2", "truncated.vx2: report: line 108, column 1: the end of the input inside a list: ')' missing"},
        {"wrong-header.vx2", "wrong-header.vx2: file header: expected an object of class TComponentFileHeader, found TDesignVexa (line 1)"},
        {"old-format.vx2", "old-format.vx2: Loading reports from older Tesmola versions not supported"},
        {"binary-form.vx2", "binary-form.vx2: file header: the block is in the binary component form (TPF0)"},
        {"garbage.vx2", "garbage.vx2: file header: line 1, column 2: expected 'object', found"},
        {"utf16.vx2", "utf16.vx2: file header: the text is in UTF-16"},
        {"unterminated-string.vx2", "unterminated-string.vx2: report: line 74, column 19: unterminated string"},
        {"empty.vx2", "empty.vx2: the file is empty"},
    };
    TMainWindow main;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        TReportWindow<TVxDLoader> window(main.Window());
        const QString path = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/storage/data/broken/") + QLatin1String(row.file);
        QString message;
        try {
            window.TheLoader()->LoadCompsAndDatamoduleFromFile(path);
        } catch (const std::exception &e) {
            message = QString::fromUtf8(e.what());
        }
        EXPECT_NE(message.indexOf(QLatin1String(row.message)), -1) << message.toStdString();
        EXPECT_TRUE(window.TheLoader()->FileName().isEmpty());
    }
}

TEST(DesignTemplate, PicturesOfEveryKindLoadAndSaveBack)
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    const auto fileImage = [&image](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    const auto stored = [](const QByteArray &className, const QByteArray &file, bool withLength) {
        QByteArray bytes;
        bytes.append(char(className.size()));
        bytes.append(className);
        if (withLength) {
            const quint32 size = quint32(file.size());
            for (int i = 0; i < 4; ++i)
                bytes.append(char((size >> (8 * i)) & 0xFF));
        }
        return bytes + file;
    };
    struct Row {
        const char *name;
        QByteArray data;
    };
    const Row rows[] = {
        {"bitmap", stored("TBitmap", fileImage("BMP"), true)},
        {"jpeg", stored("TJPEGImage", fileImage("JPEG"), true)},
        {"png", stored("TPngImage", fileImage("PNG"), true)},
        {"png without length", stored("TPNGObject", fileImage("PNG"), false)},
    };
    TMainWindow main;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray text = PriceTags();
        const QByteArray hex = row.data.toHex().toUpper();
        const QByteArray element = "    object Logo: TTesmolaImage\r\n      Picture.Data = {" + hex
                                   + "}\r\n      FixBottomPosition = False\r\n      StretchHeightWithBand = False\r\n    end\r\n";
        text.replace("    object Ramis: TTesmolaShape\r\n", element + "    object Ramis: TTesmolaShape\r\n");
        text.replace("    BandNum = 2\r\n", "    BandNum = 2\r\n    DesignBackground.Data = {" + hex + "}\r\n");
        QByteArray first;
        {
            TReportWindow<TRuntimeComponentEditor> window(main.Window());
            window.Load(text);
            EXPECT_TRUE(window.TheLoader()->LoadWarnings().isEmpty());
            auto *logo = window.Find<TVxControl>("Logo");
            ASSERT_NE(logo, nullptr);
            auto *picture = qobject_cast<TVxPicture *>(GetPointerProperty(logo, QStringLiteral("Picture")));
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->Width(), 7);
            auto *footer = window.Find<TTesmolaBand>("PageFooterBand1");
            EXPECT_EQ(footer->DesignBackground()->Height(), 5);
            first = window.TheLoader()->SaveTemplateToBytes();
        }
        EXPECT_TRUE(first.contains("    DesignBackground.Data = {"));
        TReportWindow<TRuntimeComponentEditor> window(main.Window());
        window.Load(first);
        EXPECT_EQ(window.TheLoader()->SaveTemplateToBytes().toStdString(), first.toStdString());
    }
}
