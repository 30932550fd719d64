#include "output/VxPrintDialog.h"

namespace zelmio {

TVxPrintDialogClass &GlobalPrintDialog()
{
    static TVxPrintDialogClass dialog;
    return dialog;
}

} // namespace zelmio
