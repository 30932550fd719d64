#include "model/VxCustomBand.h"

#include "model/ClassRegistry.h"
#include "model/CustomVexa.h"
#include "model/VxChildBand.h"
#include "model/VxDesignScheme.h"
#include "model/VxReferenceDevice.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

QString BandKindDisplayName(TVxBandType bandType)
{
    switch (bandType) {
    case TVxBandType::rbTitle: return QStringLiteral("Title");
    case TVxBandType::rbPageHeader: return QStringLiteral("Page Header");
    case TVxBandType::rbDetail: return QStringLiteral("Detail");
    case TVxBandType::rbPageFooter: return QStringLiteral("Page Footer");
    case TVxBandType::rbSummary: return QStringLiteral("Summary");
    case TVxBandType::rbGroupHeader: return QStringLiteral("Group Header");
    case TVxBandType::rbGroupFooter: return QStringLiteral("Group Footer");
    case TVxBandType::rbSubDetail: return QStringLiteral("Sub Detail");
    case TVxBandType::rbColumnHeader: return QStringLiteral("Column Header");
    case TVxBandType::rbOverlay: return QStringLiteral("Overlay");
    case TVxBandType::rbWild: return QStringLiteral("Wild");
    case TVxBandType::rbChild: return QStringLiteral("Child");
    }
    return QString();
}

QString BandKindNameStem(TVxBandType bandType)
{
    switch (bandType) {
    case TVxBandType::rbTitle: return QStringLiteral("TitleBand");
    case TVxBandType::rbPageHeader: return QStringLiteral("PageHeaderBand");
    case TVxBandType::rbDetail: return QStringLiteral("DetailBand");
    case TVxBandType::rbPageFooter: return QStringLiteral("PageFooterBand");
    case TVxBandType::rbSummary: return QStringLiteral("SummaryBand");
    case TVxBandType::rbGroupHeader: return QStringLiteral("GroupHeaderBand");
    case TVxBandType::rbGroupFooter: return QStringLiteral("GroupFooterBand");
    case TVxBandType::rbSubDetail: return QStringLiteral("SubDetailBand");
    case TVxBandType::rbColumnHeader: return QStringLiteral("ColumnHeaderBand");
    case TVxBandType::rbOverlay: return QStringLiteral("OverlayBand");
    case TVxBandType::rbWild: return QStringLiteral("WildBand");
    case TVxBandType::rbChild: return QStringLiteral("ChildBand");
    }
    return QString();
}

TVxCustomBand::TVxCustomBand(TComponent *owner)
    : TVxBasePanel(owner)
    , m_size(std::make_unique<TVxBandSize>(this))
{
    SetColor(clWhite);
    // A new band is 40 pixels high; its size record says the same.
    ApplyBounds(0, 0, m_size->ToPixels(m_size->InternalValue(TVxBandSize::WidthIndex)), kInitialHeight);
    m_size->SetInternalValue(TVxBandSize::LengthIndex, m_size->FromPixels(kInitialHeight));
}

TVxCustomBand::~TVxCustomBand()
{
    Destroying();
    DestroyChildControls();
    DetachFromReport();
}

void TVxCustomBand::SetBandType(TVxBandType bandType)
{
    if (bandType == m_bandType)
        return;
    m_bandType = bandType;
    if (!m_parentReport || m_parentReport->RunState().Available)
        ReportBandsChanged();
    Invalidate();
}

QString TVxCustomBand::BandTypeName() const
{
    return BandKindDisplayName(m_bandType);
}

QString TVxCustomBand::BandComponentName() const
{
    return BandKindNameStem(m_bandType);
}

void TVxCustomBand::SetTransparentBand(bool value)
{
    m_transparentBand = value;
    Invalidate();
}

void TVxCustomBand::SetLinkBand(TVxCustomBand *band)
{
    for (TVxCustomBand *link = band; link; link = link->LinkBand()) {
        if (link == this)
            return;
    }
    if (band)
        band->FreeNotification(this);
    m_linkBand = band;
}

void TVxCustomBand::SetSize(TVxBandSize *size)
{
    if (size)
        m_size->Assign(size);
}

bool TVxCustomBand::IsColorStored() const
{
    const TVxControl *parent = Parent();
    return parent ? Color() != parent->Color() : Color() != clWhite;
}

TVxCustomBand *TVxCustomBand::GetChild() const
{
    if (!m_parentReport)
        return nullptr;
    for (TVxCustomBand *band : m_parentReport->BandList()) {
        if (band->BandType() != TVxBandType::rbChild || band->IsDestroying())
            continue;
        const auto *child = qobject_cast<const TVxChildBand *>(band);
        if (child && child->ParentBand() == this)
            return band;
    }
    return nullptr;
}

void TVxCustomBand::SetHasChild(bool value)
{
    if (IsLoading())
        return;
    TVxCustomBand *existing = GetChild();
    if (value) {
        if (existing || !m_parentReport)
            return;
        auto *child = new TVxChildBand(Owner());
        child->SetParent(Parent());
        child->SetParentBand(this);
        child->AfterConstruction();
        return;
    }
    if (!existing)
        return;
    if (auto *grandchild = qobject_cast<TVxChildBand *>(existing->GetChild()))
        grandchild->SetParentBand(this);
    delete existing;
}

TVxControl *TVxCustomBand::AddPrintable(const QString &className)
{
    TComponent *created = CreateComponentByClassName(className, Owner() ? Owner() : this);
    auto *element = qobject_cast<TVxControl *>(created);
    if (!element) {
        delete created;
        return nullptr;
    }
    int left = 1;
    bool found = false;
    int rightmost = 0;
    for (const TVxControl *existing : ControlList()) {
        const int right = existing->Left() + existing->Width();
        if (right > 1 && (!found || right > rightmost)) {
            rightmost = right;
            found = true;
        }
    }
    if (found)
        left = rightmost + 10;
    element->SetParent(this);
    element->SetLeft(left);
    return element;
}

void TVxCustomBand::SetParentReport(TCustomVexa *report)
{
    m_parentReport = report;
}

void TVxCustomBand::SetParent(TVxControl *parent)
{
    if (auto *band = qobject_cast<TVxCustomBand *>(parent))
        parent = band->Parent();
    if (parent == Parent())
        return;
    auto *newReport = qobject_cast<TCustomVexa *>(parent);
    if (m_parentReport && m_parentReport != newReport)
        DetachFromReport();
    TVxBasePanel::SetParent(parent);
    if (newReport && Parent() == newReport && newReport != m_parentReport)
        JoinReport(newReport);
}

void TVxCustomBand::JoinReport(TCustomVexa *report)
{
    SetParentReport(report);
    report->AddBand(this);
    m_size->SetParentReport(report);
    m_size->SetUnits(report->GetUnits());
    SetZoom(report->Zoom());
}

void TVxCustomBand::DetachFromReport()
{
    TCustomVexa *report = m_parentReport;
    if (!report)
        return;
    SetParentReport(nullptr);
    m_parentReport = nullptr;
    m_size->SetParentReport(nullptr);
    report->RemoveBand(this);
}

void TVxCustomBand::ReportBandsChanged()
{
    if (!m_parentReport || IsLoading())
        return;
    m_parentReport->RebuildBandList();
    m_parentReport->SetBandValues();
}

void TVxCustomBand::NotifyElementsOfResize()
{
    const QList<TVxControl *> elements = ControlList();
    for (TVxControl *element : elements)
        element->VXNotification(this, TVxNotifyOperation::vxBandSizeChange);
}

void TVxCustomBand::SetBounds(int left, int top, int width, int height)
{
    if (IsLoading()) {
        if (height != kInitialHeight)
            m_loadedHeight = height;
        ApplyBounds(left, top, width, height);
        return;
    }
    const bool heightChanged = height != Height();
    const bool resized = heightChanged || width != Width();
    ApplyBounds(left, top, width, height);
    if (m_size->ParentUpdating()) {
        if (resized) {
            if (m_parentReport)
                m_parentReport->SetBandValues();
            NotifyElementsOfResize();
        }
        return;
    }
    // Moved or resized by the user or by the report's layout: the pixel
    // size becomes the band's size.
    if (resized) {
        m_size->SetInternalValue(TVxBandSize::LengthIndex, m_size->FromPixels(Height()));
        m_size->SetInternalValue(TVxBandSize::WidthIndex, m_size->FromPixels(Width()));
        NotifyElementsOfResize();
    }
    if (!m_parentReport || m_parentReport->IsLayingOut())
        return;
    if (heightChanged)
        m_parentReport->SetBandValues();
    m_parentReport->Modify();
}

void TVxCustomBand::SetZoom(int zoom)
{
    if (zoom == 0)
        return;
    TVxBasePanel::SetZoom(zoom);
    m_size->SetZoom(zoom);
}

void TVxCustomBand::Loaded()
{
    TVxBasePanel::Loaded();
    m_size->Loaded();
    if (m_loadedHeight != kInitialHeight && Height() == kInitialHeight) {
        ApplyBounds(Left(), Top(), Width(), m_loadedHeight);
        m_size->SetInternalValue(TVxBandSize::LengthIndex, m_size->FromPixels(m_loadedHeight));
    }
    if (m_parentReport && !m_parentReport->IsLoading()) {
        m_parentReport->RebuildBandList();
        m_parentReport->SetBandValues();
    }
}

void TVxCustomBand::Notification(TComponent *component, TOperation operation)
{
    TVxBasePanel::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == m_linkBand)
        m_linkBand = nullptr;
}

void TVxCustomBand::Paint(QPainter &painter)
{
    PaintBackground(painter);
    PaintRuler(painter, false);
    const TVxDesignScheme &scheme = DesignScheme();
    const int width = Width();
    const int height = Height();
    painter.save();
    painter.setPen(scheme.bandOutlinePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, width - 1, height - 1));
    const double factor = kScreenPixelsPerInch / 254.0;
    Frame()->PaintIt(painter, QRect(1, 1, width - 2, height - 2), factor, factor);
    painter.setFont(scheme.rulerFont);
    painter.setPen(scheme.rulerLabelColor);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int textHeight = int(std::lround(ReferenceLineHeight(scheme.rulerFont)));
    painter.drawText(QRect(2, height - textHeight - 4, qMax(0, width - 4), textHeight + 4),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, BandTypeName());
    painter.restore();
}

} // namespace zelmio
