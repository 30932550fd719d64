#pragma once
// A sectioned settings text file ("[Section]" lines, "Key=Value" lines) as
// the designer's settings and language files use it. Section and key names
// match without regard to case. Writing changes only the keys written: the
// other lines, their order and comments stay as they were, and the file is
// replaced in one step (a failed write leaves the old file whole).
//
// Files are read as UTF-8; a file that is not valid UTF-8 is taken as
// 8-bit text in the Baltic code page (Windows-1257) where the platform
// knows it, else as Latin-1.

#include <QString>
#include <QStringList>

namespace zelmio {

class TIniFile {
public:
    TIniFile() = default;

    // Reads the file; false (and the reason in Error()) when it cannot be
    // read. A missing file is not an error for Load: the document is then
    // empty and Exists() false.
    bool Load(const QString &fileName);
    // The same, from text (no file).
    void LoadText(const QString &text);
    bool Exists() const { return m_exists; }
    QString FileName() const { return m_fileName; }
    QString Error() const { return m_error; }

    bool SectionExists(const QString &section) const;
    bool KeyExists(const QString &section, const QString &key) const;
    // The keys of a section in file order.
    QStringList Keys(const QString &section) const;
    QString ReadString(const QString &section, const QString &key, const QString &fallback) const;
    // "1"/"0", "true"/"false", "yes"/"no" and any other number (not 0 is
    // true); anything else gives the fallback.
    bool ReadBool(const QString &section, const QString &key, bool fallback) const;
    // A decimal number; anything else gives the fallback.
    int ReadInteger(const QString &section, const QString &key, int fallback) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteBool(const QString &section, const QString &key, bool value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void DeleteKey(const QString &section, const QString &key);

    // Writes the document to the file (UTF-8), creating its folder; false
    // with a message that names the file and the reason when it fails.
    bool Save(const QString &fileName);
    QString Text() const;

private:
    // One line of the file; key lines keep their key and value apart.
    struct Line {
        QString text;       // the line as read (for comments and blank lines)
        QString section;    // upper-cased section the line belongs to
        QString key;        // the key as written; empty when not a key line
        QString value;
        bool header = false;
    };
    int FindKey(const QString &section, const QString &key) const;
    int FindSectionEnd(const QString &section) const;

    QList<Line> m_lines;
    QString m_fileName;
    QString m_error;
    bool m_exists = false;
};

// The text of file bytes as described above.
QString DecodeSettingsText(const QByteArray &bytes);

} // namespace zelmio
