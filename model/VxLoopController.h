#pragma once
// Controller of a loop band: prints its band PrintCount times per pass.

#include "model/VxCustomController.h"

namespace zelmio {

class TVxLoopController : public TVxCustomController {
    Q_OBJECT
public:
    explicit TVxLoopController(TComponent *orgOwner);

    int PrintCount() const { return m_printCount; }
    void SetPrintCount(int count) { m_printCount = count; }
    // Current index of the pass (0 when idle).
    int Count() const { return m_count; }
    void SetCount(int count) { m_count = count; }

    TVxCustomBand *DetailBand() const;

    // Its before-controllers, its band, its after-controllers.
    void RegisterBands() override;

    // Per index 0 ... PrintCount - 1: the local variable, the before-controllers, the band, the
    // after-controllers.
    void Execute() override;
    // The current index.
    TVxEvResult LocalVarValue() const override;

private:
    int m_printCount = 0;
    int m_count = 0;
};

} // namespace zelmio
