#include "export/spreadsheet/VxXLSXFilter.h"

#include "export/VxExportFilterLibrary.h"
#include "platform/SafeFileWriter.h"
#include "model/CustomVexa.h"
#include "platform/VxError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <xlsxwriter.h>

namespace zelmio {

namespace {

// A column as wide as its texts' left edges are apart; the last one of a
// page as wide as its longest text.
constexpr double kTenthMmPerChar = 19.0; // the default font's digit width, about 1.9 mm
constexpr double kMaxWidth = 80;

} // namespace

TVxXLSXFilter::TVxXLSXFilter(const QString &filename)
    : TVxSpreadsheetFilter(filename)
{
}

TVxXLSXFilter::~TVxXLSXFilter()
{
    DropWorkbook();
}

void TVxXLSXFilter::DropWorkbook()
{
    if (m_workbook) {
        lxw_workbook_free(m_workbook);
        m_workbook = nullptr;
    }
    m_sheet = nullptr;
    m_temp.reset();
}

void TVxXLSXFilter::Check(int error, const char *what) const
{
    if (error != LXW_NO_ERROR)
        throw EVxError(QStringLiteral("%1: cannot be written: %2: %3")
                           .arg(Filename(), QLatin1String(what), QString::fromUtf8(lxw_strerror(lxw_error(error)))));
}

void TVxXLSXFilter::BeginFile()
{
    DropWorkbook();
    m_sheetNames.clear();
    m_temp = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/zelmio-XXXXXX.xlsx"));
    if (!m_temp->open())
        throw EVxError(QStringLiteral("%1: cannot be written: no temporary file: %2").arg(Filename(), m_temp->errorString()));
    m_temp->close();
    const QByteArray path = QFile::encodeName(m_temp->fileName());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    m_workbook = workbook_new_opt(path.constData(), &options);
    if (!m_workbook)
        throw EVxError(QStringLiteral("%1: cannot be written: the workbook cannot be created").arg(Filename()));
}

QString TVxXLSXFilter::SheetName() const
{
    // The report's title when it makes a valid, new sheet name.
    QString name;
    if (const TCustomVexa *report = OwnerReport())
        name = report->ReportTitle();
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        name.remove(c);
    name = name.trimmed().left(31);
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')) || name.isEmpty()
        || m_sheetNames.contains(name.toLower()) || name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0) {
        for (int n = int(m_sheetNames.size()) + 1;; ++n) {
            name = QStringLiteral("Sheet%1").arg(n);
            if (!m_sheetNames.contains(name.toLower()))
                break;
        }
    }
    return name;
}

void TVxXLSXFilter::BeginSheet()
{
    if (!m_workbook)
        return;
    const QString name = SheetName();
    m_sheet = workbook_add_worksheet(m_workbook, name.toUtf8().constData());
    if (!m_sheet)
        throw EVxError(QStringLiteral("%1: cannot be written: the sheet \"%2\" cannot be added").arg(Filename(), name));
    m_sheetNames.insert(name.toLower());
    m_widths.clear();
}

void TVxXLSXFilter::EndSheet()
{
    if (!m_sheet)
        return;
    for (size_t col = 0; col < m_widths.size(); ++col)
        if (m_widths[col] > 0)
            Check(worksheet_set_column(m_sheet, lxw_col_t(col), lxw_col_t(col), m_widths[col], nullptr),
                  "column width");
    m_sheet = nullptr;
}

void TVxXLSXFilter::WriteNumberCell(int row, int col, double value, const QString &text)
{
    Check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(col), value, nullptr), "number cell");
    NoteLastColumn(col, text);
}

void TVxXLSXFilter::WriteTextCell(int row, int col, const QString &text)
{
    QString cut = text;
    if (cut.size() > kMaxTextChars) {
        cut.truncate(kMaxTextChars);
        if (cut.back().isHighSurrogate())
            cut.chop(1);
    }
    Check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(col), cut.toUtf8().constData(), nullptr),
          "text cell");
    NoteLastColumn(col, cut);
}

void TVxXLSXFilter::NoteLastColumn(int col, const QString &text)
{
    // The last column has no right neighbour to measure against.
    if (size_t(col) + 1 != ColumnLefts().size())
        return;
    if (m_widths.size() <= size_t(col))
        m_widths.resize(size_t(col) + 1, 0);
    m_widths[size_t(col)] = std::max(m_widths[size_t(col)], std::min(kMaxWidth, double(text.size()) + 1));
}

void TVxXLSXFilter::EndPageCells()
{
    // The page's column widths, from the gaps between the columns' left edges.
    const std::vector<long double> &lefts = ColumnLefts();
    if (m_widths.size() < lefts.size())
        m_widths.resize(lefts.size(), 0);
    for (size_t col = 0; col + 1 < lefts.size(); ++col) {
        if (lefts[col] < 0)
            continue;
        size_t right = col + 1;
        while (right < lefts.size() && lefts[right] < 0)
            ++right;
        if (right == lefts.size() || lefts[right] <= lefts[col])
            continue;
        const double width = std::min(kMaxWidth, double(lefts[right] - lefts[col]) / kTenthMmPerChar);
        m_widths[col] = std::max(m_widths[col], width);
    }
}

void TVxXLSXFilter::EndFile()
{
    if (!m_workbook)
        return;
    // A workbook has at least one sheet.
    if (m_sheetNames.isEmpty() && !workbook_add_worksheet(m_workbook, nullptr))
        throw EVxError(QStringLiteral("%1: cannot be written: the sheet cannot be added").arg(Filename()));
    lxw_workbook *workbook = m_workbook;
    m_workbook = nullptr; // closing frees it, whatever the result
    m_sheet = nullptr;
    Check(workbook_close(workbook), "the workbook");

    QFile assembled(m_temp->fileName());
    if (!assembled.open(QIODevice::ReadOnly))
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), assembled.errorString()));
    for (;;) {
        const QByteArray chunk = assembled.read(1 << 20);
        if (chunk.isEmpty())
            break;
        WriteToStream(chunk);
    }
    if (assembled.error() != QFileDevice::NoError)
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(Filename(), assembled.errorString()));
    m_temp.reset();
}

// --- TVxExcelWorkbookFilter --------------------------------------------------------

namespace {

TVxExportFilterClass XLSXFilterClass()
{
    return TVxExportFilterClass::Of<TVxXLSXFilter>(QStringLiteral("TVxXLSXFilter"));
}

} // namespace

TVxExcelWorkbookFilter::TVxExcelWorkbookFilter(TComponent *owner)
    : TComponent(owner)
{
    VXExportFilterLibrary().AddFilter(XLSXFilterClass());
}

TVxExcelWorkbookFilter::~TVxExcelWorkbookFilter()
{
    VXExportFilterLibrary().RemoveFilter(XLSXFilterClass());
}

} // namespace zelmio
