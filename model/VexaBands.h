#pragma once
// Band-presence switches of a report: each reads true when the report has a
// band of its kind (the first such band of the print order) and creates or
// frees that band when set. The switches are not written: bands are written
// as the report's children.

#include "model/Persistent.h"
#include "model/VxCustomBand.h"
#include "model/VxTypes.h"

namespace zelmio {

class TCustomVexa;

class TVexaBands : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(bool HasTitle READ HasTitle WRITE SetHasTitle STORED false)
    Q_PROPERTY(bool HasPageHeader READ HasPageHeader WRITE SetHasPageHeader STORED false)
    Q_PROPERTY(bool HasColumnHeader READ HasColumnHeader WRITE SetHasColumnHeader STORED false)
    Q_PROPERTY(bool HasDetail READ HasDetail WRITE SetHasDetail STORED false)
    Q_PROPERTY(bool HasPageFooter READ HasPageFooter WRITE SetHasPageFooter STORED false)
    Q_PROPERTY(bool HasSummary READ HasSummary WRITE SetHasSummary STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *TitleBand READ TitleBand STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *PageHeaderBand READ PageHeaderBand STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *ColumnHeaderBand READ ColumnHeaderBand STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *DetailBand READ DetailBand STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *PageFooterBand READ PageFooterBand STORED false)
    Q_PROPERTY(zelmio::TVxCustomBand *SummaryBand READ SummaryBand STORED false)
public:
    explicit TVexaBands(TCustomVexa *report = nullptr);

    TPersistent *GetOwner() const override;
    // The switches are derived from the report's bands: nothing to copy.
    void Assign(const TPersistent *source) override;

    bool HasTitle() const { return Band(TVxBandType::rbTitle); }
    void SetHasTitle(bool value) { SetHas(TVxBandType::rbTitle, value); }
    bool HasPageHeader() const { return Band(TVxBandType::rbPageHeader); }
    void SetHasPageHeader(bool value) { SetHas(TVxBandType::rbPageHeader, value); }
    bool HasColumnHeader() const { return Band(TVxBandType::rbColumnHeader); }
    void SetHasColumnHeader(bool value) { SetHas(TVxBandType::rbColumnHeader, value); }
    bool HasDetail() const { return Band(TVxBandType::rbDetail); }
    void SetHasDetail(bool value) { SetHas(TVxBandType::rbDetail, value); }
    bool HasPageFooter() const { return Band(TVxBandType::rbPageFooter); }
    void SetHasPageFooter(bool value) { SetHas(TVxBandType::rbPageFooter, value); }
    bool HasSummary() const { return Band(TVxBandType::rbSummary); }
    void SetHasSummary(bool value) { SetHas(TVxBandType::rbSummary, value); }

    TVxCustomBand *TitleBand() const { return Band(TVxBandType::rbTitle); }
    TVxCustomBand *PageHeaderBand() const { return Band(TVxBandType::rbPageHeader); }
    TVxCustomBand *ColumnHeaderBand() const { return Band(TVxBandType::rbColumnHeader); }
    TVxCustomBand *DetailBand() const { return Band(TVxBandType::rbDetail); }
    TVxCustomBand *PageFooterBand() const { return Band(TVxBandType::rbPageFooter); }
    TVxCustomBand *SummaryBand() const { return Band(TVxBandType::rbSummary); }

    TVxCustomBand *Band(TVxBandType bandType) const;
    void SetHas(TVxBandType bandType, bool value);

private:
    TCustomVexa *m_report;
};

} // namespace zelmio
