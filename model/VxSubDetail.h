#pragma once
// A sub-detail band: prints once per record of its own record set, each time
// its master prints a record, between an optional header and footer band.

#include "model/VxBand.h"
#include "model/VxControllerBand.h"
#include "model/VxSubDetailGroupBands.h"
#include "platform/DataSet.h"

namespace zelmio {

class TVxController;

class TVxSubDetail : public TVxControllerBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::TComponent *Master READ Master WRITE SetMaster)
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(zelmio::TVxBand *HeaderBand READ HeaderBand WRITE SetHeaderBand)
    Q_PROPERTY(zelmio::TVxBand *FooterBand READ FooterBand WRITE SetFooterBand)
    Q_PROPERTY(zelmio::TVxSubDetailGroupBands *Bands READ Bands WRITE SetBands)
    Q_PROPERTY(zelmio::TVxNeedDataEvent OnNeedData READ OnNeedData WRITE SetOnNeedData)
    Q_PROPERTY(bool PrintBefore READ PrintBefore WRITE SetPrintBefore)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
public:
    explicit TVxSubDetail(TComponent *owner = nullptr);
    ~TVxSubDetail() override;

    TVxController *DataController() const;

    TDataSet *DataSet() const;
    void SetDataSet(TDataSet *dataSet);
    // Assigning makes the band a group header or footer band.
    TVxBand *HeaderBand() const { return static_cast<TVxBand *>(m_headerBand.data()); }
    void SetHeaderBand(TVxBand *band);
    TVxBand *FooterBand() const { return static_cast<TVxBand *>(m_footerBand.data()); }
    void SetFooterBand(TVxBand *band);
    TVxSubDetailGroupBands *Bands() const { return m_bands.get(); }
    void SetBands(TVxSubDetailGroupBands *bands);
    TVxNeedDataEvent OnNeedData() const;
    void SetOnNeedData(const TVxNeedDataEvent &hook);

    void AddNotifyClient(TVxControl *element);

    void Notification(TComponent *component, TOperation operation) override;

protected:
    std::unique_ptr<TVxCustomController> CreateController() override;

private:
    void ConnectController();

    QPointer<TVxCustomBand> m_headerBand;
    // Held as the band base class: the reference is compared while the band
    // is part-way through destruction, when it is no longer a TVxBand.
    QPointer<TVxCustomBand> m_footerBand;
    std::unique_ptr<TVxSubDetailGroupBands> m_bands;
};

} // namespace zelmio
