#include "export/spreadsheet/VxCSVFilter.h"

#include "export/VxExportFilterLibrary.h"
#include "platform/SafeFileWriter.h"

#include <charconv>

namespace zelmio {

TVxCSVFilter::TVxCSVFilter(const QString &filename)
    : TVxSpreadsheetFilter(filename)
{
}

QString TVxCSVFilter::QuoteField(const QString &field)
{
    bool quote = false;
    for (const QChar c : field) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            quote = true;
            break;
        }
    }
    if (!quote)
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void TVxCSVFilter::BeginFile()
{
    m_fields.clear();
    m_page.clear();
    WriteToStream(QByteArray("\xEF\xBB\xBF"));
}

void TVxCSVFilter::SetField(int col, const QString &field)
{
    while (m_fields.size() <= col)
        m_fields.append(QString());
    m_fields[col] = field;
}

void TVxCSVFilter::WriteNumberCell(int, int col, double value, const QString &)
{
    // The shortest text that reads back as the same value.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    SetField(col, QString::fromLatin1(buffer, result.ptr - buffer));
}

void TVxCSVFilter::WriteTextCell(int, int col, const QString &text)
{
    SetField(col, text);
}

void TVxCSVFilter::EndRow(int, int columns)
{
    for (qsizetype col = 0; col < std::max<qsizetype>(columns, m_fields.size()); ++col) {
        if (col > 0)
            m_page += QLatin1Char(',');
        if (col < m_fields.size())
            m_page += QuoteField(m_fields[col]);
    }
    m_page += QLatin1String("\r\n");
    m_fields.clear();
}

void TVxCSVFilter::EndPageCells()
{
    if (m_page.isEmpty())
        return;
    WriteToStream(m_page.toUtf8());
    m_page.clear();
}

// --- TVxCSVFileFilter ----------------------------------------------------------

namespace {

TVxExportFilterClass CSVFilterClass()
{
    return TVxExportFilterClass::Of<TVxCSVFilter>(QStringLiteral("TVxCSVFilter"));
}

} // namespace

TVxCSVFileFilter::TVxCSVFileFilter(TComponent *owner)
    : TComponent(owner)
{
    VXExportFilterLibrary().AddFilter(CSVFilterClass());
}

TVxCSVFileFilter::~TVxCSVFileFilter()
{
    VXExportFilterLibrary().RemoveFilter(CSVFilterClass());
}

} // namespace zelmio
