#include "export/spreadsheet/VxSpreadsheetFilter.h"

#include "expr/VxEvEnvironment.h"
#include "model/CustomVexa.h"
#include "output/VxPrinter.h"
#include "platform/FormatSettings.h"
#include "platform/SafeFileWriter.h"
#include "platform/Formats.h"
#include "platform/VxError.h"

#include <algorithm>

namespace zelmio {

namespace {

bool g_useXLColumns = false;

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Where a text sits on the page's grid, and where in the page order.
struct TGridCell {
    int line;
    int col;
    int order;
};

} // namespace

bool PassesSpreadsheetNumberTest(QStringView text, QChar decimalSeparator)
{
    QStringView s = text.trimmed();
    if (s.isEmpty())
        return false;
    if (s.front() == QLatin1Char('+') || s.front() == QLatin1Char('-'))
        s = s.mid(1);
    bool separatorSeen = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (IsDigit(c))
            continue;
        if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < s.size())
            return PassesSpreadsheetNumberTest(s.mid(i + 1), decimalSeparator);
        return false;
    }
    return true;
}

bool SpreadsheetNumber(const QString &text, double &value, const TFormatSettings &fs)
{
    QString s = text;
    if (!fs.ThousandSeparator.isNull())
        s.remove(fs.ThousandSeparator);
    return PassesSpreadsheetNumberTest(s, fs.DecimalSeparator) && TryStrToFloat(s, value, fs);
}

TVxSpreadsheetFilter::TVxSpreadsheetFilter(const QString &filename)
    : TVxAbstractExportFilter(filename)
{
    PositionLatitude = 1.0L;
}

TVxSpreadsheetFilter::~TVxSpreadsheetFilter() = default;

bool TVxSpreadsheetFilter::UseXLColumns()
{
    return g_useXLColumns;
}

void TVxSpreadsheetFilter::SetUseXLColumns(bool value)
{
    g_useXLColumns = value;
}

TCustomVexa *TVxSpreadsheetFilter::OwnerReport() const
{
    return qobject_cast<TCustomVexa *>(Owner());
}

void TVxSpreadsheetFilter::Start(int paperWidth, int paperHeight, const TVxFont *font)
{
    if (Concatenating && FReportNum > 0 && FStream)
        return;
    m_reportsInFile = 0;
    m_sheetOpen = false;
    TVxAbstractExportFilter::Start(paperWidth, paperHeight, font);
    FLastSheetrow = -1;
}

void TVxSpreadsheetFilter::CreateStream(const QString &filename)
{
    TVxAbstractExportFilter::CreateStream(filename);
    StoreSheetRow(0);
    BeginFile();
}

void TVxSpreadsheetFilter::TextOut(TPaperPos position, const TVxFont *, TColor, TAlignment alignment,
                                   const QString &text)
{
    // A sheet has no use for the text's font; a streaming report is one
    // page however long, so every byte an entry saves counts.
    Entries.push_back(std::make_unique<TTextEntry>(position.x, position.y, text, alignment, nullptr));
}

void TVxSpreadsheetFilter::TextOutColumn(TPaperPos position, const TVxFont *font, TColor bgColor,
                                         TAlignment alignment, const QString &text, int column)
{
    TextOut(position, font, bgColor, alignment, text);
    Entries.back()->Column = column;
}

void TVxSpreadsheetFilter::TextOutRec(const TExportInfoRec &info)
{
    TextOutColumn(TPaperPos(info.Xpos, info.Ypos), info.Font, info.BGColor, info.Alignment, info.Text, info.Column);
}

void TVxSpreadsheetFilter::Finish()
{
    ++FReportNum;
    if (!Active())
        return;
    if (m_sheetOpen) {
        m_sheetOpen = false;
        EndSheet();
    }
    if (Concatenating) {
        ++m_reportsInFile;
        return;
    }
    try {
        if (FStream)
            EndFile();
    } catch (...) {
        // The unfinished file is dropped; the target stays as it was.
        FStream.reset();
        TVxAbstractExportFilter::Finish();
        throw;
    }
    TVxAbstractExportFilter::Finish();
}

void TVxSpreadsheetFilter::EndConcat()
{
    Concatenating = false;
    Finish();
}

int TVxSpreadsheetFilter::ReadSheetRow(bool &found) const
{
    found = false;
    TCustomVexa *report = OwnerReport();
    TVxEvEnvironment *env = report ? report->Functions() : nullptr;
    if (!env)
        return 0;
    const int index = env->IndexOf(SheetRowEntry());
    if (index < 0)
        return 0;
    found = true;
    if (env->Prepared()) {
        const TVxEvResult value = env->Value(SheetRowEntry());
        if (value.Kind == TVxEvResultType::resInt)
            return value.intResult;
        if (value.Kind == TVxEvResultType::resDouble)
            return int(value.dblResult);
    }
    return env->Expression(index).trimmed().toInt();
}

void TVxSpreadsheetFilter::StoreSheetRow(int row) const
{
    TCustomVexa *report = OwnerReport();
    TVxEvEnvironment *env = report ? report->Functions() : nullptr;
    if (!env)
        return;
    const int index = env->IndexOf(SheetRowEntry());
    if (index < 0) {
        env->AddFunction(SheetRowEntry(), QString::number(row));
        return;
    }
    // A prepared entry changes in place, so expressions that use it see the
    // new row without being compiled again.
    if (TVxEvElement *constant = env->Prepared() ? env->GetConstant(SheetRowEntry()) : nullptr)
        TVxEvEnvironment::SetIntegerConstant(constant, row);
    else
        env->SetExpression(index, QString::number(row));
}

void TVxSpreadsheetFilter::CheckCell(int row, int col) const
{
    if (row >= MaxRows())
        throw EVxError(QStringLiteral("%1: sheet row %2 is beyond the %3 rows a %4 sheet holds")
                           .arg(Filename())
                           .arg(row + 1)
                           .arg(MaxRows())
                           .arg(GetExtension()));
    if (col >= MaxColumns())
        throw EVxError(QStringLiteral("%1: sheet column %2 is beyond the %3 columns a %4 sheet holds")
                           .arg(Filename())
                           .arg(col + 1)
                           .arg(MaxColumns())
                           .arg(GetExtension()));
}

void TVxSpreadsheetFilter::ShowProgress(int line, int lines, bool continues)
{
    TCustomVexa *report = OwnerReport();
    TVxPrinter *printer = report ? report->RunState().VXPrinter : nullptr;
    if (!printer || continues || lines <= 0)
        return;
    if (line == 0 && printer->Client())
        printer->Client()->setProperty("windowTitle", QStringLiteral("Writing XLS file..."));
    // The printer posts each change to its window: only real changes.
    const int percent = line * 100 / lines;
    if (percent != m_lastProgress) {
        m_lastProgress = percent;
        printer->SetProgress(percent);
    }
}

void TVxSpreadsheetFilter::ProcessPage()
{
    m_entryLefts.clear();
    m_entryLefts.reserve(Entries.size());
    for (const auto &entry : Entries)
        m_entryLefts.push_back(entry->XPos);
    TVxAbstractExportFilter::ProcessPage();
}

void TVxSpreadsheetFilter::StorePage()
{
    if (!m_sheetOpen) {
        m_sheetOpen = true;
        if (m_reportsInFile > 0 && SheetPerReport())
            FLastSheetrow = 0;
        BeginSheet();
    }

    bool found = false;
    int row = ReadSheetRow(found);
    if (!found)
        row = std::max(FLastSheetrow, 0);
    const bool continues = row > 0;
    if (m_reportsInFile > 0)
        row = std::max(FLastSheetrow, 0);
    if (row < 0)
        row = 0;

    // The cells of the page, sorted by line, column and page order, so that
    // each cell's texts lie together and come out row by row.
    const bool xlColumns = UseXLColumns();
    std::vector<TGridCell> cells;
    cells.reserve(Entries.size());
    int columns = FColCount;
    for (size_t i = 0; i < Entries.size(); ++i) {
        const TTextEntry &entry = *Entries[i];
        const int line = int(entry.YPos);
        const int col = xlColumns && entry.Column > 0 ? entry.Column : int(entry.XPos);
        if (line < 1 || line > FLineCount || col < 1)
            continue;
        if (!xlColumns && col > FColCount)
            continue;
        columns = std::max(columns, col);
        cells.push_back({line, col, int(i)});
    }
    std::sort(cells.begin(), cells.end(), [](const TGridCell &a, const TGridCell &b) {
        if (a.line != b.line)
            return a.line < b.line;
        if (a.col != b.col)
            return a.col < b.col;
        return a.order < b.order;
    });

    m_columnLefts.assign(size_t(columns), -1.0L);
    for (const TGridCell &cell : cells) {
        long double &left = m_columnLefts[size_t(cell.col - 1)];
        const long double x = m_entryLefts[size_t(cell.order)];
        if (left < 0 || x < left)
            left = x;
    }

    const TFormatSettings &fs = FormatSettings();
    m_lastProgress = -1;
    size_t next = 0;
    for (int line = 1; line <= FLineCount; ++line) {
        ShowProgress(line - 1, FLineCount, continues);
        while (next < cells.size() && cells[next].line == line) {
            // The group of texts in one cell: the first wins, or the last
            // with UseXLColumns.
            size_t end = next;
            while (end < cells.size() && cells[end].line == line && cells[end].col == cells[next].col)
                ++end;
            const TGridCell &cell = xlColumns ? cells[end - 1] : cells[next];
            next = end;
            const QString &text = Entries[size_t(cell.order)]->FText;
            if (text.isEmpty())
                continue;
            CheckCell(row, cell.col - 1);
            double value = 0;
            if (SpreadsheetNumber(text, value, fs))
                WriteNumberCell(row, cell.col - 1, value, text);
            else
                WriteTextCell(row, cell.col - 1, text);
        }
        EndRow(row, columns);
        ++row;
    }
    EndPageCells();

    FLastSheetrow = std::max(FLastSheetrow, row);
    StoreSheetRow(row);
}

} // namespace zelmio
