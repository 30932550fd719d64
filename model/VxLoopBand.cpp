#include "model/VxLoopBand.h"

#include "model/VxLoopController.h"

namespace zelmio {

TVxLoopBand::TVxLoopBand(TComponent *owner)
    : TVxControllerBand(owner)
{
    InstallController(CreateController());
    SetBandType(TVxBandType::rbSubDetail);
}

std::unique_ptr<TVxCustomController> TVxLoopBand::CreateController()
{
    return std::make_unique<TVxLoopController>(this);
}

TVxLoopController *TVxLoopBand::LoopController() const
{
    return qobject_cast<TVxLoopController *>(Controller());
}

int TVxLoopBand::PrintCount() const
{
    const TVxLoopController *controller = LoopController();
    return controller ? controller->PrintCount() : 0;
}

void TVxLoopBand::SetPrintCount(int count)
{
    if (TVxLoopController *controller = LoopController())
        controller->SetPrintCount(count);
}

QString TVxLoopBand::LocalVarExpression() const
{
    const TVxLoopController *controller = LoopController();
    return QString::number(controller ? controller->Count() : 0);
}

} // namespace zelmio
