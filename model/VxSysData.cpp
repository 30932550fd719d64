#include "model/VxSysData.h"

#include "model/Vexa.h"
#include "platform/Formats.h"

namespace zelmio {

TVxSysData::TVxSysData(TComponent *owner)
    : TVxCustomLabel(owner)
{
    UpdateCaption();
}

QString TVxSysData::DataName(TVxSysDataType data)
{
    switch (data) {
    case TVxSysDataType::vxsTime:
        return QStringLiteral("Time");
    case TVxSysDataType::vxsDate:
        return QStringLiteral("Date");
    case TVxSysDataType::vxsDateTime:
        return QStringLiteral("Date/Time");
    case TVxSysDataType::vxsPageNumber:
        return QStringLiteral("Page#");
    case TVxSysDataType::vxsReportTitle:
        return QStringLiteral("Report title");
    case TVxSysDataType::vxsDetailCount:
        return QStringLiteral("Detail count");
    case TVxSysDataType::vxsDetailNo:
        return QStringLiteral("Detail no");
    }
    return QString();
}

void TVxSysData::SetData(TVxSysDataType data)
{
    m_data = data;
    UpdateCaption();
}

void TVxSysData::SetText(const QString &text)
{
    m_text = text;
    UpdateCaption();
}

void TVxSysData::UpdateCaption()
{
    SetCaption(m_text + QStringLiteral("(") + DataName(m_data) + QStringLiteral(")"));
}

void TVxSysData::NameChanged(const QString &, const QString &)
{
    FormatLines();
}

int TVxSysData::RecordCount(const TVexa &report)
{
    // The report's own count moves the cursor to the first record, which
    // must not happen while the record loop prints a band.
    TDataSet *dataSet = report.DataSet();
    try {
        return dataSet && dataSet->Active() ? dataSet->RecordCount() : 1;
    } catch (const std::exception &) {
        return 1;
    }
}

void TVxSysData::Print(long double ofsX, long double ofsY)
{
    if (!IsEnabled())
        return;
    if (!IsPrinting())
        Prepare();
    TCustomVexa *report = ParentReport();
    QString value = m_lastValue;
    switch (m_data) {
    case TVxSysDataType::vxsTime:
        value = FormatDateTime(QStringLiteral("t"), Now());
        break;
    case TVxSysDataType::vxsDate:
        value = FormatDateTime(QStringLiteral("c"), Date());
        break;
    case TVxSysDataType::vxsDateTime:
        value = FormatDateTime(QStringLiteral("c"), Now());
        break;
    case TVxSysDataType::vxsPageNumber:
        value = report ? QString::number(report->RunState().Pagecount) : QString();
        break;
    case TVxSysDataType::vxsReportTitle:
        value = report ? report->ReportTitle() : QString();
        break;
    case TVxSysDataType::vxsDetailCount:
        if (auto *vexa = qobject_cast<TVexa *>(report))
            value = QString::number(RecordCount(*vexa));
        break;
    case TVxSysDataType::vxsDetailNo:
        if (auto *vexa = qobject_cast<TVexa *>(report))
            value = QString::number(vexa->GetRecordNumber());
        break;
    }
    m_lastValue = value;
    SetPrintCaption(m_text + value);
    TVxCustomLabel::Print(ofsX, ofsY);
}

} // namespace zelmio
