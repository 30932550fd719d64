#pragma once
// Controllers walk one source of repetitions and print the bands that belong
// to it: the report's controller walks the report's record set, each
// sub-detail, loop band and strings band owns one that runs once per
// repetition of its master. This is the model's part of them: the tree of
// sub-controllers and groups (BuildTree) and the band registration of the
// report's print order (RegisterBands), and the repetitions themselves
// (Execute), which print their bands through the report's run engine.

#include "expr/VxEvResult.h"
#include "model/Component.h"
#include "model/VxTypes.h"

#include <QList>
#include <QPointer>

namespace zelmio {

class TCustomVexa;
class TVxControl;
class TVxCustomBand;
class TVxEvElement;
class TVxGroup;

class TVxCustomController : public TComponent {
    Q_OBJECT
public:
    // orgOwner: the report or the controller band that created it; it is
    // also the identity (SelfCheck) other objects name as their master.
    explicit TVxCustomController(TComponent *orgOwner);
    ~TVxCustomController() override;

    TComponent *OrgOwner() const { return m_orgOwner; }
    TComponent *SelfCheck() const { return m_selfCheck; }
    TCustomVexa *ParentReport() const { return m_parentReport; }
    void SetParentReport(TCustomVexa *report) { m_parentReport = report; }

    // The report, controller or controller band this controller repeats
    // under; other objects and the controller itself are refused.
    TComponent *Master() const { return m_master; }
    bool SetMaster(TComponent *master);

    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool value) { m_printIfEmpty = value; }
    bool PrintBefore() const { return m_printBefore; }
    virtual void SetPrintBefore(bool value) { m_printBefore = value; }

    QList<TVxCustomController *> PrintBeforeList() const;
    QList<TVxCustomController *> PrintAfterList() const;
    QList<TVxGroup *> GroupList() const;

    // Rebuilds the sub-controllers and groups below this controller from the
    // components owned by SelfCheck's owner and by SelfCheck itself.
    virtual void BuildTree();
    // Appends this controller's bands to the report's print order.
    virtual void RegisterBands();
    // Adds the record sets of this controller to the report's run list.
    virtual void RegisterDatasets();

    // --- One run -------------------------------------------------------
    // Clears the notify list, prepares the sub-controllers and the groups,
    // and looks up the local variable named after OrgOwner.
    virtual void Prepare();
    virtual void Unprepare();
    // Runs the repetitions. The base prints its before- and
    // after-controllers once when PrintIfEmpty.
    virtual void Execute();
    void PrintBeforeControllers();
    void PrintAfterControllers();
    // What prints when there is nothing to repeat: before-controllers, then
    // after-controllers.
    virtual void PrintEmptyController();
    // The value of the local variable (the loop index, the current line);
    // an error value for the base.
    virtual TVxEvResult LocalVarValue() const;
    // Stores LocalVarValue in the local variable, if there is one.
    void UpdateLocalVar();
    // The bands repeated at the top of every page and column: the column
    // header band, then the groups with ReprintOnNewPage (built by Execute).
    const QList<TVxCustomBand *> &ColHeaders() const { return m_colHeaders; }

    // Elements told when a record of this controller has been printed.
    void AddNotifyClient(TVxControl *element);
    void NotifyClients(TVxNotifyOperation operation);
    QList<TVxControl *> NotifyList() const;
    void ClearNotifyList() { m_notifyList.clear(); }

    void Notification(TComponent *component, TOperation operation) override;

protected:
    void RegisterControllerList(const QList<QPointer<TVxCustomController>> &list);
    void RegisterBand(TVxCustomBand *band);

    QList<QPointer<TVxCustomController>> m_printBeforeList;
    QList<QPointer<TVxCustomController>> m_printAfterList;
    QList<QPointer<TVxGroup>> m_groupList;
    QList<TVxCustomBand *> m_colHeaders;

private:
    void ScanForChildren(const QList<TComponent *> &components);

    TComponent *m_orgOwner;
    TComponent *m_selfCheck;
    QPointer<TComponent> m_master;
    TCustomVexa *m_parentReport = nullptr;
    bool m_printIfEmpty = true;
    bool m_printBefore = false;
    QList<QPointer<TVxControl>> m_notifyList;
    TVxEvElement *m_evConstant = nullptr;
};

} // namespace zelmio
