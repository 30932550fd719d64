#pragma once
// A loop band prints PrintCount times per pass of its master; its name is a
// report variable holding the current loop index.

#include "model/VxControllerBand.h"

namespace zelmio {

class TVxLoopController;

class TVxLoopBand : public TVxControllerBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::TComponent *Master READ Master WRITE SetMaster)
    Q_PROPERTY(int PrintCount READ PrintCount WRITE SetPrintCount)
    Q_PROPERTY(bool PrintBefore READ PrintBefore WRITE SetPrintBefore)
public:
    explicit TVxLoopBand(TComponent *owner = nullptr);

    TVxLoopController *LoopController() const;
    int PrintCount() const;
    void SetPrintCount(int count);

    QString BandTypeName() const override { return QStringLiteral("LoopBand"); }
    QString BandComponentName() const override { return QStringLiteral("Loop Band"); }

protected:
    std::unique_ptr<TVxCustomController> CreateController() override;
    // The current loop count as decimal text.
    QString LocalVarExpression() const override;
};

} // namespace zelmio
