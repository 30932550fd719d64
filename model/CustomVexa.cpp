#include "model/CustomVexa.h"

#include "expr/VxEvEnvironment.h"
#include "model/PropertyAccess.h"
#include "model/PropertyFiler.h"
#include "model/VexaBands.h"
#include "model/VxBand.h"
#include "model/VxBandStretch.h"
#include "model/VxChildBand.h"
#include "model/VxCustomController.h"
#include "model/VxDesignScheme.h"
#include "model/VxFont.h"
#include "model/VxPage.h"
#include "model/VxPreviewController.h"
#include "model/VxPrinterSettings.h"
#include "model/VxReferenceDevice.h"
#include "model/VxRunEngine.h"
#include "model/VxUnitBase.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QThread>
#include <atomic>
#include <cmath>
#include <mutex>

namespace zelmio {

namespace {

std::atomic<TDefaultPaperSizeSource> g_paperSizeSource{nullptr};

// The environment is not a persistent class of this library: its two lists
// are stored as its defined properties "Strings" (names) and "DATA"
// (expressions).
void DefineEnvironmentProperties(QObject *object, TPropertyFiler &filer)
{
    auto *environment = qobject_cast<TVxEvEnvironment *>(object);
    if (!environment)
        return;
    filer.DefineProperty(
        QStringLiteral("Strings"),
        [environment](TPropertyReader &reader) { environment->ReadNames(ReadStringList(reader)); },
        [environment](TPropertyWriter &writer) { WriteStringList(writer, environment->Names()); }, true);
    filer.DefineProperty(
        QStringLiteral("DATA"),
        [environment](TPropertyReader &reader) { environment->ReadData(ReadStringList(reader)); },
        [environment](TPropertyWriter &writer) { WriteStringList(writer, environment->DataList()); }, true);
}

void RegisterEnvironmentProperties()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterDefinedProperties(&TVxEvEnvironment::staticMetaObject, &DefineEnvironmentProperties);
    });
}

// Every unit-bearing control below a control, depth first.
void ForEachUnitRecord(const TVxControl *control, const std::function<void(TVxUnitBase *)> &fn)
{
    for (TVxControl *child : control->ControlList()) {
        if (TVxUnitBase *record = child->UnitRecord())
            fn(record);
        ForEachUnitRecord(child, fn);
    }
}

bool FullWidthKind(TVxBandType kind)
{
    switch (kind) {
    case TVxBandType::rbTitle:
    case TVxBandType::rbPageHeader:
    case TVxBandType::rbPageFooter:
    case TVxBandType::rbSummary:
    case TVxBandType::rbOverlay:
        return true;
    case TVxBandType::rbDetail:
    case TVxBandType::rbGroupHeader:
    case TVxBandType::rbGroupFooter:
    case TVxBandType::rbSubDetail:
    case TVxBandType::rbColumnHeader:
    case TVxBandType::rbWild:
    case TVxBandType::rbChild:
        return false;
    }
    return false;
}

} // namespace

void SetDefaultPaperSizeSource(TDefaultPaperSizeSource source)
{
    g_paperSizeSource.store(source);
}

TVxPaperSize DefaultPrinterPaperSizeForReports()
{
    const TDefaultPaperSizeSource source = g_paperSizeSource.load();
    return source ? source() : TVxPaperSize::Default;
}

TCustomVexa::TCustomVexa(TComponent *owner)
    : TVxBasePanel(owner)
{
    RegisterEnvironmentProperties();
    m_controller = std::make_unique<TVxCustomController>(this);
    m_environment = std::make_unique<TVxEvEnvironment>();
    m_environment->AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    m_environment->AddFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    m_environment->AddFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
    m_bands = std::make_unique<TVexaBands>(this);
    m_printerSettings = std::make_unique<TVexaPrinterSettings>(this);
    m_userPrinterSettings = std::make_unique<TVexaPrinterSettings>(this);
    m_page = std::make_unique<TVxPage>(this);

    // The report's font is its own; Japanese systems keep the platform font.
    SetParentFont(false);
    if (QLocale::system().language() == QLocale::Japanese) {
        const QFont platform = QGuiApplication::font();
        Font()->SetName(platform.family());
        if (platform.pointSize() > 0)
            Font()->SetSize(platform.pointSize());
        SetParentFont(false);
    }

    SetColor(clWhite);
    m_page->SetParentSizes();
    m_page->SetPaperSize(DefaultPrinterPaperSizeForReports());
    m_page->SetParentSizes();
}

TCustomVexa::~TCustomVexa()
{
    // A run on a worker thread (a child thread object) ends before the
    // report it runs goes.
    for (QThread *thread : findChildren<QThread *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (thread->isRunning()) {
            Cancel();
            thread->wait();
        }
    }
    Destroying();
    // Bands and elements need their report while they go.
    DestroyChildControls();
    m_bandList.clear();
}

void TCustomVexa::SetController(std::unique_ptr<TVxCustomController> controller)
{
    if (!controller)
        return;
    if (m_controller)
        controller->SetPrintIfEmpty(m_controller->PrintIfEmpty());
    m_controller = std::move(controller);
    RebuildBandList();
}

void TCustomVexa::SetFunctions(TVxEvEnvironment *environment)
{
    if (!environment || environment == m_environment.get())
        return;
    m_environment->ReadNames(environment->Names());
    m_environment->ReadData(environment->DataList());
}

void TCustomVexa::SetBands(TVexaBands *)
{
    // The switches follow the bands themselves.
}

void TCustomVexa::SetPage(TVxPage *page)
{
    if (page)
        m_page->Assign(page);
}

void TCustomVexa::SetPrinterSettings(TVexaPrinterSettings *settings)
{
    if (settings)
        m_printerSettings->Assign(settings);
}

TVxPreviewController *TCustomVexa::PreviewController() const
{
    return qobject_cast<TVxPreviewController *>(m_previewSetup.data());
}

void TCustomVexa::SetPreviewController(TVxPreviewController *controller)
{
    if (controller)
        controller->FreeNotification(this);
    m_previewSetup = controller;
}

void TCustomVexa::SetPreviewPage(const QPicture &page)
{
    m_previewPage = page;
    Invalidate();
}

void TCustomVexa::ClearPreviewPage()
{
    m_previewPage.reset();
}

bool TCustomVexa::PrintIfEmpty() const
{
    return m_controller->PrintIfEmpty();
}

void TCustomVexa::SetPrintIfEmpty(bool value)
{
    m_controller->SetPrintIfEmpty(value);
}

TVxUnit TCustomVexa::GetUnits() const
{
    return m_page->Units();
}

void TCustomVexa::SetUnits(TVxUnit units)
{
    m_page->SetUnits(units);
    ForEachUnitRecord(this, [units](TVxUnitBase *record) { record->SetUnits(units); });
    Invalidate();
}

void TCustomVexa::SetZoom(int zoom)
{
    if (zoom < 1 || zoom > 300)
        return;
    TVxBasePanel::SetZoom(zoom);
    m_page->SetZoom(zoom);
    SetBandValues();
}

void TCustomVexa::Modify()
{
    if (m_modified)
        return;
    m_modified = true;
    ClearPreviewPage();
    Invalidate();
}

void TCustomVexa::SetHideBands(bool hide)
{
    if (hide == m_hideBands)
        return;
    m_hideBands = hide;
    SetBandValues();
}

void TCustomVexa::SetRotateBands(int steps)
{
    if (steps < 0 || steps == m_rotateBands)
        return;
    m_rotateBands = steps;
    RebuildBandList();
    SetBandValues();
}

TVxBand *TCustomVexa::CreateBand(TVxBandType bandType)
{
    TComponent *owner = Owner() ? Owner() : this;
    auto *band = new TVxBand(owner);
    band->SetBandType(bandType);
    const QString stem = band->BandComponentName();
    for (int number = 1;; ++number) {
        const QString name = stem + QString::number(number);
        if (!owner->FindOwnedObject(name)) {
            band->SetName(name);
            break;
        }
    }
    band->SetParent(this);
    band->AfterConstruction();
    return band;
}

void TCustomVexa::AddBand(TVxCustomBand *band)
{
    if (!band || m_bandList.contains(band))
        return;
    m_bandList.append(band);
    RebuildBandList();
    SetBandValues();
}

void TCustomVexa::RemoveBand(TVxCustomBand *band)
{
    if (IsDestroying() || !band)
        return;
    m_bandList.removeAll(band);
    m_bandRegList.removeAll(band);
    RebuildBandList();
    SetBandValues();
}

TVxCustomBand *TCustomVexa::FindBand(TVxBandType bandType) const
{
    for (TVxCustomBand *band : m_bandList) {
        if (band->BandType() == bandType && !band->IsDestroying())
            return band;
    }
    return nullptr;
}

void TCustomVexa::SetControllerBands()
{
}

void TCustomVexa::AddNotifyClient(TVxControl *element)
{
    m_controller->AddNotifyClient(element);
}

void TCustomVexa::RegisterBand(TVxCustomBand *band)
{
    if (!band || band->IsDestroying() || band->ParentReport() != this || m_bandRegList.contains(band))
        return;
    m_bandRegList.append(band);
    for (TVxCustomBand *child = band->GetChild(); child && !child->IsDestroying()
         && !m_bandRegList.contains(child);
         child = child->GetChild())
        m_bandRegList.append(child);
}

void TCustomVexa::RebuildBandList()
{
    if (IsLoading() || IsDestroying() || m_rebuilding)
        return;
    m_rebuilding = true;
    SetControllerBands();
    m_controller->SetParentReport(this);
    m_controller->BuildTree();

    m_bandRegList.clear();
    const QList<TVxCustomBand *> previous = m_bandList;
    auto registerKind = [&](TVxBandType kind) {
        for (TVxCustomBand *band : previous) {
            if (band->BandType() == kind)
                RegisterBand(band);
        }
    };
    registerKind(TVxBandType::rbPageHeader);
    if (FindBand(TVxBandType::rbTitle))
        registerKind(TVxBandType::rbTitle);
    registerKind(TVxBandType::rbColumnHeader);
    m_controller->RegisterBands();
    registerKind(TVxBandType::rbPageFooter);
    for (TVxCustomBand *band : previous)
        RegisterBand(band);

    m_bandList = m_bandRegList;
    m_bandRegList.clear();
    for (int step = 0; step < m_rotateBands && m_bandList.size() > 1; ++step)
        m_bandList.append(m_bandList.takeFirst());
    m_rebuilding = false;
    Invalidate();
}

TCustomVexa::PixelPage TCustomVexa::PagePixels() const
{
    PixelPage p;
    const TVxPage &page = *m_page;
    p.width = Width();
    p.length = Height();
    p.leftMargin = page.ToPixels(page.InternalValue(TVxPage::LeftMarginIndex));
    p.rightMargin = page.ToPixels(page.InternalValue(TVxPage::RightMarginIndex));
    p.topMargin = page.ToPixels(page.InternalValue(TVxPage::TopMarginIndex));
    p.bottomMargin = page.ToPixels(page.InternalValue(TVxPage::BottomMarginIndex));
    p.columnSpace = page.ToPixels(page.InternalValue(TVxPage::ColumnSpaceIndex));
    return p;
}

void TCustomVexa::SetBandValues()
{
    if (IsLoading() || IsDestroying() || m_layingOut || !m_page)
        return;
    m_layingOut = true;
    const PixelPage p = PagePixels();
    const TVxPage &page = *m_page;
    const int printable = p.width
        - page.ToPixels(page.InternalValue(TVxPage::LeftMarginIndex)
                        + page.InternalValue(TVxPage::RightMarginIndex));
    const int columns = qMax(1, page.Columns());
    // In 64 bits: many columns with a wide space overflow 32.
    const qint64 limit = kMaxControlPixels;
    const int columnWidth =
        int(qBound(-limit, (qint64(printable) - qint64(columns - 1) * p.columnSpace) / columns, limit));
    int y = m_hideBands ? p.length : p.topMargin;
    for (TVxCustomBand *band : std::as_const(m_bandList)) {
        if (band->IsDestroying())
            continue;
        // A child band is as wide as the first band up its parent chain that
        // is not a child band.
        TVxBandType kind = band->BandType();
        const TVxCustomBand *ancestor = band;
        for (int guard = 0; kind == TVxBandType::rbChild && guard < 1000; ++guard) {
            const auto *child = qobject_cast<const TVxChildBand *>(ancestor);
            ancestor = child ? child->ParentBand() : nullptr;
            if (!ancestor)
                break;
            kind = ancestor->BandType();
        }
        const int width = FullWidthKind(kind) ? printable : columnWidth;
        band->SetBounds(p.leftMargin, y, width, band->Height());
        if (!m_hideBands)
            y += band->Height();
    }
    m_layingOut = false;
    Invalidate();
}

int TCustomVexa::TextWidth(const TVxFont *font, const QString &text) const
{
    if (!font)
        return 0;
    const double width = ReferenceTextWidth(font->ToQFont(), text);
    if (!std::isfinite(width) || width < 0)
        return 0;
    return int(std::lround(width)) + 1;
}

int TCustomVexa::TextHeight(const TVxFont *font, const QString &) const
{
    if (!font)
        return 0;
    const double height = ReferenceLineHeight(font->ToQFont());
    if (!std::isfinite(height) || height <= 0)
        return 0;
    return int(std::lround(height));
}

void TCustomVexa::SetBounds(int left, int top, int width, int height)
{
    ApplyBounds(left, top, width, height);
    if (m_page && m_page->ParentUpdating())
        SetBandValues();
}

void TCustomVexa::Paint(QPainter &painter)
{
    PaintBackground(painter);
    m_modified = false;
    if (m_previewPage) {
        const QRect source = m_previewPage->boundingRect();
        if (source.width() > 0 && source.height() > 0) {
            painter.save();
            painter.scale(double(Width()) / source.width(), double(Height()) / source.height());
            painter.translate(-source.topLeft());
            m_previewPage->play(&painter);
            painter.restore();
        }
    }
    PaintRuler(painter, true);
    PaintMargins(painter);
    PaintFrame(painter);
    PaintColumns(painter);
}

void TCustomVexa::PaintMargins(QPainter &painter)
{
    const PixelPage p = PagePixels();
    painter.save();
    painter.setPen(DesignScheme().marginPen);
    painter.setBrush(Qt::NoBrush);
    // Right and bottom edges are exclusive, as for every rectangle of the
    // page geometry: the outline lies on the last pixels inside.
    const int right = p.width - p.rightMargin;
    const int bottom = p.length - p.bottomMargin;
    painter.drawRect(QRect(p.leftMargin, p.topMargin, right - p.leftMargin - 1, bottom - p.topMargin - 1));
    painter.restore();
}

void TCustomVexa::PaintFrame(QPainter &painter)
{
    const TVxFrame *frame = Frame();
    if (!frame->AnyFrame())
        return;
    const PixelPage p = PagePixels();
    const int left = p.leftMargin;
    const int top = p.topMargin;
    const int right = p.width - p.rightMargin;
    const int bottom = p.length - p.bottomMargin;
    QPen pen(ColorToQColor(frame->Color()));
    pen.setWidth(0);
    switch (frame->Style()) {
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame:
        pen.setStyle(Qt::SolidLine);
        break;
    case TPenStyle::psDash:
        pen.setStyle(Qt::DashLine);
        break;
    case TPenStyle::psDot:
        pen.setStyle(Qt::DotLine);
        break;
    case TPenStyle::psDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case TPenStyle::psDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case TPenStyle::psClear:
        pen.setStyle(Qt::NoPen);
        break;
    }
    painter.save();
    painter.setPen(pen);
    if (frame->DrawTop())
        painter.drawLine(left, top, right, top);
    if (frame->DrawBottom())
        painter.drawLine(left, bottom, right, bottom);
    if (frame->DrawLeft())
        painter.drawLine(left, top, left, bottom);
    if (frame->DrawRight())
        painter.drawLine(right, top, right, bottom);
    painter.restore();
}

void TCustomVexa::PaintColumns(QPainter &painter)
{
    const int columns = m_page->Columns();
    if (columns <= 1)
        return;
    const PixelPage p = PagePixels();
    const double space = p.columnSpace;
    const double width = std::round(double(p.width - p.leftMargin - p.rightMargin - space * (columns - 1)) / columns);
    painter.save();
    painter.setPen(DesignScheme().marginPen);
    for (int i = 1; i < columns; ++i) {
        const int x1 = int(std::lround(p.leftMargin + width * i + space * (i - 1)));
        const int x2 = int(std::lround(p.leftMargin + (space + width) * i));
        painter.drawLine(x1, 0, x1, p.topMargin);
        painter.drawLine(x2, 0, x2, p.topMargin);
    }
    painter.restore();
}

void TCustomVexa::PrintBand(TVxCustomBand *band)
{
    if (band && m_runState.Engine)
        m_runState.Engine->PrintBand(band);
}

void TCustomVexa::NewPage(bool printHeaders)
{
    if (m_runState.Engine)
        m_runState.Engine->NewPage(printHeaders);
}

void TCustomVexa::NewColumn()
{
    if (m_runState.Engine)
        m_runState.Engine->NewColumn();
}

void TCustomVexa::EndPage()
{
    if (m_runState.Engine)
        m_runState.Engine->EndPage();
}

void TCustomVexa::Cancel()
{
    if (m_runState.Available)
        return;
    m_runState.Cancelled = true;
    if (m_runState.Engine)
        m_runState.Engine->Cancel();
}

int TCustomVexa::AvailableSpace() const
{
    return zelmio::AvailableSpace(*this);
}

void TCustomVexa::ResetPageFooterSize()
{
    long double size = 0;
    for (TVxControl *control : ControlList()) {
        auto *band = qobject_cast<TVxCustomBand *>(control);
        if (!band || band->BandType() != TVxBandType::rbPageFooter || !band->Enabled())
            continue;
        // The footer and its enabled child chain (guarded against a cycle).
        int guard = 0;
        for (TVxCustomBand *link = band; link && guard < 1000; link = link->GetChild(), ++guard) {
            if (link->Enabled())
                size += link->Size()->InternalValue(TVxBandSize::LengthIndex);
        }
    }
    m_runState.PageFooterSize = size;
}

void TCustomVexa::Execute()
{
    if (m_controller)
        m_controller->Execute();
}

void TCustomVexa::Loaded()
{
    TVxBasePanel::Loaded();
    m_page->Loaded();
    RebuildBandList();
    SetBandValues();
}

void TCustomVexa::Notification(TComponent *component, TOperation operation)
{
    TVxBasePanel::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == m_previewSetup)
        m_previewSetup = nullptr;
}

} // namespace zelmio
