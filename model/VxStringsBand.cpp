#include "model/VxStringsBand.h"

#include "model/VxStringsController.h"

namespace zelmio {

TVxStringsBand::TVxStringsBand(TComponent *owner)
    : TVxControllerBand(owner)
{
    InstallController(CreateController());
    SetBandType(TVxBandType::rbSubDetail);
}

std::unique_ptr<TVxCustomController> TVxStringsBand::CreateController()
{
    return std::make_unique<TVxStringsController>(this);
}

TVxStringsController *TVxStringsBand::StringsController() const
{
    return qobject_cast<TVxStringsController *>(Controller());
}

QStringList TVxStringsBand::Items() const
{
    const TVxStringsController *controller = StringsController();
    return controller ? controller->Items() : QStringList();
}

void TVxStringsBand::SetItems(const QStringList &items)
{
    if (TVxStringsController *controller = StringsController())
        controller->SetItems(items);
}

QString TVxStringsBand::LocalVarExpression() const
{
    return QStringLiteral("''");
}

} // namespace zelmio
