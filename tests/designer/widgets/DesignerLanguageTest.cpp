// The designer window and its dialogs in Latvian from the built-in language
// file, English without a usable file, and the recent files in the File menu.
#include "designer/DesignVexa.h"
#include "designer/DesignerSettings.h"
#include "designer/LanguageFile.h"
#include "designer/OpenFileHistory.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/DesignerLanguage.h"
#include "designer/widgets/ExpressionBuilder.h"
#include "designer/widgets/LanguageTranslator.h"
#include "designer/widgets/OpenFileHistoryMenu.h"
#include "designer/widgets/PropertyDialogs.h"
#include "designer/widgets/ReportDesignerForm.h"
#include "designer/widgets/ReportWizard.h"
#include "designer/widgets/ViewOptionsDialog.h"
#include "model/VxControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>
#include <functional>
#include <optional>

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

// --- The dialogs ---------------------------------------------------------------------

namespace {

// The windows the designer opens, each by its own entry point as the
// designer's commands do, and handed to look() while open; then cancelled.
// Keyed by the language file section each one is translated from.
struct DialogWindows {
    TReportDesignerForm window;
    TVexaDesigner *designer = window.Designer();
    TVxControl *band = nullptr;
    TVxControl *label = nullptr;

    DialogWindows()
    {
        TranslateDesignerForm(&window);   // the message table the dialogs use
        designer->SetAutoEditAfterInsert(false);
        designer->SetTesmolaState(dsBand);
        band = designer->ReportMouseDown(window.Report(), QPoint(10, 10));
        designer->SetTesmolaState(dsLabel);
        label = designer->ReportMouseDown(band, QPoint(8, 8));
        designer->SetTesmolaState(dsNormal);
    }

    static void WhileOpen(const std::function<void()> &run, const std::function<void(QWidget *)> &look)
    {
        QTimer::singleShot(0, [look] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no dialog open";
                return;
            }
            look(dialog);
            dialog->reject();
        });
        run();
    }

    // Every window of the section (the property dialogs share theirs).
    void Open(const QString &section, const std::function<void(QWidget *)> &look)
    {
        QWidget *parent = &window;
        if (section == QLatin1String("VxDExpressionBuilder")) {
            QString expression;
            WhileOpen([&] { EditExpression(parent, designer, expression); }, look);
        } else if (section == QLatin1String("ViewOptionsForm")) {
            WhileOpen([&] { EditViewOptions(parent, designer); }, look);
        } else if (section == QLatin1String("PropertyDialog")) {
            for (TComponent *element : {static_cast<TComponent *>(band), static_cast<TComponent *>(label)}) {
                WhileOpen([&] { EditReportComponentProperties(designer, parent, element); }, look);
            }
            WhileOpen([&] { EditReportOptions(parent, designer); }, look);
            WhileOpen([&] { EditBlockOptions(parent, designer, label); }, look);
        } else if (section == QLatin1String("VxExpertBaseForm")) {
            // Last: the wizard starts the report afresh.
            WhileOpen([&] { RunReportWizard(parent, designer); }, look);
        } else {
            ADD_FAILURE() << qPrintable(section);
        }
    }
};

const char *const kDialogSections[] = {"PropertyDialog", "ViewOptionsForm", "VxDExpressionBuilder", "VxExpertBaseForm"};

// The named component's caption, or its item (from 1); the section's own
// name stands for the window's title. Names match without regard to case,
// as the language file's do. None without such a component.
std::optional<QString> Shown(QWidget *window, const QString &section, const QString &name, int item = 0)
{
    if (item == 0 && name.compare(section, Qt::CaseInsensitive) == 0)
        return window->windowTitle();
    for (QObject *object : window->findChildren<QObject *>()) {
        if (object->objectName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (item > 0) {
            if (auto *combo = qobject_cast<QComboBox *>(object); combo && item <= combo->count())
                return combo->itemText(item - 1);
            if (auto *list = qobject_cast<QListWidget *>(object); list && item <= list->count())
                return list->item(item - 1)->text();
            if (auto *tabs = qobject_cast<QTabWidget *>(object); tabs && item <= tabs->count())
                return tabs->tabText(item - 1);
        } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
            return button->text();
        } else if (auto *label = qobject_cast<QLabel *>(object)) {
            return label->text();
        } else if (auto *group = qobject_cast<QGroupBox *>(object)) {
            return group->title();
        }
    }
    return std::nullopt;
}

} // namespace

// The main controls of each dialog: Latvian with the Latvian file, English
// without one. Property dialog titles come from the designer's message table.
TEST_F(LanguageFixture, DialogsInLatvianAndEnglish)
{
    struct Case {
        const char *section;
        const char *name;   // the section's name: the window title
        const char *english;
        const char *latvian;
    } cases[] = {
        {"VxExpertBaseForm", "VxExpertBaseForm", "New report definition", "Jauna atskaites definīcija"},
        {"VxExpertBaseForm", "NextButton", "&Next >>", "&Tālāk >>"},
        {"VxExpertBaseForm", "FinishButton", "&Finish", "&Pabeigt"},
        {"VxExpertBaseForm", "CancelButton", "Cancel", "Atcelt"},
        {"VxExpertBaseForm", "ListStyle", "List style", "Saraksts"},
        {"VxExpertBaseForm", "MailingLabels", "Mailing labels", "Etiķetes"},
        {"VxExpertBaseForm", "TopMarginLabel", "Top", "Augša"},
        {"VxDExpressionBuilder", "VxDExpressionBuilder", "Expression Wizard", "Izteiksmju veidotājs"},
        {"VxDExpressionBuilder", "OK", "OK", "Labi"},
        {"VxDExpressionBuilder", "Cancel", "Cancel", "Atcelt"},
        {"VxDExpressionBuilder", "ValidateBtn", "Valida&te", "&Pārbaudīt"},
        {"VxDExpressionBuilder", "Clear", "&Clear", "&Notīrīt"},
        {"VxDExpressionBuilder", "InsertDataFieldBtn", "&Database field", "&Datu lauks"},
        {"ViewOptionsForm", "ViewOptionsForm", "Options", "Opcijas"},
        {"ViewOptionsForm", "ShowBandNames", "Show band-names", "Rādīt joslu nosaukumus"},
        {"ViewOptionsForm", "FrameColorButton", "&Color...", "&Krāsa..."},
        {"ViewOptionsForm", "OKButton", nullptr, "Labi"},
        {"PropertyDialog", "OKButton", nullptr, "Labi"},
        {"PropertyDialog", "CancelButton", nullptr, "Atcelt"},
        {"PropertyDialog", "Frame.DrawTop", "&Top", "&Augša"},
        {"PropertyDialog", "Font", "&Font...", "&Fonts..."},
    };
    for (const bool latvian : {true, false}) {
        SetLanguageFileName(latvian ? QStringLiteral("zelmio-lv.lng") : QString());
        DialogWindows windows;
        for (const char *section : kDialogSections) {
            QStringList titles;
            windows.Open(QString::fromLatin1(section), [&](QWidget *dialog) {
                titles << dialog->windowTitle();
                for (const Case &c : cases) {
                    const char *expected = latvian ? c.latvian : c.english;
                    if (qstrcmp(c.section, section) != 0 || !expected)
                        continue;
                    // A property dialog shows the rows of its element's kind only.
                    const std::optional<QString> shown =
                        Shown(dialog, QString::fromLatin1(section), QString::fromLatin1(c.name));
                    if (shown || qstrcmp(section, "PropertyDialog") != 0) {
                        EXPECT_EQ(shown, QString::fromUtf8(expected)) << c.name << (latvian ? " lv" : " en");
                    }
                }
            });
            if (qstrcmp(section, "PropertyDialog") == 0) {
                // Band, label, report options, element options.
                ASSERT_EQ(titles.size(), 4);
                EXPECT_EQ(titles.mid(0, 2),
                          latvian ? (QStringList{"Josla", "Uzraksts"}) : (QStringList{"Band", "Label"}));
            }
        }
    }
}

// Every key of the dialogs' sections names a component of its window and
// shows its text there, so that a misspelt name or item number in the file
// is caught.
TEST_F(LanguageFixture, EveryDialogKeyReachesItsComponent)
{
    SetLanguageFileName(QStringLiteral("zelmio-lv.lng"));
    const TSpeedyIniFile *reader = CurrentLanguageReader();
    ASSERT_NE(reader, nullptr);
    QFile file(QStringLiteral(":/lang/zelmio-lv.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QMap<QString, QStringList> keys;   // section -> keys, as written
    QString section;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
            section = trimmed.mid(1, trimmed.size() - 2);
        else if (trimmed.contains(QLatin1Char('=')) && !trimmed.startsWith(QLatin1Char(';')))
            keys[section] << trimmed.left(trimmed.indexOf(QLatin1Char('='))).trimmed();
    }
    DialogWindows windows;
    static const QRegularExpression kKey(QStringLiteral("^(.+)\\.(Caption|Item(\\d+))$"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (const char *name : kDialogSections) {
        const QString dialogSection = QString::fromLatin1(name);
        const QStringList sectionKeys = keys.value(dialogSection);
        EXPECT_FALSE(sectionKeys.isEmpty()) << name;
        // A key counts when any window of the section shows its value.
        QSet<QString> reached;
        windows.Open(dialogSection, [&](QWidget *dialog) {
            for (const QString &key : sectionKeys) {
                const QRegularExpressionMatch m = kKey.match(key);
                if (!m.hasMatch())
                    continue;
                const std::optional<QString> shown = Shown(dialog, dialogSection, m.captured(1), m.captured(3).toInt());
                if (shown && *shown == reader->ReadString(dialogSection, key, QString()))
                    reached.insert(key);
            }
        });
        for (const QString &key : sectionKeys)
            EXPECT_TRUE(reached.contains(key)) << name << ": " << qPrintable(key);
    }
}
