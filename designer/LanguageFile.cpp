#include "designer/LanguageFile.h"

#include "designer/DesignerSettings.h"
#include "designer/IniFile.h"

#include <QDir>
#include <QLocale>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace zelmio {

namespace {

struct TLanguageState {
    QString name;            // as the settings name it
    bool named = false;      // the settings named one (perhaps none)
    QString readFrom;        // the resolved file the reader holds
    QString failedFile;      // the last file that could not be used (warned once)
    TSpeedyIniFile reader;
    bool loaded = false;
};

TLanguageState &State()
{
    static TLanguageState state;
    return state;
}

QString Unquote(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

bool TSpeedyIniFile::ReadIniFile(const QString &fileName)
{
    m_sections.clear();
    m_error.clear();
    m_fileName = fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("File %1 not found!").arg(fileName);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0')) {
        m_error = QStringLiteral("The language file %1 is not a text file").arg(fileName);
        return false;
    }
    ReadText(DecodeSettingsText(bytes));
    if (m_sections.isEmpty()) {
        m_error = QStringLiteral("The language file %1 has no [section] line").arg(fileName);
        return false;
    }
    return true;
}

void TSpeedyIniFile::ReadText(const QString &text)
{
    m_sections.clear();
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMap<QString, QString> *current = nullptr;
    for (const QString &row : normalized.split(QLatin1Char('\n'))) {
        if (row.trimmed().isEmpty())
            continue;
        if (row.startsWith(QLatin1Char('['))) {
            const QString line = row.trimmed();
            const QString name = line.mid(1, line.size() - (line.endsWith(QLatin1Char(']')) ? 2 : 1)).toUpper();
            current = &m_sections[name];
            continue;
        }
        // A key before any section has nowhere to go.
        if (!current)
            continue;
        const qsizetype eq = row.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? row : row.left(eq)).trimmed().toUpper();
        const QString value = eq < 0 ? QString() : Unquote(row.mid(eq + 1));
        // The first of a repeated key counts.
        if (!key.isEmpty() && !current->contains(key))
            current->insert(key, value);
    }
}

bool TSpeedyIniFile::SectionExists(const QString &section) const
{
    return m_sections.contains(section.toUpper());
}

bool TSpeedyIniFile::KeyExists(const QString &section, const QString &key) const
{
    const auto it = m_sections.constFind(section.toUpper());
    return it != m_sections.cend() && it->contains(key.toUpper());
}

QString TSpeedyIniFile::ReadString(const QString &section, const QString &key, const QString &fallback) const
{
    const auto it = m_sections.constFind(section.toUpper());
    if (it == m_sections.cend())
        return fallback;
    return it->value(key.toUpper(), fallback);
}

QString LanguageFileName()
{
    // Unless the settings say otherwise, Latvian users get their language.
    if (!State().named && QLocale().language() == QLocale::Latvian)
        return QStringLiteral("zelmio-lv.lng");
    return State().name;
}

void ResetLanguageFileName()
{
    State().name.clear();
    State().named = false;
}

void SetLanguageFileName(const QString &name)
{
    State().name = name;
    State().named = true;
}

QStringList BuiltInLanguageFiles()
{
    QStringList files;
    const QDir dir(QStringLiteral(":/lang"));
    for (const QString &entry : dir.entryList(QDir::Files, QDir::Name))
        files.append(dir.filePath(entry));
    return files;
}

QString ResolveLanguageFile(const QString &name)
{
    const QString path = SettingsFilePath(name);
    if (path == name)   // empty, or a name with its folder
        return name;
    if (QFileInfo::exists(path))
        return path;
    const QString builtIn = QStringLiteral(":/lang/") + name;
    return QFileInfo::exists(builtIn) ? builtIn : path;
}

const TSpeedyIniFile *CurrentLanguageReader()
{
    TLanguageState &state = State();
    const QString name = LanguageFileName();
    if (name.isEmpty())
        return nullptr;
    const QString file = ResolveLanguageFile(name);
    if (state.loaded && state.readFrom == file)
        return &state.reader;
    if (file == state.failedFile)
        return nullptr;
    TSpeedyIniFile reader;
    if (!reader.ReadIniFile(file)) {
        state.failedFile = file;
        state.loaded = false;
        std::fprintf(stderr, "zelmio: %s; the built-in English texts are used\n", qPrintable(reader.Error()));
        return nullptr;
    }
    state.reader = reader;
    state.readFrom = file;
    state.failedFile.clear();
    state.loaded = true;
    return &state.reader;
}

void TranslateMessageTable(QStringList &messages, const TSpeedyIniFile &reader, const QString &section,
                           const QString &name)
{
    const auto keyOf = [](const QString &line) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        return eq < 0 ? line : line.left(eq);
    };
    const QStringList original = messages;
    for (int i = 0; i < original.size(); ++i) {
        const QString value = reader.ReadString(section, name + QStringLiteral(".Item") + QString::number(i + 1),
                                                QString());
        if (value.isEmpty())
            continue;
        const QString entryKey = keyOf(original.at(i));
        if (!value.contains(QLatin1Char('='))) {
            messages[i] = entryKey + QLatin1Char('=') + value;
            continue;
        }
        const QString valueKey = keyOf(value);
        if (valueKey.compare(entryKey, Qt::CaseInsensitive) == 0) {
            messages[i] = value;
            continue;
        }
        for (int j = 0; j < original.size(); ++j) {
            if (keyOf(original.at(j)).compare(valueKey, Qt::CaseInsensitive) == 0) {
                messages[j] = value;
                break;
            }
        }
    }
}

QStringList DefaultDesignerMessages()
{
    static const char *const kMessages[] = {
        "Calcfield needs database=A calculated field needs a database",
        "GetQueryParamCaption=Query parameters",
        "GetQueryParamPrompt=Value of parameter %s:",
        "Invalid value=Invalid value",
        "Delete band=Delete selected band and all elements on it?",
        "Delete selected bands=Delete all selected bands?",
        "Image not found=Image not found",
        "Error opening database=Error opening database",
        "Error opening database-query=Error opening database query",
        "Reportfile not found=Report file not found",
        "Error in reportfile=Error in report file",
        "Write Error=Write error",
        "BandTitle=Title",
        "BandPageHeader=Page Header",
        "BandDetail=Detail",
        "BandPageFooter=Page Footer",
        "BandSummary=Summary",
        "BandGroupheader=Group Header",
        "BandGroupfooter=Group Footer",
        "BandSubdetail=Sub Detail",
        "BandColumnHeader=Column Header",
        "BandOverlay=Overlay",
        "CalcSum=Sum",
        "CalcCount=Count",
        "CalcMaximum=Maximum",
        "CalcMinimum=Minimum",
        "CalcAverage=Average",
        "SysdataTime=Time",
        "SysdataDate=Date",
        "SysdataDateTime=Date and time",
        "SysdataPagenumber=Page number",
        "SysdataReportTitle=Report title",
        "SysdataDetailcounter=Detail counter",
        "SysdataDetailnumber=Detail number",
        "ShapeRectangle=Rectangle",
        "ShapeCircle=Circle",
        "ShapeVerticalLine=Vertical line",
        "ShapeHorizontalLine=Horizontal line",
        "ShapeTopBottomLines=Top and bottom lines",
        "ShapeLeftRightLines=Left and right lines",
        "BrushEmpty=Empty",
        "BrushSolid=Solid",
        "BrushCross=Cross",
        "BrushDiagCross=Diagonal cross",
        "BrushDiagLinesBT=Diagonal lines, bottom to top",
        "BrushDiagLinesTB=Diagonal lines, top to bottom",
        "BrushHorLines=Horizontal lines",
        "BrushVertLines=Vertical lines",
        "PenMode1=Black",
        "PenMode2=White",
        "PenMode3=No change",
        "PenMode4=Inverse",
        "PenMode5=Copy",
        "PenMode6=Inverse copy",
        "PenMode7=Merge pen and inverse",
        "PenMode8=Mask pen and inverse",
        "PenMode9=Merge inverse and pen",
        "PenMode10=Mask inverse and pen",
        "PenMode11=Merge",
        "PenMode12=Inverse merge",
        "PenMode13=Mask",
        "PenMode14=Inverse mask",
        "PenMode15=Xor",
        "PenMode16=Inverse xor",
        "PenStyleSolid=Solid",
        "PenStyleDashed=Dashed",
        "PenStyleDot=Dotted",
        "PenStyleDashDot=Dash dot",
        "PenStyleDashDotDot=Dash dot dot",
        "PenStyleHiddenMark=Hidden",
        "PenStyleInsideFrame=Inside frame",
        "CalcFieldEditFormCaption=Calculated field",
        "PropertyNotSet=Property not set",
        "GraphicFrom=Picture from",
        "RulerNone=None",
        "RulerCmHorizontal=cm horizontal",
        "RulerCmVertical=cm vertical",
        "RulerCMHorVert=cm horizontal and vertical",
        "RulerInchHorizontal=Inch horizontal",
        "RulerInchVertical=Inch vertical",
        "RulerInchHorVert=Inch horizontal and vertical",
        "No databases available=No databases available",
        "Invalid componentname=Invalid component name",
        "Save report=Save report %s?",
        "Report not saved=You have not saved the current report! Continue anyway?",
        "Database not found=Database not found",
        "DeleteDetailLinkQuestion=Delete the detail link?",
        "Database not set=Database not set",
        "DeleteGroupQuestion=Delete the group?",
        "DefaultTableName=Table",
        "Databasename=Database name",
        "InputName=Name:",
        "Error opening database=Error opening database",
        "ErrorDeleteMainDatabase=The main database cannot be deleted",
        "DeleteDatabaseConfirmation=Delete the database?",
        "Error activating query=Error activating query",
        "PRIMARY INDEX=PRIMARY INDEX",
        "None=None",
        "RenameError=The name cannot be changed",
        "No SQL parameters=No SQL parameters",
        "Invalid value for datatype=Invalid value for the data type",
        "Calcfield not found=Calculated field not found",
        "Error creating calcfield=Error creating calculated field",
        "NoAlias=No alias",
        "Calculated field=Calculated field",
        "Datafield=Data field",
        "ImgAlign None=None",
        "ImgAlign Top=Top",
        "ImgAlign Bottom=Bottom",
        "ImgAlign Left=Left",
        "ImgAlign Right=Right",
        "Band=Band",
        "Childband=Child band",
        "Subdetailband=Sub-detail band",
        "Groupband=Group band",
        "Label=Label",
        "Memo=Memo",
        "Image=Image",
        "Shape=Shape",
        "Sysdata=System field",
        "Datafield=Data field",
        "Image datafield=Image data field",
        "Expression=Expression",
        "Richtext=Rich text",
        "Richtext datafield=Rich text data field",
        "Chart=Chart",
        "PopupMenuProperties=Edit",
        "PopupMenuOptions=Options",
        "PopupMenuBringToFront=Bring to front",
        "PopupMenuSendToBack=Send to back",
        "PopupMenuGroup=Group elements",
        "PopupMenuUngroup=Ungroup element",
        "PopupMenuUngroupAll=Ungroup all elements",
        "PopupMenuEnabled=Enabled",
        "PopupMenuScripts=Scripts",
        "BandLoopband=Loop Band",
        "BandStringsband=Strings Band",
        "Barcode=Barcode",
        "Barcode datafield=Barcode data field",
    };
    QStringList messages;
    for (const char *line : kMessages)
        messages.append(QString::fromUtf8(line));
    return messages;
}

} // namespace zelmio
