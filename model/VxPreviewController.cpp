#include "model/VxPreviewController.h"

namespace zelmio {

TVxPreviewController::TVxPreviewController(TComponent *owner)
    : TComponent(owner)
{
}

} // namespace zelmio
