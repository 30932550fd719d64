#include "designer/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace zelmio {

QString DecodeSettingsText(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder baltic("windows-1257");
    if (baltic.isValid()) {
        text = baltic.decode(data);
        if (!baltic.hasError())
            return text;
    }
    return QString::fromLatin1(data);
}

bool TIniFile::Load(const QString &fileName)
{
    m_fileName = fileName;
    m_error.clear();
    m_lines.clear();
    m_exists = false;
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("The settings file %1 cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    LoadText(DecodeSettingsText(file.readAll()));
    m_exists = true;
    return true;
}

void TIniFile::LoadText(const QString &text)
{
    m_lines.clear();
    QString section;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList rows = normalized.split(QLatin1Char('\n'));
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    for (const QString &row : rows) {
        Line line;
        line.text = row;
        const QString trimmed = row.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed().toUpper();
            line.header = true;
        } else if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char(';')) && trimmed.contains(QLatin1Char('='))) {
            const qsizetype eq = row.indexOf(QLatin1Char('='));
            line.key = row.left(eq).trimmed();
            line.value = row.mid(eq + 1);
        }
        line.section = section;
        m_lines.append(line);
    }
}

int TIniFile::FindKey(const QString &section, const QString &key) const
{
    const QString upper = section.toUpper();
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (!line.key.isEmpty() && line.section == upper && line.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TIniFile::FindSectionEnd(const QString &section) const
{
    // After the section's last key line (or its header); -1 without it.
    const QString upper = section.toUpper();
    int end = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.section != upper)
            continue;
        if (line.header || !line.key.isEmpty())
            end = i + 1;
    }
    return end;
}

bool TIniFile::SectionExists(const QString &section) const
{
    const QString upper = section.toUpper();
    for (const Line &line : m_lines) {
        if (line.header && line.section == upper)
            return true;
    }
    return false;
}

bool TIniFile::KeyExists(const QString &section, const QString &key) const
{
    return FindKey(section, key) >= 0;
}

QStringList TIniFile::Keys(const QString &section) const
{
    QStringList keys;
    const QString upper = section.toUpper();
    for (const Line &line : m_lines) {
        if (!line.key.isEmpty() && line.section == upper)
            keys.append(line.key);
    }
    return keys;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &fallback) const
{
    const int i = FindKey(section, key);
    return i < 0 ? fallback : m_lines.at(i).value;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool fallback) const
{
    const QString text = ReadString(section, key, QString()).trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no"))
        return false;
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    return ok ? number != 0 : fallback;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int fallback) const
{
    bool ok = false;
    const int number = ReadString(section, key, QString()).trimmed().toInt(&ok);
    return ok ? number : fallback;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    // Values are single lines: a line break would start a new key.
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int i = FindKey(section, key);
    if (i >= 0) {
        m_lines[i].value = flat;
        return;
    }
    Line line;
    line.section = section.toUpper();
    line.key = key;
    line.value = flat;
    int end = FindSectionEnd(section);
    if (end < 0) {
        Line header;
        header.header = true;
        header.section = line.section;
        header.text = QLatin1Char('[') + section + QLatin1Char(']');
        m_lines.append(header);
        end = int(m_lines.size());
    }
    m_lines.insert(end, line);
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    const int i = FindKey(section, key);
    if (i >= 0)
        m_lines.removeAt(i);
}

QString TIniFile::Text() const
{
    QString text;
    for (const Line &line : m_lines) {
        if (!line.key.isEmpty())
            text += line.key + QLatin1Char('=') + line.value;
        else
            text += line.text;
        text += QLatin1Char('\n');
    }
    return text;
}

bool TIniFile::Save(const QString &fileName)
{
    m_error.clear();
    const QFileInfo info(fileName);
    if (!QDir().mkpath(info.absolutePath())) {
        m_error = QStringLiteral("The settings file %1 cannot be written: the folder %2 cannot be created")
                      .arg(fileName, info.absolutePath());
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("The settings file %1 cannot be written: %2").arg(fileName, file.errorString());
        return false;
    }
    file.write(Text().toUtf8());
    if (!file.commit()) {
        m_error = QStringLiteral("The settings file %1 cannot be written: %2").arg(fileName, file.errorString());
        return false;
    }
    m_fileName = fileName;
    m_exists = true;
    return true;
}

} // namespace zelmio
