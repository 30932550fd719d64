#include "designer/ZelmioStartup.h"

#include "designer/DesignTimeClasses.h"
#include "designer/ExtendedFunctions.h"
#include "expr/VxFunctionLibrary.h"
#include "model/CustomVexa.h"
#include "output/PrinterSettings.h"

namespace zelmio {

void StartZelmioCore()
{
    RegisterDesignTimeClasses();
    SetDefaultPaperSizeSource(&DefaultPrinterPaperSize);
    VxFunctionLibrary();
    RegisterExtendedFunctions();
}

} // namespace zelmio
