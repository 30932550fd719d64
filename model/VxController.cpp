#include "model/VxController.h"

#include "model/CustomVexa.h"
#include "model/VxGroup.h"
#include "model/Vexa.h"
#include "model/VxCustomBand.h"
#include "model/VxRunEngine.h"
#include "platform/DataSet.h"

namespace zelmio {

TVxController::TVxController(TComponent *orgOwner)
    : TVxCustomController(orgOwner)
{
}

bool TVxController::IsReportController() const
{
    const TCustomVexa *report = ParentReport();
    return report && report->Controller() == this;
}

void TVxController::PrintEmptyController()
{
    TCustomVexa *report = ParentReport();
    if (!report)
        return;
    if (m_header)
        report->PrintBand(m_header);
    PrintBeforeControllers();
    if (m_detail)
        report->PrintBand(m_detail);
    PrintAfterControllers();
    if (m_footer)
        report->PrintBand(m_footer);
}

bool TVxController::CheckGroups()
{
    bool changed = false;
    for (const auto &group : std::as_const(m_groupList)) {
        if (!group)
            continue;
        if (changed)
            group->Restart();
        else
            changed = group->Check();
    }
    return changed;
}

void TVxController::PrintGroupHeaders()
{
    TCustomVexa *report = ParentReport();
    for (const auto &group : std::as_const(m_groupList)) {
        if (!group || !group->Reprint())
            continue;
        if (!group->PrintedInHeader())
            report->PrintBand(group);
        group->SetPrintedInHeader(false);
        group->SetInGroup(true);
    }
}

void TVxController::PrintGroupFooters()
{
    TCustomVexa *report = ParentReport();
    for (auto it = m_groupList.crbegin(); it != m_groupList.crend(); ++it) {
        TVxGroup *group = *it;
        if (!group || !group->Reprint())
            continue;
        if (TVxCustomBand *footer = group->FooterBand())
            report->PrintBand(footer);
        group->SetInGroup(false);
        group->SetPrintedInHeader(false);
    }
}

void TVxController::PrintColumnHeaders()
{
    TCustomVexa *report = ParentReport();
    for (TVxCustomBand *band : std::as_const(m_colHeaders)) {
        const TVxBandType kind = band->BandType();
        band->SetBandType(TVxBandType::rbColumnHeader);
        report->PrintBand(band);
        band->SetBandType(kind);
        band->SetPrintedInHeader(true);
    }
}

void TVxController::Execute()
{
    TCustomVexa *report = ParentReport();
    TVxRunEngine *engine = report ? report->RunState().Engine : nullptr;
    if (!engine)
        return;
    const bool reportController = IsReportController();

    // 1. Groups open afresh; the bands repeated at the top of each page.
    m_colHeaders.clear();
    if (TVxCustomBand *columnHeader = report->FindBand(TVxBandType::rbColumnHeader);
        columnHeader && columnHeader->Enabled())
        m_colHeaders.append(columnHeader);
    for (const auto &group : std::as_const(m_groupList)) {
        if (!group)
            continue;
        group->SetHasResult(false);
        if (group->ReprintOnNewPage())
            m_colHeaders.append(group);
    }

    // 2. Nothing to walk.
    const bool hasDataSet = m_dataSet && m_dataSet->Active();
    if (!hasDataSet && !m_onNeedData.Assigned()) {
        if (PrintIfEmpty())
            PrintEmptyController();
        return;
    }

    // 3. The first record.
    bool moreData = true;
    int count = 1;
    if (hasDataSet) {
        if (reportController) {
            if (auto *vexa = qobject_cast<TVexa *>(report))
                count = vexa->GetRecordCount();
        }
        m_dataSet->First();
        moreData = !m_dataSet->Eof();
        if (!moreData && PrintIfEmpty())
            PrintEmptyController();
    } else {
        m_onNeedData(SelfCheck(), moreData);
    }

    // 4.
    m_detailNumber = 0;
    if (m_detail)
        m_detail->SetNotifyController(this);

    // 5.
    if (!moreData)
        return;
    engine->ProcessMessages();
    if (engine->Cancelled())
        return;

    // 6., 7.
    if (m_header)
        report->PrintBand(m_header);
    if (reportController && engine->PrinterPageNumber() < 2)
        PrintColumnHeaders();

    // 8.
    CheckGroups();
    report->SetUserCancel(false);

    // 9. The records.
    while (moreData) {
        engine->ProcessMessages();
        if (engine->Cancelled())
            return;
        engine->SetRecordNumber(m_detailNumber);
        ++m_detailNumber;
        PrintGroupHeaders();
        PrintBeforeControllers();
        if (m_detail)
            report->PrintBand(m_detail);
        PrintAfterControllers();
        if (hasDataSet) {
            m_dataSet->Next();
            moreData = !m_dataSet->Eof();
        } else {
            moreData = false;
            m_onNeedData(SelfCheck(), moreData);
        }
        // Groups are checked on the next record (at the end of data on the
        // last one again, where nothing changes); their footers print on the
        // last record of the ending group.
        if (CheckGroups()) {
            if (hasDataSet) {
                m_dataSet->Prior();
                PrintGroupFooters();
                m_dataSet->Next();
            } else {
                PrintGroupFooters();
            }
        }
        if (reportController && hasDataSet && count > 0)
            engine->SetProgress(int(qint64(m_detailNumber) * 100 / count));
        moreData = moreData && !report->UserCancel();
        if (report->PagesInPreview() > 0 && engine->PrinterPageNumber() > report->PagesInPreview())
            moreData = false;
    }

    // 10. The groups still open end.
    for (const auto &group : std::as_const(m_groupList)) {
        if (group)
            group->SetReprint(!group->Reprint());
    }
    PrintGroupFooters();
    if (reportController)
        engine->SetProgress(100);

    // 11. The footer band.
    if (m_footer) {
        if (report->RunState().Pagecount == 0)
            report->NewPage(true);
        if (m_footer->Size()->InternalValue(TVxBandSize::LengthIndex) > report->AvailableSpace())
            report->NewColumn();
        report->PrintBand(m_footer);
    }
}

void TVxController::RegisterBands()
{
    RegisterBand(m_header);
    const QList<TVxGroup *> groups = GroupList();
    for (TVxGroup *group : groups)
        RegisterBand(group);
    RegisterControllerList(m_printBeforeList);
    RegisterBand(m_detail);
    RegisterControllerList(m_printAfterList);
    for (auto it = groups.crbegin(); it != groups.crend(); ++it) {
        if (TVxCustomBand *footer = (*it)->FooterBand())
            RegisterBand(footer);
    }
    RegisterBand(m_footer);
}

void TVxController::RegisterDatasets()
{
    TCustomVexa *report = ParentReport();
    if (!report || !m_dataSet || !m_dataSet->Active())
        return;
    TVxDataSetList &list = report->RunState().AllDataSets;
    if (!list.contains(m_dataSet.data()))
        list.append(m_dataSet.data());
}

void TVxController::Notification(TComponent *component, TOperation operation)
{
    TVxCustomController::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_header)
        m_header = nullptr;
    if (component == m_detail)
        m_detail = nullptr;
    if (component == m_footer)
        m_footer = nullptr;
}

} // namespace zelmio
