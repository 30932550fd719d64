#include "output/VxPreviewInterface.h"

namespace zelmio {

TVxPreviewInterface::~TVxPreviewInterface() = default;

QObject *TVxPreviewInterface::Show(TVxPrinter *)
{
    return nullptr;
}

QObject *TVxPreviewInterface::ShowModal(TVxPrinter *)
{
    return nullptr;
}

TVxPreviewInterfaceClass &GlobalPreviewInterface()
{
    static TVxPreviewInterfaceClass factory = [] { return std::make_unique<TVxPreviewInterface>(); };
    return factory;
}

TVxProgressFormClass &GlobalProgressForm()
{
    static TVxProgressFormClass factory;
    return factory;
}

} // namespace zelmio
