#include "designer/OpenFileHistory.h"

#include "designer/DesignerSettings.h"
#include "designer/IniFile.h"

#include <QFileInfo>

namespace zelmio {

namespace {

const QString kSection = QStringLiteral("History");

QString HistoryKey(int number)
{
    return kSection + QString::number(number);
}

bool SamePath(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

} // namespace

TOpenFileHistory::TOpenFileHistory(QObject *parent) : QObject(parent) {}

void TOpenFileHistory::SetMaxCount(int count)
{
    FMaxCount = qMax(1, count);
    if (m_fileNames.size() > FMaxCount) {
        m_fileNames = m_fileNames.mid(0, FMaxCount);
        emit Changed();
    }
}

void TOpenFileHistory::NewFileLoaded(const QString &newFileName, const QString &oldFileName)
{
    if (!oldFileName.isEmpty()) {
        m_fileNames.removeIf([&](const QString &name) { return SamePath(name, oldFileName); });
        m_fileNames.prepend(oldFileName);
    }
    if (!newFileName.isEmpty())
        m_fileNames.removeIf([&](const QString &name) { return SamePath(name, newFileName); });
    while (m_fileNames.size() > FMaxCount)
        m_fileNames.removeLast();
    emit Changed();
}

void TOpenFileHistory::Clear()
{
    m_fileNames.clear();
    emit Changed();
}

bool TOpenFileHistory::LoadFromIniFile(const QString &fileName)
{
    TIniFile ini;
    if (!ini.Load(fileName))
        return false;
    QStringList names;
    for (int number = 1;; ++number) {
        const QString name = ini.ReadString(kSection, HistoryKey(number), QString()).trimmed();
        if (name.isEmpty())
            break;
        // A file edited by hand may name a path twice; it is listed once.
        if (!names.contains(name) && names.size() < FMaxCount)
            names.append(name);
    }
    m_fileNames = names;
    emit Changed();
    return true;
}

bool TOpenFileHistory::SaveToIniFile(const QString &fileName, QString *error)
{
    TIniFile ini;
    // The user's first settings file starts from the copy beside the
    // program, as the other settings do.
    if (!QFileInfo::exists(fileName) && fileName == TesmolaSettingsFileToWrite()) {
        const QString source = TesmolaSettingsFileToRead();
        if (!source.isEmpty())
            ini.Load(source);
    } else if (!ini.Load(fileName)) {
        if (error)
            *error = ini.Error();
        return false;
    }
    for (int i = 0; i < m_fileNames.size(); ++i)
        ini.WriteString(kSection, HistoryKey(i + 1), m_fileNames.at(i));
    for (int number = int(m_fileNames.size()) + 1; number <= FMaxCount; ++number)
        ini.DeleteKey(kSection, HistoryKey(number));
    if (!ini.Save(fileName)) {
        if (error)
            *error = ini.Error();
        return false;
    }
    return true;
}

QString TOpenFileHistory::ShortenPath(const QString &path)
{
    const qsizetype cut = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (cut < 0)
        return path;
    const QChar separator = path.at(cut);
    QString dir = path.left(cut + 1);   // with its trailing separator
    const QString file = path.mid(cut + 1);
    bool dropped = false;
    while (dir.size() + file.size() >= 26) {
        const QString inner = dir.left(dir.size() - 1);
        const qsizetype last = qMax(inner.lastIndexOf(QLatin1Char('\\')), inner.lastIndexOf(QLatin1Char('/')));
        if (last < 0)
            break;
        dir = inner.left(last + 1);
        dropped = true;
    }
    return dropped ? dir + QStringLiteral("...") + separator + file : path;
}

QString TOpenFileHistory::MenuCaption(int index) const
{
    if (index < 0 || index >= m_fileNames.size())
        return QString();
    QString shown = ShortenPath(m_fileNames.at(index));
    // A "&" in a path is shown, not taken as the entry's shortcut letter.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + shown;
}

void TOpenFileHistory::SelectFile(int index)
{
    if (index < 0 || index >= m_fileNames.size())
        return;
    const QString fileName = m_fileNames.at(index);
    if (FOnFileSelected)
        FOnFileSelected(fileName);
    emit FileSelected(fileName);
}

} // namespace zelmio
