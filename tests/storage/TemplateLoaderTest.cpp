// Loading templates: blocks, names, references, add-ons, skipped items and
// broken files.
#include "StorageTestSupport.h"

#include "platform/VxError.h"
#include "model/VxBand.h"
#include "model/VxGroup.h"
#include "platform/ClientDataSet.h"
#include "storage/ComponentFileHeader.h"
#include "storage/ComponentSaver.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/PropertyAddon.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeDatamodule.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

const QByteArray kHeader = "object Header: TComponentFileHeader\r\n  UserData = {}\r\nend\r\n";
const QByteArray kModule = "object RuntimeDatamodule: TRuntimeDatamodule\r\nend\r\n";

QByteArray Template(const QByteArray &reportBody, const QByteArray &addons = QByteArray())
{
    return kHeader + kModule + "object Vexa: TVexa\r\n" + reportBody + "end\r\n" + addons;
}

const QByteArray kDetailBand = "  object DetailBand1: TVxBand\r\n"
                               "    BandType = rbDetail\r\n"
                               "  end\r\n";

QString LoadError(TTestWindow &window, const QByteArray &text)
{
    try {
        window.LoadText(text);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

TEST(TemplateLoader, UnknownClassesAndPropertiesAreSkippedAndListed)
{
    TTestWindow window;
    window.LoadText(Template("  NoSuchProperty = 5\r\n"
                             "  Zoom = 'text'\r\n"
                             "  object Mystery1: TNoSuchClass\r\n"
                             "    object Inner: TVxBand\r\n"
                             "    end\r\n"
                             "  end\r\n"
                             "  object DetailBand1: TVxBand\r\n"
                             "    Bogus.Path = 1\r\n"
                             "    BandType = rbSummary\r\n"
                             "    BeforePrint = DetailBand1BeforePrint\r\n"
                             "  end\r\n"));
    const QStringList warnings = window.Loader()->LoadWarnings();
    ASSERT_EQ(warnings.size(), 4) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.at(0).contains(QLatin1String("property NoSuchProperty skipped: unknown property")));
    EXPECT_TRUE(warnings.at(1).contains(QLatin1String("property Zoom skipped: expected an integer, found a string")));
    EXPECT_TRUE(warnings.at(2).contains(QLatin1String("class TNoSuchClass is not registered")));
    EXPECT_TRUE(warnings.at(3).contains(QLatin1String("DetailBand1 (TVxBand): property Bogus.Path skipped")));
    // The band keeps its other properties; nothing of the unknown object exists.
    auto *band = qobject_cast<TVxBand *>(window.FindComponent(QStringLiteral("DetailBand1")));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->BandType(), TVxBandType::rbSummary);
    EXPECT_EQ(window.FindComponent(QStringLiteral("Inner")), nullptr);
    EXPECT_EQ(window.Report()->ControlCount(), 1);
}

TEST(TemplateLoader, ElementsNamedLikeWindowComponentsAreRenumbered)
{
    TTestWindow window;
    window.LoadText(Template("  object Vexa: TVxBand\r\n    BandType = rbTitle\r\n  end\r\n"
                             "  object Band12: TVxBand\r\n    BandType = rbDetail\r\n  end\r\n"
                             "  object Group1: TVxGroup\r\n    FooterBand = Vexa\r\n  end\r\n"));
    // "Vexa" is the report's name in the window: the band becomes Vexa1, and
    // references in the text still find it under its old name.
    auto *band = qobject_cast<TVxBand *>(window.FindComponent(QStringLiteral("Vexa1")));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Owner(), &window);
    EXPECT_EQ(band->Parent(), window.Report());
    auto *group = qobject_cast<TVxGroup *>(window.FindComponent(QStringLiteral("Group1")));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->FooterBand(), band);
    EXPECT_NE(window.FindComponent(QStringLiteral("Band12")), nullptr);
}

TEST(TemplateLoader, DatabaseOwnerReferencesBindToTheApplicationsRecordSets)
{
    QObject mainWindow;
    mainWindow.setObjectName(QStringLiteral("ZelmioMain"));
    auto *dataSet = new TClientDataSet(&mainWindow);
    dataSet->setObjectName(QStringLiteral("RovevarurezDataSet"));
    RegisterApplicationWindow(&mainWindow);

    const QByteArray text = Template("  DataSet = DatabaseOwner.RovevarurezDataSet\r\n" + kDetailBand);
    {
        TTestWindow window;
        window.Loader()->SetDatabaseOwner(&mainWindow);
        window.LoadText(text);
        EXPECT_EQ(window.Report()->DataSet(), dataSet);
        // Saving writes the owner's name back as DatabaseOwner.
        EXPECT_TRUE(window.SaveText().contains("  DataSet = DatabaseOwner.RovevarurezDataSet\r\n"));
    }
    {
        // Without a database owner the reference stays empty, with a warning.
        TTestWindow window;
        window.LoadText(text);
        EXPECT_EQ(window.Report()->DataSet(), nullptr);
        ASSERT_EQ(window.Loader()->LoadWarnings().size(), 1);
        EXPECT_TRUE(window.Loader()->LoadWarnings().at(0).contains(QLatin1String("'DatabaseOwner.RovevarurezDataSet' not found")));
    }
    UnregisterApplicationWindow(&mainWindow);
}

TEST(TemplateLoader, DataModuleNamesFollowTheGlobalRule)
{
    TTestWindow first(QStringLiteral("First"));
    first.LoadText(Template(kDetailBand));
    EXPECT_EQ(first.Loader()->Datamodule()->Name(), QStringLiteral("RuntimeDatamodule"));
    // Read as RuntimeDatamodule_1 while the first exists, then renamed.
    TTestWindow second(QStringLiteral("Second"));
    second.LoadText(Template(kDetailBand));
    EXPECT_EQ(second.Loader()->Datamodule()->Name(), QStringLiteral("RuntimeDatamodule1"));
}

TEST(TemplateLoader, AddonsFollowTheirElements)
{
    TTestWindow window;
    window.LoadText(Template(kDetailBand,
                             "object TPropertyAddons\r\n"
                             "  object TPropertyAddon\r\n"
                             "    Component = DetailBand1\r\n"
                             "    Properties.Strings = (\r\n"
                             "      'BlockMove=True'\r\n"
                             "      'GroupID=3'\r\n"
                             "      'Note=a\\~nb')\r\n"
                             "  end\r\n"
                             "  object TPropertyAddon\r\n"
                             "    Component = Missing\r\n"
                             "    Properties.Strings = (\r\n"
                             "      'BlockMove=True')\r\n"
                             "  end\r\n"
                             "end\r\n"));
    TPropertyAddons *addons = window.Loader()->PropertyAddons();
    TComponent *band = window.FindComponent(QStringLiteral("DetailBand1"));
    // The add-on of the missing element is dropped.
    ASSERT_EQ(addons->Addons().size(), 1);
    EXPECT_TRUE(window.Loader()->GetBoolProp(band, QStringLiteral("BlockMove")));
    EXPECT_EQ(addons->GetIntProp(band, QStringLiteral("GroupID")), 3);
    EXPECT_EQ(addons->GetStringProp(band, QStringLiteral("Note"), QString()), QStringLiteral("a\r\nb"));
    EXPECT_TRUE(addons->Enabled());
    // Freeing the element frees its add-on.
    delete band;
    EXPECT_TRUE(addons->Addons().isEmpty());
}

TEST(TemplateLoader, TemplateWithoutAddonBlockOrDataModuleLoads)
{
    TTestWindow window;
    window.Loader()->PropertyAddons()->SetBoolProp(window.Report(), QStringLiteral("BlockMove"), true);
    window.LoadText(kHeader + "object Vexa: TVexa\r\n" + kDetailBand + "end\r\n\r\n");
    EXPECT_TRUE(window.Loader()->PropertyAddons()->Addons().isEmpty());
    EXPECT_EQ(window.Report()->ControlCount(), 1);
    EXPECT_EQ(window.Loader()->LoadWarnings(), QStringList() << QStringLiteral("data module: no data module block (found TVexa)"));
}

TEST(TemplateLoader, ABrokenDataModuleIsSwallowed)
{
    TTestWindow window;
    window.LoadText(kHeader + "object RuntimeDatamodule: TRuntimeDatamodule\r\n  X = (\r\n"
                    + "object Vexa: TVexa\r\n" + kDetailBand + "end\r\n");
    EXPECT_EQ(window.Report()->ControlCount(), 1);
    EXPECT_EQ(window.Loader()->Datamodule()->Name(), QStringLiteral("RuntimeDatamodule"));
    ASSERT_FALSE(window.Loader()->LoadWarnings().isEmpty());
    EXPECT_TRUE(window.Loader()->LoadWarnings().at(0).startsWith(QLatin1String("data module: skipped")));
}

TEST(TemplateLoader, UserDataReachesTheLoadHook)
{
    TTestWindow window;
    QByteArray received;
    window.Loader()->SetOnLoadUserData([&received](QIODevice &stream) { received = stream.readAll(); });
    window.LoadText("object Header: TComponentFileHeader\r\n  UserData = {\r\n    0A0B}\r\nend\r\n" + kModule
                    + "object Vexa: TVexa\r\nend\r\n");
    EXPECT_EQ(received, QByteArray("\x0A\x0B"));
    EXPECT_EQ(window.Loader()->Header()->UserData(), QByteArray("\x0A\x0B"));
}

TEST(TemplateLoader, BrokenTemplatesFailWithAClearMessage)
{
    struct Row {
        const char *name;
        QByteArray text;
        const char *message;
    };
    const QByteArray valid = Template(kDetailBand);
    const Row rows[] = {
        {"empty", "", "The template is empty"},
        {"only blanks", "  \r\n", "The template is empty"},
        {"wrong header", "object Vexa: TVexa\r\nend\r\n", "file header: expected an object of class TComponentFileHeader, found TVexa (line 1)"},
        {"truncated report", valid.left(valid.size() - 20), "report: line"},
        {"report of another class", kHeader + kModule + "object Vexa: TComponentFileHeader\r\nend\r\n",
         "report: expected an object of class TVexa, found TComponentFileHeader"},
        {"binary garbage", QByteArray("\x00\x01\x02\x03garbage", 11), "file header: line 1, column 1: expected 'object', found byte 0x00"},
        {"binary component form", QByteArray("\xFF\x0A\x00VEXA\x00", 9), "binary component form (TPF0), which is not supported"},
        {"missing report", kHeader + kModule, "report: an object block was expected, but the input ends"},
        {"broken add-on block", valid + "object TPropertyAddons\r\n  object TPropertyAddon\r\n", "designer add-ons: line"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TTestWindow window;
        const QString message = LoadError(window, row.text);
        EXPECT_NE(message.indexOf(QLatin1String(row.message)), -1) << message.toStdString();
    }
}

TEST(TemplateLoader, FilesAreRewrittenInMemoryOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("old.vx2"));
    const QByteArray text = Template("  ReportTitle = 'TQuery stays'\r\n" + kDetailBand,
                                     "object _1: TPropertyAddons\r\nend\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    TTestWindow window;
    window.Loader()->LoadCompsAndDatamoduleFromFile(path);
    EXPECT_EQ(window.Report()->ReportTitle(), QStringLiteral("TQuery stays"));
    EXPECT_EQ(window.Loader()->FileName(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text);

    // A missing file names itself.
    const QString missing = dir.filePath(QStringLiteral("missing.vx2"));
    const QString message = [&] {
        try {
            window.Loader()->LoadCompsAndDatamoduleFromFile(missing);
        } catch (const std::exception &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    }();
    EXPECT_EQ(message, missing + QStringLiteral(": the file does not exist"));
    EXPECT_EQ(window.Loader()->FileName(), path);
}

TEST(TemplateLoader, AStreamIsLeftAfterTheLastBlock)
{
    TTestWindow window;
    QByteArray data = Template(kDetailBand, "object TPropertyAddons\r\nend\r\n") + "tail";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    window.Loader()->LoadCompsAndDatamoduleFromStream(buffer);
    EXPECT_EQ(buffer.pos(), data.size() - 4);
    EXPECT_TRUE(window.Loader()->LoadWarnings().contains(QStringLiteral("text after the last block ignored")));
}

TEST(TemplateSaver, SavesSafelyWithABackup)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tags.vx2"));
    TTestWindow window;
    window.Report()->CreateBand(TVxBandType::rbDetail);
    window.Loader()->SaveTemplateToFile(path, QStringLiteral(".BAK"));
    EXPECT_EQ(window.Loader()->FileName(), path);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("tags.BAK"))));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray first = saved.readAll();
    saved.close();

    // A second save keeps the first file as the backup.
    window.Report()->SetReportTitle(QStringLiteral("Second"));
    window.Loader()->SaveTemplateToFile(path, QStringLiteral(".BAK"));
    QFile backup(dir.filePath(QStringLiteral("tags.BAK")));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), first);

    // A save that fails leaves the file and its backup as they were.
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray second = saved.readAll();
    saved.close();
    window.Loader()->ComponentSaver()->SetBeforeComponentWrite([](QByteArray &) { throw EVxError(QStringLiteral("disk full")); });
    window.Report()->SetReportTitle(QStringLiteral("Third"));
    EXPECT_THROW(window.Loader()->SaveTemplateToFile(path, QStringLiteral(".BAK")), EVxError);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), second);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // A folder that does not exist is named in the error.
    window.Loader()->ComponentSaver()->SetBeforeComponentWrite(TComponentTextEvent());
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/tags.vx2"));
    try {
        window.Loader()->SaveTemplateToFile(missing);
        ADD_FAILURE() << "no error";
    } catch (const EVxError &e) {
        EXPECT_TRUE(e.message().startsWith(missing + QStringLiteral(": cannot be written"))) << e.message().toStdString();
    }
}

TEST(TemplateLoader, OutOfRangeNumbersAreSkippedByName)
{
    // Values that overflowed the layout's 32-bit arithmetic: each is refused
    // with a warning that names the file and the property, and the template
    // loads with the value it had before.
    struct Row {
        const char *file;
        const char *warning;
    };
    const Row rows[] = {
        {"page-columns-max-int.vx2", "property Page.Columns skipped: value 2147483647 out of range (1 to 1000)"},
        {"band-height-max-int.vx2", "property Height skipped: value 2147483647 out of range (-1000000 to 1000000)"},
        {"font-height-min-int.vx2", "property Font.Height skipped: value -2147483648 out of range (-10000 to 10000)"},
        {"font-size-max-int.vx2", "property FontSize skipped: value 2147483647 out of range (-7500 to 7500)"},
        {"size-values-huge.vx2", "property Size.Values skipped: value 1e+300 out of range (-10000000 to 10000000)"},
        {"page-values-huge.vx2", "property Page.Values skipped: value inf out of range (-10000000 to 10000000)"},
        {"zoom-max-int.vx2", "property Zoom skipped: value 2147483647 out of range (1 to 1000)"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        TTestWindow window;
        const QString path = QStringLiteral(ZELMIO_TEST_DATA "/fuzz/") + QLatin1String(row.file);
        window.Loader()->LoadCompsAndDatamoduleFromFile(path);
        const QString warnings = window.Loader()->LoadWarnings().join(QLatin1Char('\n'));
        EXPECT_NE(warnings.indexOf(QLatin1String(row.warning)), -1) << warnings.toStdString();
        EXPECT_TRUE(warnings.startsWith(path + QStringLiteral(": "))) << warnings.toStdString();
        EXPECT_LE(window.Report()->Page()->Columns(), 1000);
        EXPECT_FALSE(window.SaveText().isEmpty());
    }
}

TEST(TemplateLoader, TheDataModulesDesignPositionIsKept)
{
    // Earlier designers wrote where the module's window stood.
    const QByteArray module = "object RuntimeDatamodule: TRuntimeDatamodule\r\n"
                              "  Left = 200\r\n"
                              "  Top = 120\r\n"
                              "  Height = 300\r\n"
                              "  Width = 400\r\n"
                              "end\r\n";
    const QByteArray text = kHeader + module + "object Vexa: TVexa\r\n" + kDetailBand + "end\r\n";
    TTestWindow window;
    window.LoadText(text);
    EXPECT_TRUE(window.Loader()->LoadWarnings().isEmpty()) << window.Loader()->LoadWarnings().join('\n').toStdString();
    EXPECT_EQ(window.Loader()->Datamodule()->Width(), 400);
    EXPECT_TRUE(window.SaveText().contains(module));
}
