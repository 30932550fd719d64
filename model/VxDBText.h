#pragma once
// The text of a record set field for the current record: memo and blob
// fields print their whole value as lines; other fields print their display
// text, or with a Mask their value formatted as a number (a "%m" mask as a
// money format) or as a date. A field that cannot be read prints nothing.

#include "model/VxCustomLabel.h"
#include "model/VxFont.h"
#include "platform/DataSet.h"

#include <QPointer>

namespace zelmio {

class TVxDBText : public TVxCustomLabel {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(zelmio::VxElementTypes::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(zelmio::VxElementTypes::TWrapStyle WrapStyle READ WrapStyle WRITE SetWrapStyle)
    Q_PROPERTY(zelmio::VxElementTypes::TTextLayout VerticalAlignment READ VerticalAlignment WRITE SetVerticalAlignment)
    Q_PROPERTY(zelmio::VxElementTypes::TExportType ExportAs READ ExportAs WRITE SetExportAs)
    Q_PROPERTY(zelmio::TVxLabelPrintEvent OnPrint READ OnPrint WRITE SetOnPrint)
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
    Q_PROPERTY(bool FullJustify READ FullJustify WRITE SetFullJustify)
    Q_PROPERTY(int MaxBreakChars READ MaxBreakChars WRITE SetMaxBreakChars)
    Q_CLASSINFO("range:MaxBreakChars", "0 100000")
    // A data source named by older templates; resolved to its record set
    // after loading.
    Q_PROPERTY(QString DataSource READ DataSourceName WRITE SetDataSourceName STORED false)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:AutoStretch", "False")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
    Q_CLASSINFO("default:WordWrap", "True")
public:
    explicit TVxDBText(TComponent *owner = nullptr);

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString &field);
    QString Mask() const { return m_mask; }
    void SetMask(const QString &mask) { m_mask = mask; }
    QString DataSourceName() const { return m_dataSourceName; }
    void SetDataSourceName(const QString &name) { m_dataSourceName = name; }

    // Bound by Prepare.
    TField *Field() const { return m_field; }
    int FieldNo() const { return m_fieldNo; }
    bool FieldOK() const { return m_fieldOK; }
    // The field is a memo or blob: the element prints lines.
    bool IsMemo() const { return m_isMemo; }

    bool GetCaptionBased() const override { return !m_isMemo; }
    void Prepare() override;
    void UnPrepare() override;
    void Print(long double ofsX, long double ofsY) override;
    // Fetches the text of the current record into the element.
    void GetFieldString(QString &dataStr) override;
    void Loaded() override;

    // The text of the current record as the element prints it; empty for a
    // field that cannot be read or formatted.
    QString FieldText();

protected:
    void NameChanged(const QString &oldName, const QString &newName) override;

private:
    TField *CurrentField() const;

    QPointer<TDataSet> m_dataSet;
    QString m_dataField;
    QString m_mask;
    QString m_dataSourceName;
    QPointer<TField> m_field;
    int m_fieldNo = -1;
    bool m_fieldOK = false;
    bool m_isMemo = false;
};

} // namespace zelmio
