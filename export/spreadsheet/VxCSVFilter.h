#pragma once
// The .CSV filter: the sheet rows as comma-separated lines (RFC 4180: CRLF
// line ends; a field with a comma, a quote or a line break is quoted, its
// quotes doubled), UTF-8 with a byte-order mark. Every line of a page has
// the page's column count of fields, an empty line of the report too. A
// number cell is written in the plain form (point as the decimal separator,
// no thousands separators), so that a reader needs no locale; texts are
// written as printed. Concatenated reports follow each other.

#include "export/spreadsheet/VxSpreadsheetFilter.h"
#include "model/Component.h"

#include <QByteArray>
#include <QStringList>

namespace zelmio {

class TVxCSVFilter : public TVxSpreadsheetFilter {
public:
    explicit TVxCSVFilter(const QString &filename);

    QString GetDescription() const override { return QStringLiteral("Comma-separated values (UTF-8)"); }
    QString GetExtension() const override { return QStringLiteral("CSV"); }
    QString GetFilterName() const override { return QStringLiteral("CSV file"); }

    // A field as a CSV line holds it.
    static QString QuoteField(const QString &field);

protected:
    int MaxRows() const override { return 2147483647; }
    int MaxColumns() const override { return 65536; }
    void BeginFile() override;
    void WriteNumberCell(int row, int col, double value, const QString &text) override;
    void WriteTextCell(int row, int col, const QString &text) override;
    void EndRow(int row, int columns) override;
    void EndPageCells() override;

private:
    void SetField(int col, const QString &field);

    QStringList m_fields; // of the row being written
    QString m_page;       // the page's lines
};

// The component that registers TVxCSVFilter for its lifetime.
class TVxCSVFileFilter : public TComponent {
    Q_OBJECT
public:
    explicit TVxCSVFileFilter(TComponent *owner = nullptr);
    ~TVxCSVFileFilter() override;
};

} // namespace zelmio
