// The designer's settings file, the recent-file list and the language file
// reader, with the settings folders pointed at temporary ones.
#include "designer/DesignVexa.h"
#include "designer/DesignerSettings.h"
#include "designer/IniFile.h"
#include "designer/LanguageFile.h"
#include "designer/OpenFileHistory.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/VxDLoader.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

void WriteFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QString ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A program folder and a user folder of their own for every test.
struct SettingsFixture : ::testing::Test {
    QTemporaryDir root;
    QString programDir = root.filePath(QStringLiteral("program"));
    QString userDir = root.filePath(QStringLiteral("config/zelmio"));
    QString userIni = QDir(userDir).filePath(QStringLiteral("TESMOLA.INI"));
    QString programIni = QDir(programDir).filePath(QStringLiteral("TESMOLA.INI"));

    SettingsFixture()
    {
        QDir().mkpath(programDir);
        SetSettingsFolders({programDir, userDir});
    }
    ~SettingsFixture() override
    {
        ResetSettingsFolders();
        SetLanguageFileName(QString());
    }
};

struct Designer {
    TReportPrintForm form{nullptr, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
};

} // namespace

TEST_F(SettingsFixture, UserSettingsSurviveTheNextDesigner)
{
    TDatafieldWindowPlace place{true, 40, 900, 300, 220};
    {
        Designer first;
        TVexaDesigner *d = first.designer;
        d->SetAllowBlockEdit(false);
        d->SetAllowNewCalcFields(true);
        d->SetAllowSQLEdit(false);
        d->SetGridSizeX(8);
        d->SetGridSizeY(6);
        d->SetKeyboardMoveX(3);
        d->SetKeyboardMoveY(2);
        d->SetComponentFrameColor(clRed);
        d->SetComponentFrameStyle(1);
        d->SetShowComponentFrames(true);
        d->SetShowBandNames(false);
        d->SetBandNameFontColor(clBlue);
        first.form.Report()->Page()->SetRuler(true);
        first.form.Report()->SetUnits(TVxUnit::Inches);
        QString error;
        ASSERT_TRUE(SaveTesmolaUserSetup(d, &place, &error)) << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(userIni).isFile());
    EXPECT_FALSE(QFileInfo(programIni).exists());

    Designer second;
    TVexaDesigner *d = second.designer;
    TDatafieldWindowPlace read{true, 0, 0, 10, 10};
    ReadTesmolaSetup(d, &read);
    EXPECT_FALSE(d->AllowBlockEdit());
    EXPECT_TRUE(d->AllowNewCalcFields());
    EXPECT_FALSE(d->AllowSQLEdit());
    EXPECT_EQ(d->GridSizeX(), 8);
    EXPECT_EQ(d->GridSizeY(), 6);
    EXPECT_EQ(d->KeyboardMoveX(), 3);
    EXPECT_EQ(d->KeyboardMoveY(), 2);
    EXPECT_EQ(d->ComponentFrameColor(), clRed);
    EXPECT_EQ(d->ComponentFrameStyle(), 1);
    EXPECT_TRUE(d->ShowComponentFrames());
    EXPECT_FALSE(d->ShowBandNames());
    EXPECT_EQ(d->BandNameFontColor(), clBlue);
    EXPECT_TRUE(second.form.Report()->Page()->Ruler());
    EXPECT_EQ(second.form.Report()->GetUnits(), TVxUnit::Inches);
    EXPECT_EQ(read.top, 40);
    EXPECT_EQ(read.left, 900);
    EXPECT_EQ(read.height, 300);
    EXPECT_EQ(read.width, 220);
}

TEST_F(SettingsFixture, ProgramCopyIsReadAndTheUserCopyWritten)
{
    WriteFile(programIni, "[General]\r\n"
                          "UndoEnabled=0\r\n"
                          "SaveBackupFiles=0\r\n"
                          "BackupFileExtension=.OLD\r\n"
                          "ReportFileExtension=.REP\r\n"
                          "Helpfile=designer.chm\r\n"
                          "UseDatamodules=1\r\n"
                          "[Editor]\r\n"
                          "GridSizeX=10\r\n"
                          "; kept as written\r\n"
                          "[Display]\r\n"
                          "Units=7\r\n");
    Designer window;
    TVexaDesigner *d = window.designer;
    d->SetUndoEnabled(true);
    d->SetSaveBackupFiles(true);
    window.form.Report()->SetUnits(TVxUnit::Inches);
    const int gridY = d->GridSizeY();
    const QString help = ReadTesmolaSetup(d);
    EXPECT_FALSE(d->UndoEnabled());
    EXPECT_FALSE(d->SaveBackupFiles());
    EXPECT_EQ(d->BackupFileExtension(), QStringLiteral(".OLD"));
    EXPECT_EQ(d->ReportFileExtension(), QStringLiteral(".REP"));
    EXPECT_TRUE(d->UseDatamodules());
    EXPECT_EQ(help, QDir(programDir).filePath(QStringLiteral("designer.chm")));
    EXPECT_EQ(d->GridSizeX(), 10);
    // A key that is missing keeps the current value; an out-of-range unit gives MM.
    EXPECT_EQ(d->GridSizeY(), gridY);
    EXPECT_EQ(window.form.Report()->GetUnits(), TVxUnit::MM);

    d->SetGridSizeX(12);
    ASSERT_TRUE(SaveTesmolaUserSetup(d));
    // The program's copy is untouched; the user's copy carries its other settings over.
    EXPECT_TRUE(ReadFile(programIni).contains(QStringLiteral("GridSizeX=10")));
    const QString user = ReadFile(userIni);
    EXPECT_TRUE(user.contains(QStringLiteral("GridSizeX=12")));
    EXPECT_TRUE(user.contains(QStringLiteral("ReportFileExtension=.REP")));
    EXPECT_TRUE(user.contains(QStringLiteral("; kept as written")));

    // From now on the user's copy is the one read.
    WriteFile(programIni, "[Editor]\nGridSizeX=2\n");
    Designer next;
    ReadTesmolaSetup(next.designer);
    EXPECT_EQ(next.designer->GridSizeX(), 12);
}

TEST_F(SettingsFixture, UnwritableFolderGivesAMessage)
{
    // The user "folder" is a file: nothing can be created inside it.
    WriteFile(root.filePath(QStringLiteral("config/zelmio")), "not a folder");
    Designer window;
    QString error;
    EXPECT_FALSE(SaveTesmolaUserSetup(window.designer, nullptr, &error));
    EXPECT_TRUE(error.contains(userIni)) << error.toStdString();

    TOpenFileHistory history;
    history.NewFileLoaded(QString(), QStringLiteral("/reports/a.vx2"));
    error.clear();
    EXPECT_FALSE(history.SaveToIniFile(userIni, &error));
    EXPECT_TRUE(error.contains(userIni)) << error.toStdString();
}

TEST_F(SettingsFixture, NoFileChangesNothing)
{
    Designer window;
    window.designer->SetGridSizeX(7);
    EXPECT_EQ(ReadTesmolaSetup(window.designer, nullptr, QStringLiteral("old.chm")), QStringLiteral("old.chm"));
    EXPECT_EQ(window.designer->GridSizeX(), 7);
}

TEST_F(SettingsFixture, PrinterSection)
{
    WriteFile(programIni, "[General]\n"
                          "SaveLoadPrinterSetup=1\n"
                          "Languagefile=zelmio-lv.lng\n"
                          "[Printer]\n"
                          "PrinterName=office laser\n"
                          "Duplex=1\n"
                          "PrinterCopies=3\n"
                          "PageOrientation=1\n"
                          "PaperSize=" + QByteArray::number(int(TVxPaperSize::Custom)) + "\n"
                          "CustomPaperWidth=150.5\n"
                          "CustomPaperLength=90\n");
    TReportPrintForm form(nullptr, TReportPrintForm::LoaderKind::Print);
    TVxDLoader *loader = form.PrintLoader();
    form.Report()->SetUnits(TVxUnit::MM);
    const QStringList printers{QStringLiteral("PDF"), QStringLiteral("Office Laser")};
    ReadVxDLoaderSetup(loader, &printers);
    EXPECT_TRUE(loader->SaveLoadPrinterSetup());
    EXPECT_EQ(LanguageFileName(), QStringLiteral("zelmio-lv.lng"));
    TVexaPrinterSettings *settings = form.Report()->PrinterSettings();
    EXPECT_EQ(settings->PrinterIndex(), 1);
    EXPECT_TRUE(settings->Duplex());
    EXPECT_EQ(settings->Copies(), 3);
    TVxPage *page = form.Report()->Page();
    EXPECT_EQ(page->Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(page->PaperSize(), TVxPaperSize::Custom);
    EXPECT_NEAR(double(page->Width()), 150.5, 0.01);
    EXPECT_NEAR(double(page->Length()), 90.0, 0.01);

    // An unreadable custom size leaves the page as it was.
    WriteFile(programIni, "[Printer]\nCustomPaperWidth=wide\nCustomPaperLength=80\n");
    ReadVxDLoaderSetup(loader, &printers);
    EXPECT_NEAR(double(page->Width()), 150.5, 0.01);
    EXPECT_NEAR(double(page->Length()), 90.0, 0.01);
}

TEST(OpenFileHistoryTest, OrderLimitAndDuplicates)
{
    TOpenFileHistory history;
    // Opening a..f in turn: each open file goes to the list when the next one opens.
    QString current;
    for (const char *name : {"a", "b", "c", "d", "e", "f", "g"}) {
        const QString next = QStringLiteral("/r/%1.vx2").arg(QLatin1String(name));
        history.NewFileLoaded(next, current);
        current = next;
    }
    EXPECT_EQ(history.FileNames(), (QStringList{"/r/f.vx2", "/r/e.vx2", "/r/d.vx2", "/r/c.vx2", "/r/b.vx2"}));
    // Reopening a listed file takes it out (it is the current one) and puts the old current in front.
    history.NewFileLoaded(QStringLiteral("/r/d.vx2"), current);
    EXPECT_EQ(history.FileNames(), (QStringList{"/r/g.vx2", "/r/f.vx2", "/r/e.vx2", "/r/c.vx2", "/r/b.vx2"}));
    // Closing: the current file goes to the front, once.
    history.NewFileLoaded(QString(), QStringLiteral("/r/e.vx2"));
    EXPECT_EQ(history.FileNames(), (QStringList{"/r/e.vx2", "/r/g.vx2", "/r/f.vx2", "/r/c.vx2", "/r/b.vx2"}));
}

TEST(OpenFileHistoryTest, Captions)
{
    struct Case {
        const char *path;
        const char *shown;
    } cases[] = {
        {"C:\\Rep\\short.vx2", "C:\\Rep\\short.vx2"},
        {"C:\\Reports\\Sales\\2024\\invoice.vx2", "C:\\Reports\\...\\invoice.vx2"},
        {"/home/anna/reports/monthly/labels.vx2", "/home/anna/...\\labels.vx2"},
        {"invoice-with-a-very-long-name.vx2", "invoice-with-a-very-long-name.vx2"},
    };
    for (const Case &c : cases) {
        QString expected = QString::fromUtf8(c.shown);
        if (expected.startsWith(QLatin1Char('/')))
            expected.replace(QLatin1Char('\\'), QLatin1Char('/'));
        EXPECT_EQ(TOpenFileHistory::ShortenPath(QString::fromUtf8(c.path)), expected) << c.path;
    }
    TOpenFileHistory history;
    history.NewFileLoaded(QString(), QStringLiteral("/r/R&D.vx2"));
    EXPECT_EQ(history.MenuCaption(0), QStringLiteral("&1 /r/R&&D.vx2"));
}

TEST_F(SettingsFixture, HistoryPersistsInTheSettingsFile)
{
    WriteFile(userIni, "[History]\nHistory1=/r/a.vx2\nHistory2=/r/b.vx2\nHistory3=/r/c.vx2\n[Editor]\nGridSizeX=9\n");
    TOpenFileHistory history;
    ASSERT_TRUE(history.LoadFromIniFile(userIni));
    EXPECT_EQ(history.FileNames(), (QStringList{"/r/a.vx2", "/r/b.vx2", "/r/c.vx2"}));
    history.Clear();
    history.NewFileLoaded(QString(), QStringLiteral("/r/z.vx2"));
    ASSERT_TRUE(history.SaveToIniFile(userIni));
    TIniFile ini;
    ASSERT_TRUE(ini.Load(userIni));
    EXPECT_EQ(ini.ReadString("History", "History1", {}), QStringLiteral("/r/z.vx2"));
    // Keys beyond the list are gone, other settings stay.
    EXPECT_FALSE(ini.KeyExists("History", "History2"));
    EXPECT_FALSE(ini.KeyExists("History", "History3"));
    EXPECT_EQ(ini.ReadInteger("Editor", "GridSizeX", 0), 9);

    // The user's first file, written by the list, carries the program's settings over.
    QFile::remove(userIni);
    WriteFile(programIni, "[Editor]\nGridSizeX=10\n");
    ASSERT_TRUE(history.SaveToIniFile(TesmolaSettingsFileToWrite()));
    ASSERT_TRUE(ini.Load(userIni));
    EXPECT_EQ(ini.ReadInteger("Editor", "GridSizeX", 0), 10);
    EXPECT_EQ(ini.ReadString("History", "History1", {}), QStringLiteral("/r/z.vx2"));

    // A list stops at the first missing key.
    WriteFile(userIni, "[history]\nhistory1=/r/a.vx2\nHistory3=/r/c.vx2\n");
    ASSERT_TRUE(history.LoadFromIniFile(userIni));
    EXPECT_EQ(history.FileNames(), QStringList{"/r/a.vx2"});
}

TEST(LanguageFileTest, ReaderQuotesAndCase)
{
    TSpeedyIniFile reader;
    reader.ReadText(QStringLiteral("Orphan=before any section\n"
                                   "[RepFormDB]\n"
                                   "\n"
                                   "FileNew.Caption=\"&Jauns\"\n"
                                   "FileOpen.Caption='Atvērt'\n"
                                   "Quote.Caption=\"\n"
                                   "Mixed.Caption=\"Dzēst'\n"
                                   "Eq.Hint=a=b\n"));
    EXPECT_EQ(reader.ReadString("repformdb", "filenew.caption", {}), QStringLiteral("&Jauns"));
    EXPECT_EQ(reader.ReadString("REPFORMDB", "FILEOPEN.CAPTION", {}), QStringLiteral("Atvērt"));
    EXPECT_EQ(reader.ReadString("RepFormDB", "Quote.Caption", {}), QStringLiteral("\""));
    EXPECT_EQ(reader.ReadString("RepFormDB", "Mixed.Caption", {}), QStringLiteral("\"Dzēst'"));
    EXPECT_EQ(reader.ReadString("RepFormDB", "Eq.Hint", {}), QStringLiteral("a=b"));
    EXPECT_EQ(reader.ReadString("RepFormDB", "Orphan", QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_TRUE(reader.SectionExists("repformdb"));
}

TEST(LanguageFileTest, MessageTableKeepsItsKeys)
{
    TSpeedyIniFile reader;
    reader.ReadText(QStringLiteral("[F]\n"
                                   "D.Item1=Save report=Saglabāt atskaiti %s?\n"
                                   "D.Item2=Label=Uzraksts\n"      // written for another order
                                   "D.Item3=Attēls\n"               // a text only
                                   "D.Item4=\n"));
    QStringList table{"Save report=Save report %s?", "Memo=Memo", "Image=Image", "Label=Label"};
    TranslateMessageTable(table, reader, "F", "D");
    EXPECT_EQ(table, (QStringList{"Save report=Saglabāt atskaiti %s?", "Memo=Memo", "Image=Attēls", "Label=Uzraksts"}));
}

TEST_F(SettingsFixture, LanguageFileLookupAndFailures)
{
    // The built-in Latvian file is found by its bare name.
    SetLanguageFileName(QStringLiteral("zelmio-lv.lng"));
    const TSpeedyIniFile *reader = CurrentLanguageReader();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->ReadString("RepFormDB", "FileMenu.Caption", {}), QStringLiteral("&Fails"));
    // Its message table matches the built-in one entry by entry.
    const QStringList table = DefaultDesignerMessages();
    for (int i = 0; i < table.size(); ++i) {
        const QString value = reader->ReadString("RepFormDB", QStringLiteral("VexaDesigner1.Item%1").arg(i + 1), {});
        EXPECT_EQ(value.section('=', 0, 0), table.at(i).section('=', 0, 0)) << i + 1;
    }
    // A file beside the program comes before the built-in one.
    WriteFile(QDir(programDir).filePath("zelmio-lv.lng"), "[RepFormDB]\nFileMenu.Caption=Beside\n");
    reader = CurrentLanguageReader();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->ReadString("RepFormDB", "FileMenu.Caption", {}), QStringLiteral("Beside"));

    SetLanguageFileName(QStringLiteral("missing.lng"));
    EXPECT_EQ(CurrentLanguageReader(), nullptr);
    WriteFile(QDir(programDir).filePath("broken.lng"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11));
    SetLanguageFileName(QStringLiteral("broken.lng"));
    EXPECT_EQ(CurrentLanguageReader(), nullptr);
    TSpeedyIniFile direct;
    EXPECT_FALSE(direct.ReadIniFile(QDir(programDir).filePath("broken.lng")));
    EXPECT_TRUE(direct.Error().contains("broken.lng"));
}
