#pragma once
// The data controller: repeats over the records of a record set (or as long
// as its OnNeedData hook says there is more data), with a header band, the
// detail band and a footer band. The report's controller has the title,
// detail and summary bands; a sub-detail's controller the sub-detail's
// header band, the sub-detail itself and its footer band.

#include "model/Hook.h"
#include "model/VxCustomController.h"

namespace zelmio {

class TDataSet;

class TVxController : public TVxCustomController {
    Q_OBJECT
public:
    explicit TVxController(TComponent *orgOwner);

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet) { m_dataSet = dataSet; }

    TVxCustomBand *Header() const { return m_header; }
    void SetHeader(TVxCustomBand *band) { m_header = band; }
    TVxCustomBand *Detail() const { return m_detail; }
    void SetDetail(TVxCustomBand *band) { m_detail = band; }
    TVxCustomBand *Footer() const { return m_footer; }
    void SetFooter(TVxCustomBand *band) { m_footer = band; }

    TVxNeedDataEvent OnNeedData() const { return m_onNeedData; }
    void SetOnNeedData(const TVxNeedDataEvent &hook) { m_onNeedData = hook; }

    // Records printed so far in the current run.
    int DetailNumber() const { return m_detailNumber; }
    void SetDetailNumber(int number) { m_detailNumber = number; }

    // The record loop: header band, column headers (the report's
    // controller), then per record the headers of the groups that changed,
    // the before-controllers, the detail band, the after-controllers and,
    // when the next record changes a group, its footers (still showing the
    // group's last record); at the end the open groups' footers and the
    // footer band. Without records and with PrintIfEmpty: the empty print.
    void Execute() override;
    // Header band, before-controllers, detail band once, after-controllers,
    // footer band.
    void PrintEmptyController() override;

    // Header, groups, the before-controllers, the detail band, the
    // after-controllers, the group footers innermost first, the footer.
    void RegisterBands() override;
    // Adds its open record set to the report's run list.
    void RegisterDatasets() override;

    void Notification(TComponent *component, TOperation operation) override;

private:
    // True when any group changed; the groups after the first changed one
    // restart without comparison.
    bool CheckGroups();
    void PrintGroupHeaders();
    void PrintGroupFooters();
    void PrintColumnHeaders();
    bool IsReportController() const;

    QPointer<TDataSet> m_dataSet;
    QPointer<TVxCustomBand> m_header;
    QPointer<TVxCustomBand> m_detail;
    QPointer<TVxCustomBand> m_footer;
    TVxNeedDataEvent m_onNeedData;
    int m_detailNumber = 0;
};

} // namespace zelmio
