#include "model/VxCustomController.h"

#include "model/CustomVexa.h"
#include "model/VxControllerBand.h"
#include "expr/VxEvEnvironment.h"
#include "model/VxCustomBand.h"
#include "model/VxGroup.h"

namespace zelmio {

TVxCustomController::TVxCustomController(TComponent *orgOwner)
    : TComponent(nullptr)
    , m_orgOwner(orgOwner)
    , m_selfCheck(orgOwner)
{
    m_parentReport = qobject_cast<TCustomVexa *>(orgOwner);
}

TVxCustomController::~TVxCustomController()
{
    Destroying();
}

bool TVxCustomController::SetMaster(TComponent *master)
{
    if (master) {
        if (master == this || master == m_selfCheck)
            return false;
        const bool accepted = qobject_cast<TCustomVexa *>(master) || qobject_cast<TVxCustomController *>(master)
            || qobject_cast<TVxControllerBand *>(master);
        if (!accepted)
            return false;
        master->FreeNotification(this);
    }
    m_master = master;
    return true;
}

QList<TVxCustomController *> TVxCustomController::PrintBeforeList() const
{
    QList<TVxCustomController *> list;
    for (const auto &controller : m_printBeforeList) {
        if (controller)
            list.append(controller);
    }
    return list;
}

QList<TVxCustomController *> TVxCustomController::PrintAfterList() const
{
    QList<TVxCustomController *> list;
    for (const auto &controller : m_printAfterList) {
        if (controller)
            list.append(controller);
    }
    return list;
}

QList<TVxGroup *> TVxCustomController::GroupList() const
{
    QList<TVxGroup *> list;
    for (const auto &group : m_groupList) {
        if (group)
            list.append(group);
    }
    return list;
}

void TVxCustomController::ScanForChildren(const QList<TComponent *> &components)
{
    for (TComponent *component : components) {
        if (component->IsDestroying())
            continue;
        TVxCustomController *sub = nullptr;
        if (auto *band = qobject_cast<TVxControllerBand *>(component))
            sub = band->Controller();
        else
            sub = qobject_cast<TVxCustomController *>(component);
        if (sub && sub != this && sub->Master() && sub->Master() == m_selfCheck) {
            sub->SetParentReport(m_parentReport);
            if (sub->PrintBefore())
                m_printBeforeList.append(sub);
            else
                m_printAfterList.append(sub);
            sub->BuildTree();
            continue;
        }
        if (auto *group = qobject_cast<TVxGroup *>(component)) {
            if (group->Master() && group->Master() == m_selfCheck) {
                group->SetGroupIndex(int(m_groupList.size()));
                group->SetParentReport(m_parentReport);
                m_groupList.append(group);
            }
        }
    }
}

void TVxCustomController::BuildTree()
{
    m_printBeforeList.clear();
    m_printAfterList.clear();
    m_groupList.clear();
    if (m_selfCheck) {
        TComponent *owner = m_selfCheck->Owner();
        if (owner)
            ScanForChildren(owner->ComponentList());
        if (owner != m_selfCheck)
            ScanForChildren(m_selfCheck->ComponentList());
    }
    RegisterDatasets();
}

void TVxCustomController::RegisterControllerList(const QList<QPointer<TVxCustomController>> &list)
{
    for (const auto &controller : list) {
        if (controller)
            controller->RegisterBands();
    }
}

void TVxCustomController::RegisterBand(TVxCustomBand *band)
{
    if (m_parentReport && band)
        m_parentReport->RegisterBand(band);
}

void TVxCustomController::RegisterBands()
{
    RegisterControllerList(m_printBeforeList);
    RegisterControllerList(m_printAfterList);
}

void TVxCustomController::RegisterDatasets()
{
}

void TVxCustomController::Prepare()
{
    m_notifyList.clear();
    for (TVxCustomController *controller : PrintBeforeList())
        controller->Prepare();
    for (TVxCustomController *controller : PrintAfterList())
        controller->Prepare();
    for (TVxGroup *group : GroupList())
        group->Prepare();
    m_evConstant = nullptr;
    if (m_parentReport && m_parentReport->Functions() && m_orgOwner && m_orgOwner != m_parentReport)
        m_evConstant = m_parentReport->Functions()->GetConstant(m_orgOwner->Name());
}

void TVxCustomController::Unprepare()
{
    for (TVxCustomController *controller : PrintBeforeList())
        controller->Unprepare();
    for (TVxCustomController *controller : PrintAfterList())
        controller->Unprepare();
    for (TVxGroup *group : GroupList())
        group->Unprepare();
    m_evConstant = nullptr;
}

void TVxCustomController::Execute()
{
    if (m_printIfEmpty)
        PrintEmptyController();
}

void TVxCustomController::PrintBeforeControllers()
{
    for (const auto &controller : std::as_const(m_printBeforeList)) {
        if (controller)
            controller->Execute();
    }
}

void TVxCustomController::PrintAfterControllers()
{
    for (const auto &controller : std::as_const(m_printAfterList)) {
        if (controller)
            controller->Execute();
    }
}

void TVxCustomController::PrintEmptyController()
{
    PrintBeforeControllers();
    PrintAfterControllers();
}

TVxEvResult TVxCustomController::LocalVarValue() const
{
    return TVxEvResult::Error(QStringLiteral("No local variable"));
}

void TVxCustomController::UpdateLocalVar()
{
    if (m_evConstant)
        TVxEvEnvironment::SetConstant(m_evConstant, LocalVarValue());
}

void TVxCustomController::AddNotifyClient(TVxControl *element)
{
    if (element)
        m_notifyList.append(element);
}

void TVxCustomController::NotifyClients(TVxNotifyOperation operation)
{
    const QList<TVxControl *> clients = NotifyList();
    for (TVxControl *client : clients)
        client->VXNotification(this, operation);
}

QList<TVxControl *> TVxCustomController::NotifyList() const
{
    QList<TVxControl *> list;
    for (const auto &client : m_notifyList) {
        if (client)
            list.append(client);
    }
    return list;
}

void TVxCustomController::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_master)
        m_master = nullptr;
    m_notifyList.removeIf([component](const QPointer<TVxControl> &client) { return client == component; });
}

} // namespace zelmio
