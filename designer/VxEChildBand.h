#pragma once
// The child band of the label-capable report: it counts its prints on the
// current page (PagePrints, read by the PAGEPRINTS function) and publishes
// its own BeforePrint hook, which its print rule calls with the result so far.
// Named "RowSpace" it is the row spacer of a label sheet: it prints after
// every label except the last of each column.

#include "model/VxChildBand.h"

namespace zelmio {

class TVxEChildBand : public TVxChildBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVxBandBeforePrintEvent BeforePrint READ OwnBeforePrint WRITE SetOwnBeforePrint)
    Q_PROPERTY(int PagePrints READ PagePrints WRITE SetPagePrints)
    Q_CLASSINFO("default:PagePrints", "0")
public:
    explicit TVxEChildBand(TComponent *owner = nullptr);

    TVxBandBeforePrintEvent OwnBeforePrint() const { return m_ownBeforePrint; }
    void SetOwnBeforePrint(const TVxBandBeforePrintEvent &hook) { m_ownBeforePrint = hook; }
    int PagePrints() const { return m_pagePrints; }
    void SetPagePrints(int value) { m_pagePrints = value; }

    // The print decision of the band: the own hook with the result so far.
    virtual void BandBeforePrint(TVxCustomBand *sender, bool &printBand);

private:
    TVxBandBeforePrintEvent m_ownBeforePrint;
    int m_pagePrints = 0;
    int m_page = 0;
};

} // namespace zelmio
