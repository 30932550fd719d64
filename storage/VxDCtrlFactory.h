#pragma once
// The designer's element factory: the same operations as TVxCtrlFactory,
// creating the design-time classes (TTesmolaBand, TTesmolaLabel, ...). It
// creates them by name through the class registry, since the design-time
// classes live in the designer library, which builds on this one.

#include "storage/VxCtrlFactory.h"

namespace zelmio {

class TVxDCtrlFactory : public TVxCtrlFactory {
    Q_OBJECT
public:
    explicit TVxDCtrlFactory(TComponent *owner = nullptr);

    TComponent *CreateBandClass(TComponent *owner) override;
    TComponent *CreateSubdetailClass(TComponent *owner) override;
    TComponent *CreateChildbandClass(TComponent *owner) override;
    TComponent *CreateGroupClass(TComponent *owner) override;
    TComponent *CreateReportClass(TComponent *owner) override;
    TComponent *CreateSysDataClass(TComponent *owner) override;
    TComponent *CreateLabelClass(TComponent *owner) override;
    TComponent *CreateDBTextClass(TComponent *owner) override;
    TComponent *CreateShapeClass(TComponent *owner) override;
    TComponent *CreateExprClass(TComponent *owner) override;
    TComponent *CreateMemoClass(TComponent *owner) override;
    TComponent *CreateImageClass(TComponent *owner) override;
    TComponent *CreateDBImageClass(TComponent *owner) override;
    TComponent *CreateBarcodeClass(TComponent *owner) override;
    TComponent *CreateDBBarcodeClass(TComponent *owner) override;
    TComponent *CreateRichtextClass(TComponent *owner) override;
    TComponent *CreateDBRichtextClass(TComponent *owner) override;
};

} // namespace zelmio
