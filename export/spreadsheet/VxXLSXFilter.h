#pragma once
// The .XLSX filter: an Office Open XML workbook written by libxlsxwriter,
// one worksheet per report (several when concatenating), numbers as number
// cells, texts as UTF-8 strings, column widths from the texts' positions.
//
// libxlsxwriter keeps one row in memory (its constant-memory mode, which the
// row-by-row order of the cells allows) and assembles the file when the
// workbook closes. It writes to a private temporary file, which Finish then
// copies through the safe output file of the text-grid base: a failed export
// never leaves a partial file and never costs an existing one.

#include "export/spreadsheet/VxSpreadsheetFilter.h"
#include "model/Component.h"

#include <QSet>
#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
class QTemporaryFile;

namespace zelmio {

class TVxXLSXFilter : public TVxSpreadsheetFilter {
public:
    explicit TVxXLSXFilter(const QString &filename);
    ~TVxXLSXFilter() override;

    QString GetDescription() const override { return QStringLiteral("Excel workbook (Office Open XML)"); }
    QString GetExtension() const override { return QStringLiteral("XLSX"); }
    QString GetFilterName() const override { return QStringLiteral("Excel workbook"); }

    // Characters a cell holds; longer texts are cut.
    static constexpr int kMaxTextChars = 32767;

protected:
    int MaxRows() const override { return 1048576; }
    int MaxColumns() const override { return 16384; }
    bool SheetPerReport() const override { return true; }
    void BeginFile() override;
    void EndFile() override;
    void BeginSheet() override;
    void EndSheet() override;
    void WriteNumberCell(int row, int col, double value, const QString &text) override;
    void WriteTextCell(int row, int col, const QString &text) override;
    void EndPageCells() override;

private:
    void Check(int error, const char *what) const;
    void DropWorkbook();
    QString SheetName() const;
    void NoteLastColumn(int col, const QString &text);

    std::unique_ptr<QTemporaryFile> m_temp;
    lxw_workbook *m_workbook = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    QSet<QString> m_sheetNames;
    // Per column the widest it has been on any page, in character units.
    std::vector<double> m_widths;
};

// The component that registers TVxXLSXFilter for its lifetime.
class TVxExcelWorkbookFilter : public TComponent {
    Q_OBJECT
public:
    explicit TVxExcelWorkbookFilter(TComponent *owner = nullptr);
    ~TVxExcelWorkbookFilter() override;
};

} // namespace zelmio
