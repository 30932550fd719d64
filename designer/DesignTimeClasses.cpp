#include "designer/DesignTimeClasses.h"

#include "designer/DesignVexa.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaBarcode.h"
#include "designer/TesmolaChildBand.h"
#include "designer/TesmolaDBImage.h"
#include "designer/TesmolaDBRichtext.h"
#include "designer/TesmolaDBText.h"
#include "designer/TesmolaExpr.h"
#include "designer/TesmolaGroup.h"
#include "designer/TesmolaImage.h"
#include "designer/TesmolaLabel.h"
#include "designer/TesmolaLoopband.h"
#include "designer/TesmolaMemo.h"
#include "designer/TesmolaRichtext.h"
#include "designer/TesmolaShape.h"
#include "designer/TesmolaStringsband.h"
#include "designer/TesmolaSubdetail.h"
#include "designer/TesmolaSysdata.h"
#include "model/ClassRegistry.h"
#include "storage/RuntimeComponentLoader.h"

#include <mutex>

namespace zelmio {

void RegisterDesignTimeClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStorageClasses();
        RegisterClass<TTesmolaBand>();
        RegisterClass<TTesmolaExpr>();
        RegisterClass<TTesmolaLabel>();
        RegisterClass<TTesmolaSubdetail>();
        RegisterClass<TTesmolaChildBand>();
        RegisterClass<TTesmolaGroup>();
        RegisterClass<TTesmolaLoopband>();
        RegisterClass<TTesmolaStringsband>();
        RegisterClass<TTesmolaRichtext>();
        RegisterClass<TTesmolaDBRichtext>();
        RegisterClass<TTesmolaDBText>();
        RegisterClass<TTesmolaShape>();
        RegisterClass<TTesmolaSysdata>();
        RegisterClass<TTesmolaImage>();
        RegisterClass<TTesmolaDBImage>();
        RegisterClass<TTesmolaMemo>();
        RegisterClass<TTesmolaBarcode>();
        RegisterClass<TTesmolaDBBarcode>();
        RegisterClass<TDesignVexa>();
    });
}

} // namespace zelmio
