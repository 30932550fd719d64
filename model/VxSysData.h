#pragma once
// System values: the time, the date, the page number, the report title, the
// record count and the current record number, printed after the prefix Text.

#include "model/VxCustomLabel.h"
#include "model/VxFont.h"

namespace zelmio {

class TVexa;

class TVxSysData : public TVxCustomLabel {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(zelmio::VxElementTypes::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(zelmio::VxElementTypes::TTextLayout VerticalAlignment READ VerticalAlignment WRITE SetVerticalAlignment)
    Q_PROPERTY(zelmio::VxElementTypes::TExportType ExportAs READ ExportAs WRITE SetExportAs)
    Q_PROPERTY(zelmio::TVxLabelPrintEvent OnPrint READ OnPrint WRITE SetOnPrint)
    Q_PROPERTY(zelmio::VxElementTypes::TVxSysDataType Data READ Data WRITE SetData)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
public:
    explicit TVxSysData(TComponent *owner = nullptr);

    TVxSysDataType Data() const { return m_data; }
    void SetData(TVxSysDataType data);
    // The prefix printed before the value.
    QString Text() const { return m_text; }
    void SetText(const QString &text);

    // "Time", "Date", "Date/Time", "Page#", "Report title", "Detail count",
    // "Detail no".
    static QString DataName(TVxSysDataType data);
    // The report's record count (1 without an open record set), read
    // without moving the record set.
    static int RecordCount(const TVexa &report);

    void Print(long double ofsX, long double ofsY) override;

protected:
    void NameChanged(const QString &oldName, const QString &newName) override;

private:
    void UpdateCaption();

    TVxSysDataType m_data = TVxSysDataType::vxsTime;
    QString m_text;
    // Detail count and number print only in a concrete report; elsewhere
    // the text keeps its previous value.
    QString m_lastValue;
};

} // namespace zelmio
