#pragma once
// The designer's settings file "TESMOLA.INI": editing and display
// preferences, the recent files, the printer preselection and the
// interface language file.
//
// The file is looked for in the user's configuration folder first and
// then beside the program (where older installations keep it); it is
// always written to the user's configuration folder, because an installed
// program's folder is usually not writable. The first write starts from
// the copy beside the program, so that its other settings carry over.
// Without a file the designer keeps its defaults; every key read has the
// current value as its default, so a missing key changes nothing.

#include <QString>
#include <QStringList>

namespace zelmio {

class TIniFile;
class TRuntimeComponentLoader;
class TVexaDesigner;

inline constexpr auto kTesmolaIniName = "TESMOLA.INI";

// Where the settings file is read and written.
struct TSettingsFolders {
    QString programDir;   // beside the program: read when the user has no copy
    QString userDir;      // the user's configuration folder: read first, written
};
// The program's folder and QStandardPaths::AppConfigLocation.
TSettingsFolders DefaultSettingsFolders();
// Process-wide; tests point both folders at temporary ones.
TSettingsFolders SettingsFolders();
void SetSettingsFolders(const TSettingsFolders &folders);
void ResetSettingsFolders();

// The settings file to read (the user's copy, else the program's), or
// empty when neither exists; the file that is written.
QString TesmolaSettingsFileToRead();
QString TesmolaSettingsFileToWrite();
// A bare file name from the settings ("Languagefile", "Helpfile") is taken
// from the program's folder; a name with a folder part stays as it is.
QString SettingsFilePath(const QString &name);

// Position and size of the floating data field list window, which the
// designer window owns; read and written only when the window exists.
struct TDatafieldWindowPlace {
    bool exists = false;
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

// Sections "User", "Editor", "Display" and "Datafieldlist" into the
// designer and its report.
void ReadTesmolaUserSetup(TVexaDesigner *designer, const TIniFile &ini, TDatafieldWindowPlace *place = nullptr);
// "General" keys "SaveLoadPrinterSetup", "UseDatamodules", "Languagefile"
// (into the process-wide language file, see LanguageFile.h) and the
// "Printer" section into the loader's report. printers: the installed
// printers' names (none: the platform's list).
void ReadVxDLoaderSetup(TRuntimeComponentLoader *loader, const TIniFile &ini, const QStringList *printers = nullptr);
// The same from the settings file; nothing when there is none.
void ReadVxDLoaderSetup(TRuntimeComponentLoader *loader, const QStringList *printers = nullptr);
// Everything the designer window reads when it is created: the user setup,
// the loader setup, then "UndoEnabled", "SaveBackupFiles", "Helpfile",
// "BackupFileExtension" and "ReportFileExtension". Returns the help file
// (helpFile when the file names none). Nothing is read without a file.
QString ReadTesmolaSetup(TVexaDesigner *designer, TDatafieldWindowPlace *place = nullptr,
                         const QString &helpFile = QString(), const QStringList *printers = nullptr);
// Writes the user setup into the user's settings file, keeping its other
// keys. False with a message naming the file and the reason when the file
// cannot be written; nothing is thrown.
bool SaveTesmolaUserSetup(const TVexaDesigner *designer, const TDatafieldWindowPlace *place = nullptr,
                          QString *error = nullptr);

} // namespace zelmio
