#include "model/VxStringsController.h"

#include "model/CustomVexa.h"
#include "model/VxCustomBand.h"
#include "model/VxRunEngine.h"

namespace zelmio {

TVxStringsController::TVxStringsController(TComponent *orgOwner)
    : TVxCustomController(orgOwner)
{
}

TVxCustomBand *TVxStringsController::DetailBand() const
{
    return qobject_cast<TVxCustomBand *>(OrgOwner());
}

void TVxStringsController::RegisterBands()
{
    RegisterControllerList(m_printBeforeList);
    RegisterBand(DetailBand());
    RegisterControllerList(m_printAfterList);
}

void TVxStringsController::Execute()
{
    TCustomVexa *report = ParentReport();
    TVxRunEngine *engine = report ? report->RunState().Engine : nullptr;
    if (!engine)
        return;
    TVxCustomBand *band = DetailBand();
    const int count = int(m_items.size());
    for (int index = 0; index < count; ++index) {
        if (engine->Cancelled())
            break;
        m_index = index;
        UpdateLocalVar();
        PrintBeforeControllers();
        if (band)
            report->PrintBand(band);
        engine->SetProgress(int(qint64(index) * 100 / count));
        engine->ProcessMessages();
        PrintAfterControllers();
    }
    engine->SetProgress(100);
    m_index = -1;
}

TVxEvResult TVxStringsController::LocalVarValue() const
{
    if (m_index < 0 || m_index >= m_items.size())
        return TVxEvResult::String(QString());
    return TVxEvResult::String(m_items.at(m_index));
}

} // namespace zelmio
