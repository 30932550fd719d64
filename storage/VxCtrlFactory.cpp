#include "storage/VxCtrlFactory.h"

#include "platform/VxError.h"
#include "model/ClassRegistry.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxControl.h"
#include "storage/UniqueComponentName.h"

#include <algorithm>

namespace zelmio {

namespace {

// The created object as a control; anything else is freed and refused. The
// class name is read before the object goes, for the message.
TVxControl *AsControl(TComponent *component)
{
    if (auto *control = qobject_cast<TVxControl *>(component))
        return control;
    const QString className = ClassNameOf(component);
    delete component;
    throw EVxError(QStringLiteral("%1 is not a control").arg(className));
}

} // namespace

TVxCtrlFactory::TVxCtrlFactory(TComponent *owner)
    : TComponent(owner)
{
}

TComponent *TVxCtrlFactory::CreateByClassName(const QString &className, TComponent *owner)
{
    TComponent *component = CreateComponentByClassName(className, owner);
    if (!component)
        throw EVxError(QStringLiteral("Class %1 is not registered").arg(className));
    return component;
}

TComponent *TVxCtrlFactory::CreateBandClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxBand"), owner); }
TComponent *TVxCtrlFactory::CreateSubdetailClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxSubDetail"), owner); }
TComponent *TVxCtrlFactory::CreateChildbandClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxChildBand"), owner); }
TComponent *TVxCtrlFactory::CreateGroupClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxGroup"), owner); }
TComponent *TVxCtrlFactory::CreateReportClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVexa"), owner); }
TComponent *TVxCtrlFactory::CreateSysDataClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxSysData"), owner); }
TComponent *TVxCtrlFactory::CreateLabelClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxLabel"), owner); }
TComponent *TVxCtrlFactory::CreateDBTextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxDBText"), owner); }
TComponent *TVxCtrlFactory::CreateShapeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxShape"), owner); }
TComponent *TVxCtrlFactory::CreateExprClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxExpr"), owner); }
TComponent *TVxCtrlFactory::CreateMemoClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxMemo"), owner); }
TComponent *TVxCtrlFactory::CreateImageClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxImage"), owner); }
TComponent *TVxCtrlFactory::CreateDBImageClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxDBImage"), owner); }
TComponent *TVxCtrlFactory::CreateRichtextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxRichText"), owner); }
TComponent *TVxCtrlFactory::CreateDBRichtextClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxDBRichText"), owner); }

TVxControl *TVxCtrlFactory::CreateElement(ClassCreator create, TVxControl *parent, const QString &baseName, int left,
                                          int top)
{
    if (!parent)
        throw EVxError(QStringLiteral("An element needs a parent"));
    TComponent *owner = parent->Owner();
    TComponent *component = (this->*create)(owner);
    TVxControl *element = AsControl(component);
    element->SetParent(parent);
    if (!baseName.isEmpty())
        element->SetName(FindUniqueComponentName(owner, baseName, false));
    element->SetTop(top);
    element->SetLeft(left);
    return element;
}

TVxControl *TVxCtrlFactory::CreateSysdata(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateSysDataClass, parent, QStringLiteral("Sysdata"), left, top);
    element->SetWidth(60);
    element->SetHeight(20);
    return element;
}

TVxControl *TVxCtrlFactory::CreateLabel(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateLabelClass, parent, QStringLiteral("Reportlabel"), left, top);
    SetStringProperty(element, QStringLiteral("Caption"), QStringLiteral("ReportLabel"));
    return element;
}

TVxControl *TVxCtrlFactory::CreateExpr(TVxControl *parent, int left, int top)
{
    return CreateElement(&TVxCtrlFactory::CreateExprClass, parent, QStringLiteral("Expression"), left, top);
}

TVxControl *TVxCtrlFactory::CreateDBText(TVxControl *parent, int left, int top)
{
    return CreateElement(&TVxCtrlFactory::CreateDBTextClass, parent, QStringLiteral("DBText"), left, top);
}

TVxControl *TVxCtrlFactory::CreateShape(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateShapeClass, parent, QString(), left, top);
    element->SetHeight(std::min(element->Height(), parent->Height() - top));
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("Shape"), false));
    return element;
}

TVxControl *TVxCtrlFactory::CreateMemo(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateMemoClass, parent, QString(), left, top);
    SetBooleanProperty(element, QStringLiteral("AutoSize"), false);
    element->SetWidth(150);
    element->SetHeight(60);
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("Memo"), false));
    element->SetHeight(std::min(40, parent->Height() - top));
    SetBooleanProperty(element, QStringLiteral("TabStop"), false);
    return element;
}

TVxControl *TVxCtrlFactory::CreateImage(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateImageClass, parent, QString(), left, top);
    element->SetWidth(60);
    element->SetHeight(60);
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("Image"), false));
    return element;
}

TComponent *TVxCtrlFactory::CreateBarcodeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxBarcode"), owner); }
TComponent *TVxCtrlFactory::CreateDBBarcodeClass(TComponent *owner) { return CreateByClassName(QStringLiteral("TVxDBBarcode"), owner); }

TVxControl *TVxCtrlFactory::CreateBarcode(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateBarcodeClass, parent, QString(), left, top);
    element->SetWidth(150);
    element->SetHeight(std::max(20, std::min(60, parent->Height() - top)));
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("Barcode"), false));
    // A value that shows bars at once; the author types the real one.
    SetStringProperty(element, QStringLiteral("Value"), QStringLiteral("590123412345"));
    return element;
}

TVxControl *TVxCtrlFactory::CreateDBBarcode(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateDBBarcodeClass, parent, QString(), left, top);
    element->SetWidth(150);
    element->SetHeight(std::max(20, std::min(60, parent->Height() - top)));
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("DBBarcode"), false));
    return element;
}

TVxControl *TVxCtrlFactory::CreateDBImage(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateDBImageClass, parent, QString(), left, top);
    element->SetWidth(60);
    element->SetHeight(60);
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("DBImage"), false));
    return element;
}

TVxControl *TVxCtrlFactory::CreateDBRichtext(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateDBRichtextClass, parent, QString(), left, top);
    element->SetHeight(std::min(50, parent->Height() - top));
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("DBRichtext"), false));
    return element;
}

TVxControl *TVxCtrlFactory::CreateRichtext(TVxControl *parent, int left, int top)
{
    TVxControl *element = CreateElement(&TVxCtrlFactory::CreateRichtextClass, parent, QString(), left, top);
    element->SetName(FindUniqueComponentName(element->Owner(), QStringLiteral("Richtext"), false));
    return element;
}

TVxControl *TVxCtrlFactory::CreateBandOf(ClassCreator create, TCustomVexa *report)
{
    if (!report)
        throw EVxError(QStringLiteral("A band needs a report"));
    TComponent *owner = report->Owner() ? report->Owner() : report;
    TComponent *component = (this->*create)(owner);
    TVxControl *band = AsControl(component);
    band->SetParent(report);
    return band;
}

TVxControl *TVxCtrlFactory::CreateBand(TCustomVexa *report, TVxBandType bandType, int height)
{
    TVxControl *band = CreateBandOf(&TVxCtrlFactory::CreateBandClass, report);
    SetIntegerProperty(band, QStringLiteral("BandType"), qint64(bandType));
    band->SetName(FindUniqueComponentName(band->Owner(), QStringLiteral("Band"), false));
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVxCtrlFactory::CreateSubdetail(TCustomVexa *report, int height)
{
    TVxControl *band = CreateBandOf(&TVxCtrlFactory::CreateSubdetailClass, report);
    band->SetName(FindUniqueComponentName(band->Owner(), QStringLiteral("Band"), false));
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVxCtrlFactory::CreateGroup(TCustomVexa *report, int height)
{
    TVxControl *band = CreateBandOf(&TVxCtrlFactory::CreateGroupClass, report);
    band->SetName(FindUniqueComponentName(band->Owner(), QStringLiteral("Band"), false));
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVxCtrlFactory::CreateChildband(TCustomVexa *report, int height)
{
    TVxControl *band = CreateBandOf(&TVxCtrlFactory::CreateChildbandClass, report);
    band->SetName(FindUniqueComponentName(band->Owner(), QStringLiteral("Band"), false));
    if (height != -1)
        band->SetHeight(height);
    return band;
}

TVxControl *TVxCtrlFactory::CreateReport(TVxControl *parent)
{
    TComponent *owner = parent ? parent->Owner() : nullptr;
    TComponent *component = CreateReportClass(owner);
    TVxControl *report = AsControl(component);
    if (parent)
        report->SetParent(parent);
    return report;
}

} // namespace zelmio
