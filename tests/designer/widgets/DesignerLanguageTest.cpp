// The designer window in Latvian from the built-in language file, English
// without a usable file, and the recent files in the File menu.
#include "designer/DesignerSettings.h"
#include "designer/LanguageFile.h"
#include "designer/OpenFileHistory.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/DesignerLanguage.h"
#include "designer/widgets/LanguageTranslator.h"
#include "designer/widgets/OpenFileHistoryMenu.h"
#include "designer/widgets/ReportDesignerForm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

struct LanguageFixture : ::testing::Test {
    QTemporaryDir root;
    LanguageFixture() { SetSettingsFolders({root.filePath("program"), root.filePath("config")}); }
    ~LanguageFixture() override
    {
        SetLanguageFileName(QString());
        ResetSettingsFolders();
    }
    void WriteProgramFile(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(root.filePath("program"));
        QFile file(QDir(root.filePath("program")).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

QStringList MenuTitles(TReportDesignerForm &window)
{
    QStringList titles;
    for (QAction *action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

QString Text(TReportDesignerForm &window, const char *command)
{
    return window.Command(QString::fromLatin1(command))->text();
}

QString Hint(TReportDesignerForm &window, const char *command)
{
    return window.Command(QString::fromLatin1(command))->toolTip();
}

} // namespace

TEST_F(LanguageFixture, LatvianDesignerWindow)
{
    SetLanguageFileName(QStringLiteral("zelmio-lv.lng"));
    TReportDesignerForm window;
    ASSERT_TRUE(TranslateDesignerForm(&window));
    EXPECT_EQ(MenuTitles(window), (QStringList{"&Fails", "&Rediģēt", "&Ievietot", "&Skats", "&Atskaite", "&Palīdzība"}));
    struct Case {
        const char *command;
        const char *caption;
        const char *hint;
    } cases[] = {
        {"FileNew", "&Jauns...", "izveidot jaunu atskaiti"},
        {"FileOpen", "&Atvērt...", "atvērt atskaiti"},
        {"FileSave", "&Saglabāt", "saglabāt pašreizējo atskaiti"},
        {"FilePreview", "&Iepriekšskatīt", "rādīt priekšskatījumu"},
        {"FilePrint", "&Drukāt", "drukāt atskaiti"},
        {"EditUndo", "Atsaukt", nullptr},
        {"EditCut", "Izgriezt", "izgriezt uz starpliktuvi"},
        {"EditCopy", "Kopēt", "kopēt uz starpliktuvi"},
        {"EditPaste", "Ielīmēt", "ielīmēt no starpliktuves"},
        {"EditDelete", "Dzēst", nullptr},
        {"AlignLeft", "Pa &kreisi", "līdzināt kreisās malas"},
        {"NewLabel", "&Uzraksts", "pievienot jaunu uzrakstu"},
        {"ZoomIn", "Palielināt", nullptr},
        {"HelpAbout", "Par programmu", nullptr},
        // The property bar's buttons.
        {"BoldSpeedButton", "B", "treknraksts"},
        {"TextCenterAlignButton", "Centrā", "centrēt tekstu"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Text(window, c.command), QString::fromUtf8(c.caption)) << c.command;
        if (c.hint) {
            EXPECT_EQ(Hint(window, c.command), QString::fromUtf8(c.hint)) << c.command;
        }
    }
    // Sub-menus and tool bars.
    const QMenu *align = window.findChild<QMenu *>(QStringLiteral("AlignMenu"));
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->title(), QStringLiteral("&Līdzināt"));
    EXPECT_EQ(window.findChild<QToolBar *>(QStringLiteral("ElementPanel"))->windowTitle(),
              QStringLiteral("Elementu rīkjosla"));
    // The message table: the element menu and the questions.
    TVexaDesigner *designer = window.Designer();
    EXPECT_EQ(designer->ElementMenuCaption(TElementMenuEntry::Edit), QStringLiteral("Rediģēt"));
    EXPECT_EQ(designer->ElementMenuCaption(TElementMenuEntry::BringToFront), QStringLiteral("Pārvietot uz priekšu"));
    EXPECT_EQ(designer->RuntimeMessage(QStringLiteral("Save report"), {}), QStringLiteral("Saglabāt atskaiti %s?"));
    EXPECT_EQ(designer->RuntimeMessage(QStringLiteral("BandDetail"), {}), QStringLiteral("Detaļas"));
    // Shortcuts stay with their commands.
    EXPECT_EQ(window.Command(QStringLiteral("FileSave"))->shortcut(), QKeySequence(QKeySequence::Save));
}

TEST_F(LanguageFixture, MissingOrBrokenFileLeavesEnglish)
{
    WriteProgramFile(QStringLiteral("broken.lng"), QByteArray("\0\1\2binary", 9));
    WriteProgramFile(QStringLiteral("empty.lng"), QByteArray("FileNew.Caption=no section\n"));
    for (const char *name : {"", "missing.lng", "broken.lng", "empty.lng"}) {
        SetLanguageFileName(QString::fromLatin1(name));
        TReportDesignerForm window;
        EXPECT_FALSE(TranslateDesignerForm(&window)) << name;
        EXPECT_EQ(MenuTitles(window).value(0), QStringLiteral("&File")) << name;
        EXPECT_EQ(Text(window, "FileNew"), QStringLiteral("&New...")) << name;
        EXPECT_EQ(Hint(window, "FilePreview"), QStringLiteral("show preview")) << name;
        EXPECT_EQ(window.Designer()->ElementMenuCaption(TElementMenuEntry::Edit), QStringLiteral("Edit")) << name;
    }
}

TEST_F(LanguageFixture, ItemsAndTextsOfOtherWindows)
{
    WriteProgramFile(QStringLiteral("test.lng"), "[Options]\n"
                                                 "Options.Caption=Opcijas\n"
                                                 "Units.Item2='Collas'\n"
                                                 "Units.Hint=mērvienības\n"
                                                 "Units.Item3=\n");
    SetLanguageFileName(QStringLiteral("test.lng"));
    QWidget dialog;
    dialog.setObjectName(QStringLiteral("Options"));
    dialog.setWindowTitle(QStringLiteral("Options"));
    auto *combo = new QComboBox(&dialog);
    combo->setObjectName(QStringLiteral("Units"));
    combo->addItems({"MM", "Inches", "Characters"});
    ASSERT_TRUE(TranslateForm(&dialog, QString()));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opcijas"));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("MM"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Collas"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("Characters"));
    EXPECT_EQ(combo->toolTip(), QStringLiteral("mērvienības"));
}

TEST(OpenFileHistoryMenuTest, NumberedEntriesReportTheChosenFile)
{
    QMenu file;
    file.addAction(QStringLiteral("&Open..."));
    QAction *exit = file.addAction(QStringLiteral("&Exit"));
    TOpenFileHistory history;
    QStringList chosen;
    history.SetOnFileSelected([&](const QString &name) { chosen << name; });
    TOpenFileHistoryMenu menu(&history, &file, exit);
    EXPECT_EQ(file.actions().size(), 2);   // no files, no separator
    history.NewFileLoaded(QString(), QStringLiteral("/r/a.vx2"));
    history.NewFileLoaded(QString(), QStringLiteral("/reports/customers/2024/delivery.vx2"));
    QStringList texts;
    for (QAction *action : file.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"&Open...", "-", "&1 /reports/.../delivery.vx2", "&2 /r/a.vx2", "&Exit"}));
    menu.MenuItems().at(2)->trigger();
    EXPECT_EQ(chosen, QStringList{"/r/a.vx2"});
    history.Clear();
    EXPECT_EQ(file.actions().size(), 2);
}

// With no language named in the settings, a Latvian locale gets the Latvian
// file and any other locale stays English.
TEST_F(LanguageFixture, ALatvianLocaleGetsLatvianWithoutASetting)
{
    const QLocale kept;
    ResetLanguageFileName();
    QLocale::setDefault(QLocale(QLocale::Latvian, QLocale::Latvia));
    {
        TReportDesignerForm window;
        EXPECT_EQ(MenuTitles(window).value(0), QStringLiteral("&Fails"));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    {
        TReportDesignerForm window;
        EXPECT_EQ(MenuTitles(window).value(0), QStringLiteral("&File"));
    }
    QLocale::setDefault(kept);
}
