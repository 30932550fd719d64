#pragma once
// A child band prints right before or after its parent band (or both). A
// band has at most one child; a child may have a child of its own, forming
// a chain.

#include "model/VxCustomBand.h"

namespace zelmio {

class TVxChildBand : public TVxCustomBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVxCustomBand *ParentBand READ ParentBand WRITE SetParentBand)
    Q_PROPERTY(zelmio::VxTypes::TVxChildPrintOrder PrintOrder READ PrintOrder WRITE SetPrintOrder)
public:
    explicit TVxChildBand(TComponent *owner = nullptr);

    TVxCustomBand *ParentBand() const { return m_parentBand; }
    // Takes effect only while the band is on a report; a band whose parent
    // chain leads back to this band is refused.
    void SetParentBand(TVxCustomBand *band);
    TVxChildPrintOrder PrintOrder() const { return m_printOrder; }
    void SetPrintOrder(TVxChildPrintOrder order) { m_printOrder = order; }

    void Notification(TComponent *component, TOperation operation) override;

private:
    QPointer<TVxCustomBand> m_parentBand;
    TVxChildPrintOrder m_printOrder = TVxChildPrintOrder::cboAfterParent;
};

} // namespace zelmio
