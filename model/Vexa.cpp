#include "model/Vexa.h"

#include "model/VxController.h"
#include "model/VxCustomBand.h"

#include <exception>

namespace zelmio {

TVexa::TVexa(TComponent *owner)
    : TCustomVexa(owner)
{
    SetController(std::make_unique<TVxController>(this));
}

TVxController *TVexa::DataController() const
{
    return qobject_cast<TVxController *>(Controller());
}

TDataSet *TVexa::DataSet() const
{
    const TVxController *controller = DataController();
    return controller ? controller->DataSet() : nullptr;
}

void TVexa::SetDataSet(TDataSet *dataSet)
{
    if (TVxController *controller = DataController())
        controller->SetDataSet(dataSet);
}

int TVexa::GetRecordNumber() const
{
    const TVxController *controller = DataController();
    return controller ? controller->DetailNumber() : 0;
}

int TVexa::GetRecordCount() const
{
    TDataSet *dataSet = DataSet();
    if (!dataSet)
        return 1;
    try {
        if (!dataSet->Active())
            return 1;
        const int count = dataSet->RecordCount();
        dataSet->First();
        return count;
    } catch (const std::exception &) {
        return 1;
    }
}

void TVexa::SetControllerBands()
{
    TVxController *controller = DataController();
    if (!controller)
        return;
    controller->SetDetail(FindBand(TVxBandType::rbDetail));
    controller->SetHeader(FindBand(TVxBandType::rbTitle));
    controller->SetFooter(FindBand(TVxBandType::rbSummary));
}

void TVexa::Execute()
{
    TVxController *controller = DataController();
    if (!controller)
        return;
    SetControllerBands();
    controller->SetOnNeedData(OnNeedData());
    controller->Execute();
}

} // namespace zelmio
