#include "model/VxSubDetail.h"

#include "model/VxBand.h"
#include "model/VxController.h"

namespace zelmio {

TVxSubDetail::TVxSubDetail(TComponent *owner)
    : TVxControllerBand(owner)
    , m_bands(std::make_unique<TVxSubDetailGroupBands>(this))
{
    InstallController(CreateController());
    SetBandType(TVxBandType::rbSubDetail);
    ConnectController();
}

TVxSubDetail::~TVxSubDetail()
{
    Destroying();
}

std::unique_ptr<TVxCustomController> TVxSubDetail::CreateController()
{
    return std::make_unique<TVxController>(this);
}

TVxController *TVxSubDetail::DataController() const
{
    return qobject_cast<TVxController *>(Controller());
}

void TVxSubDetail::ConnectController()
{
    if (TVxController *controller = DataController()) {
        controller->SetHeader(HeaderBand());
        controller->SetDetail(this);
        controller->SetFooter(FooterBand());
    }
}

TDataSet *TVxSubDetail::DataSet() const
{
    const TVxController *controller = DataController();
    return controller ? controller->DataSet() : nullptr;
}

void TVxSubDetail::SetDataSet(TDataSet *dataSet)
{
    if (TVxController *controller = DataController())
        controller->SetDataSet(dataSet);
}

void TVxSubDetail::SetHeaderBand(TVxBand *band)
{
    if (band == m_headerBand || static_cast<TVxCustomBand *>(band) == this)
        return;
    if (band) {
        band->FreeNotification(this);
        band->SetBandType(TVxBandType::rbGroupHeader);
    }
    m_headerBand = band;
    ConnectController();
    ReportBandsChanged();
}

void TVxSubDetail::SetFooterBand(TVxBand *band)
{
    if (band == m_footerBand || static_cast<TVxCustomBand *>(band) == this)
        return;
    if (band) {
        band->FreeNotification(this);
        band->SetBandType(TVxBandType::rbGroupFooter);
    }
    m_footerBand = band;
    ConnectController();
    ReportBandsChanged();
}

void TVxSubDetail::SetBands(TVxSubDetailGroupBands *)
{
    // The switches follow the header and footer bands themselves.
}

TVxNeedDataEvent TVxSubDetail::OnNeedData() const
{
    const TVxController *controller = DataController();
    return controller ? controller->OnNeedData() : TVxNeedDataEvent();
}

void TVxSubDetail::SetOnNeedData(const TVxNeedDataEvent &hook)
{
    if (TVxController *controller = DataController())
        controller->SetOnNeedData(hook);
}

void TVxSubDetail::AddNotifyClient(TVxControl *element)
{
    if (TVxCustomController *controller = Controller())
        controller->AddNotifyClient(element);
}

void TVxSubDetail::Notification(TComponent *component, TOperation operation)
{
    TVxControllerBand::Notification(component, operation);
    if (operation != TOperation::opRemove || !component)
        return;
    if (component == m_headerBand) {
        m_headerBand = nullptr;
        ConnectController();
    }
    if (component == m_footerBand) {
        m_footerBand = nullptr;
        ConnectController();
    }
}

} // namespace zelmio
