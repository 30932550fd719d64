#pragma once
// The common base of the spreadsheet filters (.XLS, .XLSX, .CSV): a text-grid
// filter that writes each page's grid as rows of a sheet when the page ends.
//
// The grid: every text of the page sits in the cell of its line and column
// (numbered by the text-grid base); when several texts share a cell the first
// one in page order wins (the last one with UseXLColumns). A text that is a
// number once the thousands separators are removed becomes a number cell,
// any other a text cell; graphics leave no trace.
//
// Rows: consecutive pages follow each other on the sheet. The next free sheet
// row is kept in the report's expression environment as the constant
// "___XLGlobRow" (reset to 0 when the file is created) and in FLastSheetrow,
// which also carries it from report to report when several reports go into
// one file (Concatenating, EndConcat).
//
// UseXLColumns (one setting for the process): a text whose element names a
// spreadsheet column (XLColumn, 1-based) goes to that column; a text whose
// element names none keeps the column the positions give it.
//
// Memory stays flat in the page count: only the current page's texts are
// kept, and each page's cells go to the file as soon as the page ends.

#include "export/VxAbstractExportFilter.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace zelmio {

class TCustomVexa;
struct TFormatSettings;

// The number test of a cell text: after trimming and an optional sign only
// digits, at most one decimal separator, and an "E"/"e" that is not the last
// character followed by a text that passes the test itself. A text that is
// only a sign passes (and then fails the conversion).
bool PassesSpreadsheetNumberTest(QStringView text, QChar decimalSeparator);
// True with the value when the text, with every thousands separator removed,
// passes the number test and converts in the given format settings.
bool SpreadsheetNumber(const QString &text, double &value, const TFormatSettings &fs);

class TVxSpreadsheetFilter : public TVxAbstractExportFilter {
public:
    explicit TVxSpreadsheetFilter(const QString &filename);
    ~TVxSpreadsheetFilter() override;

    bool GetStreaming() const override { return true; }

    // The process-wide UseXLColumns setting (off unless set).
    static bool UseXLColumns();
    static void SetUseXLColumns(bool value);

    // Several reports go into one file: Finish leaves the file open for the
    // next report, EndConcat completes it.
    bool Concatenating = false;
    void EndConcat();
    // Reports finished into this filter.
    int ReportCount() const { return FReportNum; }

    // Concatenating after the first report: the open file goes on.
    void Start(int paperWidth, int paperHeight, const TVxFont *font) override;
    // Keeps the text and its position; fonts are not kept.
    void TextOut(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                 const QString &text) override;
    void TextOutColumn(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                       const QString &text, int column) override;
    // The record's column is kept for UseXLColumns.
    void TextOutRec(const TExportInfoRec &info) override;
    // Concatenating: the report's sheet ends, the file stays open. Otherwise
    // the file is completed and put in place (EVxError when that fails).
    void Finish() override;

    // The name of the environment entry that carries the sheet row.
    static QString SheetRowEntry() { return QStringLiteral("___XLGlobRow"); }

protected:
    // Creates the file, resets the sheet row constant and calls BeginFile.
    void CreateStream(const QString &filename) override;
    void ProcessPage() override;
    void StorePage() override;

    // --- What a format writes ---------------------------------------------
    // Rows and columns a sheet of the format holds.
    virtual int MaxRows() const = 0;
    virtual int MaxColumns() const = 0;
    // Each report on a sheet of its own (rows from 0), or all on one.
    virtual bool SheetPerReport() const { return false; }
    // After the file is created / before it is completed. A run that fails
    // ends with neither: the filter is freed and the file dropped.
    virtual void BeginFile() {}
    virtual void EndFile() {}
    // Around each report's rows: BeginSheet before its first page's cells,
    // EndSheet when the report finishes.
    virtual void BeginSheet() {}
    virtual void EndSheet() {}
    // Cells come row by row, within a row by rising column; row and column
    // 0-based. text is the cell text as printed.
    virtual void WriteNumberCell(int row, int col, double value, const QString &text) = 0;
    virtual void WriteTextCell(int row, int col, const QString &text) = 0;
    // After each sheet row of a page, also a row without cells; columns is
    // the page's column count.
    virtual void EndRow(int row, int columns)
    {
        (void)row;
        (void)columns;
    }
    // After the page's last row: the page's cells may go to the file.
    virtual void EndPageCells() {}

    // The left edge (0.1 mm) of each sheet column of the current page, by
    // 0-based column; negative for a column without texts.
    const std::vector<long double> &ColumnLefts() const { return m_columnLefts; }
    // The report being exported, when the owner is one.
    TCustomVexa *OwnerReport() const;

    int FReportNum = 0;

private:
    int ReadSheetRow(bool &found) const;
    void StoreSheetRow(int row) const;
    void CheckCell(int row, int col) const;
    void ShowProgress(int line, int lines, bool continues);

    // Reports finished into the open file.
    int m_reportsInFile = 0;
    bool m_sheetOpen = false;
    // The texts' left edges before ranking, in the order of Entries.
    std::vector<long double> m_entryLefts;
    std::vector<long double> m_columnLefts;
    int m_lastProgress = -1;
};

} // namespace zelmio
