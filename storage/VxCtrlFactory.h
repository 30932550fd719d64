#pragma once
// Creates report objects by kind: bands, the report and elements, placed on
// their parent, owned by the parent's owner (the window that holds the
// report) and named uniquely among that owner's components. The classes are
// chosen by the Create...Class operations, by name through the class
// registry; TVxDCtrlFactory chooses the design-time classes.
//
// Sizes and positions are pixels of the design surface at the report's zoom.

#include "model/Component.h"
#include "model/VxTypes.h"

namespace zelmio {

class TCustomVexa;
class TVxControl;

class TVxCtrlFactory : public TComponent {
    Q_OBJECT
public:
    explicit TVxCtrlFactory(TComponent *owner = nullptr);

    // New objects of each kind's class with that owner; EVxError when the
    // class is not registered.
    virtual TComponent *CreateBandClass(TComponent *owner);
    virtual TComponent *CreateSubdetailClass(TComponent *owner);
    virtual TComponent *CreateChildbandClass(TComponent *owner);
    virtual TComponent *CreateGroupClass(TComponent *owner);
    virtual TComponent *CreateReportClass(TComponent *owner);
    virtual TComponent *CreateSysDataClass(TComponent *owner);
    virtual TComponent *CreateLabelClass(TComponent *owner);
    virtual TComponent *CreateDBTextClass(TComponent *owner);
    virtual TComponent *CreateShapeClass(TComponent *owner);
    virtual TComponent *CreateExprClass(TComponent *owner);
    virtual TComponent *CreateMemoClass(TComponent *owner);
    virtual TComponent *CreateImageClass(TComponent *owner);
    virtual TComponent *CreateDBImageClass(TComponent *owner);
    virtual TComponent *CreateRichtextClass(TComponent *owner);
    virtual TComponent *CreateDBRichtextClass(TComponent *owner);
    virtual TComponent *CreateBarcodeClass(TComponent *owner);
    virtual TComponent *CreateDBBarcodeClass(TComponent *owner);

    virtual TVxControl *CreateShape(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateLabel(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateExpr(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateDBText(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateMemo(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateImage(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateDBImage(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateRichtext(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateDBRichtext(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateSysdata(TVxControl *parent, int left, int top);
    // A fixed EAN-13 barcode with a sample value, and one bound to a field.
    virtual TVxControl *CreateBarcode(TVxControl *parent, int left, int top);
    virtual TVxControl *CreateDBBarcode(TVxControl *parent, int left, int top);

    // Height -1 keeps the class's own height.
    virtual TVxControl *CreateBand(TCustomVexa *report, TVxBandType bandType, int height);
    virtual TVxControl *CreateSubdetail(TCustomVexa *report, int height);
    virtual TVxControl *CreateGroup(TCustomVexa *report, int height);
    virtual TVxControl *CreateChildband(TCustomVexa *report, int height);
    virtual TVxControl *CreateReport(TVxControl *parent);

protected:
    // A new object of a registered class; EVxError when there is none.
    static TComponent *CreateByClassName(const QString &className, TComponent *owner);

private:
    using ClassCreator = TComponent *(TVxCtrlFactory::*)(TComponent *);
    TVxControl *CreateElement(ClassCreator create, TVxControl *parent, const QString &baseName, int left, int top);
    TVxControl *CreateBandOf(ClassCreator create, TCustomVexa *report);
};

} // namespace zelmio
