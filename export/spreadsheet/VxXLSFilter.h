#pragma once
// The .XLS filter: one worksheet in the binary record format (each record a
// 16-bit type, a 16-bit data length and the data, little-endian), written as
// a beginning-of-file record, a code-page record (1257, Windows Baltic), a
// dimensions record (all zero: the sheet's size is not known when the file
// begins), one number or text cell record per non-empty cell, and an
// end-of-file record. Texts are in code page 1257, at most 255 bytes a cell.
//
// TVxExcelFilter, the component, keeps the filter class in the export filter
// registry for as long as it exists.

#include "export/spreadsheet/VxSpreadsheetFilter.h"
#include "model/Component.h"

#include <QByteArray>

namespace zelmio {

class TVxXLSFilter : public TVxSpreadsheetFilter {
public:
    explicit TVxXLSFilter(const QString &filename);

    QString GetDescription() const override { return QStringLiteral("Excel file format"); }
    QString GetExtension() const override { return QStringLiteral("XLS"); }
    QString GetFilterName() const override { return QStringLiteral("Excel spreadsheet"); }

    // The code page of the file's texts.
    static constexpr int kCodePage = 1257;
    // Bytes of text a cell holds; longer texts are cut.
    static constexpr int kMaxTextBytes = 255;

    // CellType 2: a number cell of the text's value (format settings of the
    // process; a text that does not convert writes nothing); 3: a text cell;
    // any other writes nothing. Row and column 0-based.
    void WriteData(int cellType, int row, int col, const QString &text);

protected:
    int MaxRows() const override { return 65536; }
    int MaxColumns() const override { return 65536; }
    void BeginFile() override;
    void EndFile() override;
    void WriteNumberCell(int row, int col, double value, const QString &text) override;
    void WriteTextCell(int row, int col, const QString &text) override;
    void EndPageCells() override;

    // The four header bytes of a record, to the page's buffer.
    void WriteRecordHeader(int type, int length);

private:
    void WriteWord(int value);
    void WriteCellStart(int type, int length, int row, int col);

    // The records of the page being written; one write a page.
    QByteArray m_buffer;
};

// The component that registers TVxXLSFilter. TextEncoding and UseXLColumns
// are the process-wide settings of the text-grid and spreadsheet filters.
class TVxExcelFilter : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool UseXLColumns READ UseXLColumns WRITE SetUseXLColumns)
public:
    explicit TVxExcelFilter(TComponent *owner = nullptr);
    ~TVxExcelFilter() override;

    // Kept; the spreadsheet files do not depend on it.
    TTextEncoding TextEncoding() const { return TVxAbstractExportFilter::TextEncoding(); }
    void SetTextEncoding(TTextEncoding value) { TVxAbstractExportFilter::SetTextEncoding(value); }
    bool UseXLColumns() const { return TVxSpreadsheetFilter::UseXLColumns(); }
    void SetUseXLColumns(bool value) { TVxSpreadsheetFilter::SetUseXLColumns(value); }
};

} // namespace zelmio
