#pragma once
// Interface language files: sectioned text files that replace the texts of
// the designer's windows when they are created. One section per window
// (the designer window's is "RepFormDB"); keys are a component's name and
// what to replace: "FileNew.Caption", "FileNew.Hint", "Combo.Item1", and
// for the designer's message table "VexaDesigner1.Item<n>". Section and key
// names match without regard to case. Values may be enclosed in single or
// double quotes.
//
// The file in use is named by the settings file's "Languagefile" key (a
// bare name is looked for beside the program, then among the language
// files built into the program, for example "zelmio-lv.lng"). Without a
// usable file the windows keep their built-in English texts; a file that
// is missing or not a language file gives one warning on stderr.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace zelmio {

class TSpeedyIniFile {
public:
    QString INIFileName() const { return m_fileName; }
    // False with Error() naming the file and the problem; the reader is
    // then empty.
    bool ReadIniFile(const QString &fileName);
    void ReadText(const QString &text);
    QString Error() const { return m_error; }

    bool SectionExists(const QString &section) const;
    QString ReadString(const QString &section, const QString &key, const QString &fallback) const;
    bool KeyExists(const QString &section, const QString &key) const;
    QStringList Sections() const { return m_sections.keys(); }

private:
    // Upper-cased section -> upper-cased key -> value.
    QMap<QString, QMap<QString, QString>> m_sections;
    QString m_fileName;
    QString m_error;
};

// The language file the settings name (as written there); empty for none.
// When the settings name none at all, the Latvian file for a Latvian
// locale (QLocale's default), else none.
QString LanguageFileName();
void SetLanguageFileName(const QString &name);
// Back to no name from the settings (the locale decides).
void ResetLanguageFileName();
// Where a named language file is found: the name itself when it has a
// folder, else beside the program, else built in; empty when nowhere.
QString ResolveLanguageFile(const QString &name);
// The language files built into the program (resource paths).
QStringList BuiltInLanguageFiles();

// The reader of the current language file, read on first use and again
// when the named file changes; none without a usable file.
const TSpeedyIniFile *CurrentLanguageReader();

// Translates a message table (lines "Key=Text"): entry i (from 1) takes the
// value of key name + ".Item" + i when it is not empty. A value "Key=Text"
// whose key differs from the entry's replaces the entry of that key
// instead (or nothing without one), so that a file written for another
// order of the table never gives a text to the wrong key; a value without
// "=" replaces the entry's text and keeps its key.
void TranslateMessageTable(QStringList &messages, const TSpeedyIniFile &reader, const QString &section,
                           const QString &name);

// The designer's built-in message table, in its stored order.
QStringList DefaultDesignerMessages();

} // namespace zelmio
