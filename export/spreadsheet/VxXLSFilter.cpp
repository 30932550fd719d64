#include "export/spreadsheet/VxXLSFilter.h"

#include "export/VxExportFilterLibrary.h"
#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/SafeFileWriter.h"
#include "platform/Formats.h"

#include <QtEndian>
#include <bit>
#include <cstring>

namespace zelmio {

namespace {

constexpr int kBeginOfFile = 0x0809;
constexpr int kCodePageRecord = 0x0042;
constexpr int kDimensions = 0x0200;
constexpr int kNumberCell = 0x0003;
constexpr int kTextCell = 0x0004;
constexpr int kEndOfFile = 0x000A;

const TCodePage &FileCodePage()
{
    static const TCodePage *page = TCodePage::find(TVxXLSFilter::kCodePage);
    return *page;
}

} // namespace

TVxXLSFilter::TVxXLSFilter(const QString &filename)
    : TVxSpreadsheetFilter(filename)
{
}

void TVxXLSFilter::WriteWord(int value)
{
    const quint16 le = qToLittleEndian(quint16(value));
    m_buffer.append(reinterpret_cast<const char *>(&le), 2);
}

void TVxXLSFilter::WriteRecordHeader(int type, int length)
{
    WriteWord(type);
    WriteWord(length);
}

void TVxXLSFilter::BeginFile()
{
    m_buffer.clear();
    WriteRecordHeader(kBeginOfFile, 6);
    WriteWord(0);      // version
    WriteWord(0x0010); // worksheet
    WriteWord(0);      // build
    // Without it readers take the texts for another code page.
    WriteRecordHeader(kCodePageRecord, 2);
    WriteWord(kCodePage);
    WriteRecordHeader(kDimensions, 10);
    for (int i = 0; i < 5; ++i)
        WriteWord(0);
    EndPageCells();
}

void TVxXLSFilter::EndFile()
{
    WriteRecordHeader(kEndOfFile, 0);
    EndPageCells();
}

void TVxXLSFilter::WriteCellStart(int type, int length, int row, int col)
{
    WriteRecordHeader(type, length);
    WriteWord(row);
    WriteWord(col);
    m_buffer.append(3, '\0'); // cell attributes
}

void TVxXLSFilter::WriteNumberCell(int row, int col, double value, const QString &)
{
    WriteCellStart(kNumberCell, 15, row, col);
    const quint64 le = qToLittleEndian(std::bit_cast<quint64>(value));
    m_buffer.append(reinterpret_cast<const char *>(&le), 8);
}

void TVxXLSFilter::WriteTextCell(int row, int col, const QString &text)
{
    const QByteArray bytes = FileCodePage().encode(text).left(kMaxTextBytes);
    WriteCellStart(kTextCell, 8 + int(bytes.size()), row, col);
    m_buffer.append(char(quint8(bytes.size())));
    m_buffer.append(bytes);
}

void TVxXLSFilter::WriteData(int cellType, int row, int col, const QString &text)
{
    if (cellType == 2) {
        double value = 0;
        if (TryStrToFloat(text, value, FormatSettings()))
            WriteNumberCell(row, col, value, text);
    } else if (cellType == 3) {
        WriteTextCell(row, col, text);
    }
}

void TVxXLSFilter::EndPageCells()
{
    if (m_buffer.isEmpty())
        return;
    WriteToStream(m_buffer);
    m_buffer.clear();
}

// --- TVxExcelFilter ------------------------------------------------------------

namespace {

TVxExportFilterClass XLSFilterClass()
{
    return TVxExportFilterClass::Of<TVxXLSFilter>(QStringLiteral("TVxXLSFilter"));
}

} // namespace

TVxExcelFilter::TVxExcelFilter(TComponent *owner)
    : TComponent(owner)
{
    VXExportFilterLibrary().AddFilter(XLSFilterClass());
}

TVxExcelFilter::~TVxExcelFilter()
{
    VXExportFilterLibrary().RemoveFilter(XLSFilterClass());
}

} // namespace zelmio
