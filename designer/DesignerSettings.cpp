#include "designer/DesignerSettings.h"

#include "designer/IniFile.h"
#include "designer/LanguageFile.h"
#include "designer/VexaDesigner.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <optional>

namespace zelmio {

namespace {

std::optional<TSettingsFolders> &FolderOverride()
{
    static std::optional<TSettingsFolders> folders;
    return folders;
}

QString IniIn(const QString &dir)
{
    return dir.isEmpty() ? QString() : QDir(dir).filePath(QString::fromLatin1(kTesmolaIniName));
}

// A number as the user types it (the locale's decimal separator), or with
// a point.
std::optional<long double> ParseDecimal(const QString &text)
{
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return static_cast<long double>(value);
}

QString DecimalText(long double value)
{
    return QLocale().toString(double(value), 'f', 2);
}

} // namespace

TSettingsFolders DefaultSettingsFolders()
{
    TSettingsFolders folders;
    folders.programDir = QCoreApplication::applicationDirPath();
    folders.userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folders;
}

TSettingsFolders SettingsFolders()
{
    return FolderOverride() ? *FolderOverride() : DefaultSettingsFolders();
}

void SetSettingsFolders(const TSettingsFolders &folders)
{
    FolderOverride() = folders;
}

void ResetSettingsFolders()
{
    FolderOverride().reset();
}

QString TesmolaSettingsFileToRead()
{
    const TSettingsFolders folders = SettingsFolders();
    for (const QString &candidate : {IniIn(folders.userDir), IniIn(folders.programDir)}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

QString TesmolaSettingsFileToWrite()
{
    return IniIn(SettingsFolders().userDir);
}

QString SettingsFilePath(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.startsWith(QLatin1Char(':')))
        return name;
    return QDir(SettingsFolders().programDir).filePath(name);
}

void ReadTesmolaUserSetup(TVexaDesigner *designer, const TIniFile &ini, TDatafieldWindowPlace *place)
{
    designer->SetAllowBlockEdit(ini.ReadBool(QStringLiteral("User"), QStringLiteral("AllowBlockEdit"),
                                             designer->AllowBlockEdit()));
    designer->SetAllowNewCalcFields(ini.ReadBool(QStringLiteral("User"), QStringLiteral("AllowNewCalcFields"),
                                                 designer->AllowNewCalcFields()));
    designer->SetAllowSQLEdit(ini.ReadBool(QStringLiteral("User"), QStringLiteral("AllowSQLEdit"),
                                           designer->AllowSQLEdit()));

    const QString editor = QStringLiteral("Editor");
    designer->SetGridSizeX(ini.ReadInteger(editor, QStringLiteral("GridSizeX"), designer->GridSizeX()));
    designer->SetGridSizeY(ini.ReadInteger(editor, QStringLiteral("GridSizeY"), designer->GridSizeY()));
    designer->SetKeyboardMoveX(ini.ReadInteger(editor, QStringLiteral("KeyboardMoveX"), designer->KeyboardMoveX()));
    designer->SetKeyboardMoveY(ini.ReadInteger(editor, QStringLiteral("KeyboardMoveY"), designer->KeyboardMoveY()));

    const QString display = QStringLiteral("Display");
    designer->SetComponentFrameColor(
        TColor(ini.ReadInteger(display, QStringLiteral("ComponentFrameColor"), designer->ComponentFrameColor())));
    const int style = ini.ReadInteger(display, QStringLiteral("ComponentFrameStyle"), designer->ComponentFrameStyle());
    if (style >= 0 && style <= 2)
        designer->SetComponentFrameStyle(style);
    designer->SetShowComponentFrames(
        ini.ReadBool(display, QStringLiteral("ShowComponentFrames"), designer->ShowComponentFrames()));
    designer->SetShowBandNames(ini.ReadBool(display, QStringLiteral("ShowBandNames"), designer->ShowBandNames()));
    designer->SetBandNameFontColor(
        TColor(ini.ReadInteger(display, QStringLiteral("BandNameFont.Color"), designer->BandNameFontColor())));
    if (TCustomVexa *report = designer->ParentControl()) {
        report->Page()->SetRuler(ini.ReadBool(display, QStringLiteral("Vexa.Page.Ruler"), report->Page()->Ruler()));
        int units = ini.ReadInteger(display, QStringLiteral("Units"), int(report->GetUnits()));
        if (units < 0 || units > int(TVxUnit::Native))
            units = int(TVxUnit::MM);
        report->SetUnits(TVxUnit(units));
    }

    if (place && place->exists) {
        const QString list = QStringLiteral("Datafieldlist");
        place->top = ini.ReadInteger(list, QStringLiteral("Top"), place->top);
        place->left = ini.ReadInteger(list, QStringLiteral("Left"), place->left);
        place->height = ini.ReadInteger(list, QStringLiteral("Height"), place->height);
        place->width = ini.ReadInteger(list, QStringLiteral("Width"), place->width);
    }
}

void ReadVxDLoaderSetup(TRuntimeComponentLoader *loader, const TIniFile &ini, const QStringList *printers)
{
    const QString general = QStringLiteral("General");
    if (PropertyExists(loader, QStringLiteral("SaveLoadPrinterSetup")))
        SetBooleanProperty(loader, QStringLiteral("SaveLoadPrinterSetup"),
                           ini.ReadBool(general, QStringLiteral("SaveLoadPrinterSetup"),
                                        GetBooleanProperty(loader, QStringLiteral("SaveLoadPrinterSetup"))));
    loader->SetUseDatamodules(ini.ReadBool(general, QStringLiteral("UseDatamodules"), loader->UseDatamodules()));
    if (ini.KeyExists(general, QStringLiteral("Languagefile")))
        SetLanguageFileName(ini.ReadString(general, QStringLiteral("Languagefile"), QString()).trimmed());

    TCustomVexa *report = loader->ParentControl();
    if (!report)
        return;
    const QString printer = QStringLiteral("Printer");
    TVexaPrinterSettings *settings = report->PrinterSettings();
    const QString printerName = ini.ReadString(printer, QStringLiteral("PrinterName"), QString()).trimmed();
    if (!printerName.isEmpty()) {
        const QStringList installed = printers ? *printers : QPrinterInfo::availablePrinterNames();
        for (int i = 0; i < installed.size(); ++i) {
            if (installed.at(i).toUpper() == printerName.toUpper()) {
                settings->SetPrinterIndex(i);
                break;
            }
        }
    }
    settings->SetDuplex(ini.ReadBool(printer, QStringLiteral("Duplex"), settings->Duplex()));
    const int copies = ini.ReadInteger(printer, QStringLiteral("PrinterCopies"), settings->Copies());
    if (copies >= 1)
        settings->SetCopies(copies);
    const int bin = ini.ReadInteger(printer, QStringLiteral("PrinterBin"), int(settings->OutputBin()));
    if (bin >= 0 && bin <= int(TVxBin::Last))
        settings->SetOutputBin(TVxBin(bin));
    TVxPage *page = report->Page();
    const int orientation = ini.ReadInteger(printer, QStringLiteral("PageOrientation"), int(page->Orientation()));
    if (orientation == int(TPrinterOrientation::poPortrait) || orientation == int(TPrinterOrientation::poLandscape)) {
        page->SetOrientation(TPrinterOrientation(orientation));
        settings->SetOrientation(TPrinterOrientation(orientation));
    }
    const int paper = ini.ReadInteger(printer, QStringLiteral("PaperSize"), int(page->PaperSize()));
    if (paper >= 0 && paper <= int(TVxPaperSize::Custom)) {
        page->SetPaperSize(TVxPaperSize(paper));
        settings->SetPaperSize(TVxPaperSize(paper));
    }
    if (page->PaperSize() == TVxPaperSize::Custom) {
        const auto width = ParseDecimal(
            ini.ReadString(printer, QStringLiteral("CustomPaperWidth"), DecimalText(page->Width())));
        const auto length = ParseDecimal(
            ini.ReadString(printer, QStringLiteral("CustomPaperLength"), DecimalText(page->Length())));
        // Both or neither: a page of one stored and one unreadable side
        // would be a size nobody chose.
        if (width && length && *width > 0 && *length > 0) {
            page->SetWidth(*width);
            page->SetLength(*length);
        }
    }
}

void ReadVxDLoaderSetup(TRuntimeComponentLoader *loader, const QStringList *printers)
{
    const QString fileName = TesmolaSettingsFileToRead();
    if (fileName.isEmpty())
        return;
    TIniFile ini;
    if (!ini.Load(fileName))
        return;
    ReadVxDLoaderSetup(loader, ini, printers);
}

QString ReadTesmolaSetup(TVexaDesigner *designer, TDatafieldWindowPlace *place, const QString &helpFile,
                         const QStringList *printers)
{
    const QString fileName = TesmolaSettingsFileToRead();
    if (fileName.isEmpty())
        return helpFile;
    TIniFile ini;
    if (!ini.Load(fileName)) {
        qWarning("%s", qPrintable(ini.Error()));
        return helpFile;
    }
    ReadTesmolaUserSetup(designer, ini, place);
    ReadVxDLoaderSetup(designer, ini, printers);
    const QString general = QStringLiteral("General");
    designer->SetUndoEnabled(ini.ReadBool(general, QStringLiteral("UndoEnabled"), designer->UndoEnabled()));
    designer->SetSaveBackupFiles(ini.ReadBool(general, QStringLiteral("SaveBackupFiles"), designer->SaveBackupFiles()));
    QString help = helpFile;
    if (ini.KeyExists(general, QStringLiteral("Helpfile")))
        help = SettingsFilePath(ini.ReadString(general, QStringLiteral("Helpfile"), QString()).trimmed());
    designer->SetBackupFileExtension(
        ini.ReadString(general, QStringLiteral("BackupFileExtension"), designer->BackupFileExtension()).trimmed());
    designer->SetReportFileExtension(
        ini.ReadString(general, QStringLiteral("ReportFileExtension"), designer->ReportFileExtension()).trimmed());
    return help;
}

bool SaveTesmolaUserSetup(const TVexaDesigner *designer, const TDatafieldWindowPlace *place, QString *error)
{
    const QString target = TesmolaSettingsFileToWrite();
    if (target.isEmpty()) {
        if (error)
            *error = QStringLiteral("The settings cannot be saved: there is no configuration folder");
        return false;
    }
    TIniFile ini;
    // The user's copy, or the one beside the program as the starting point.
    const QString source = TesmolaSettingsFileToRead();
    if (!source.isEmpty() && !ini.Load(source) && source == target) {
        // An unreadable copy is not overwritten: it may hold what the user wants.
        if (error)
            *error = ini.Error();
        return false;
    }
    ini.WriteBool(QStringLiteral("User"), QStringLiteral("AllowBlockEdit"), designer->AllowBlockEdit());
    ini.WriteBool(QStringLiteral("User"), QStringLiteral("AllowNewCalcFields"), designer->AllowNewCalcFields());
    ini.WriteBool(QStringLiteral("User"), QStringLiteral("AllowSQLEdit"), designer->AllowSQLEdit());
    const QString editor = QStringLiteral("Editor");
    ini.WriteInteger(editor, QStringLiteral("GridSizeX"), designer->GridSizeX());
    ini.WriteInteger(editor, QStringLiteral("GridSizeY"), designer->GridSizeY());
    ini.WriteInteger(editor, QStringLiteral("KeyboardMoveX"), designer->KeyboardMoveX());
    ini.WriteInteger(editor, QStringLiteral("KeyboardMoveY"), designer->KeyboardMoveY());
    const QString display = QStringLiteral("Display");
    ini.WriteInteger(display, QStringLiteral("ComponentFrameColor"), designer->ComponentFrameColor());
    ini.WriteInteger(display, QStringLiteral("ComponentFrameStyle"), designer->ComponentFrameStyle());
    ini.WriteBool(display, QStringLiteral("ShowComponentFrames"), designer->ShowComponentFrames());
    ini.WriteBool(display, QStringLiteral("ShowBandNames"), designer->ShowBandNames());
    ini.WriteInteger(display, QStringLiteral("BandNameFont.Color"), designer->BandNameFontColor());
    if (const TCustomVexa *report = designer->ParentControl()) {
        ini.WriteBool(display, QStringLiteral("Vexa.Page.Ruler"), report->Page()->Ruler());
        ini.WriteInteger(display, QStringLiteral("Units"), int(report->GetUnits()));
    }
    if (place && place->exists) {
        const QString list = QStringLiteral("Datafieldlist");
        ini.WriteInteger(list, QStringLiteral("Top"), place->top);
        ini.WriteInteger(list, QStringLiteral("Left"), place->left);
        ini.WriteInteger(list, QStringLiteral("Height"), place->height);
        ini.WriteInteger(list, QStringLiteral("Width"), place->width);
    }
    if (!ini.Save(target)) {
        if (error)
            *error = ini.Error();
        return false;
    }
    return true;
}

} // namespace zelmio
