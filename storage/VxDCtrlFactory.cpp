#include "storage/VxDCtrlFactory.h"

namespace zelmio {

TVxDCtrlFactory::TVxDCtrlFactory(TComponent *owner)
    : TVxCtrlFactory(owner)
{
}

TComponent *TVxDCtrlFactory::CreateBandClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaBand"), owner); }
TComponent *TVxDCtrlFactory::CreateSubdetailClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaSubdetail"), owner); }
TComponent *TVxDCtrlFactory::CreateChildbandClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaChildBand"), owner); }
TComponent *TVxDCtrlFactory::CreateGroupClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaGroup"), owner); }
// The report stays the engine's report in both factories.
TComponent *TVxDCtrlFactory::CreateReportClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVexa"), owner); }
TComponent *TVxDCtrlFactory::CreateSysDataClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaSysdata"), owner); }
TComponent *TVxDCtrlFactory::CreateLabelClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaLabel"), owner); }
TComponent *TVxDCtrlFactory::CreateDBTextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaDBText"), owner); }
TComponent *TVxDCtrlFactory::CreateShapeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaShape"), owner); }
TComponent *TVxDCtrlFactory::CreateExprClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaExpr"), owner); }
TComponent *TVxDCtrlFactory::CreateMemoClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaMemo"), owner); }
TComponent *TVxDCtrlFactory::CreateImageClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaImage"), owner); }
TComponent *TVxDCtrlFactory::CreateDBImageClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaDBImage"), owner); }
TComponent *TVxDCtrlFactory::CreateBarcodeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaBarcode"), owner); }
TComponent *TVxDCtrlFactory::CreateDBBarcodeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaDBBarcode"), owner); }
TComponent *TVxDCtrlFactory::CreateRichtextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaRichtext"), owner); }
TComponent *TVxDCtrlFactory::CreateDBRichtextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TTesmolaDBRichtext"), owner); }

} // namespace zelmio
