#pragma once
// A band: a horizontal strip of the page that holds printable elements. Its
// kind decides when the engine prints it. A band always sits on the report;
// joining a report adds it to the report's band list, leaving removes it.

#include "model/Hook.h"
#include "model/VxBandSize.h"
#include "model/VxBasePanel.h"
#include "model/VxCustomController.h"
#include "model/VxFont.h"

#include <QPointer>
#include <QRect>
#include <memory>

namespace zelmio {

class TCustomVexa;
class TVxCustomBand;

// (Sender: band; var PrintBand): may veto printing.
using TVxBandBeforePrintEvent = THook<void(TVxCustomBand *sender, bool &printBand)>;
// (Sender: band; BandPrinted): told whether the band printed.
using TVxBandAfterPrintEvent = THook<void(TVxCustomBand *sender, bool bandPrinted)>;

// Display name ("Detail") and component-name stem ("DetailBand") of a kind.
QString BandKindDisplayName(TVxBandType bandType);
QString BandKindNameStem(TVxBandType bandType);

class TVxCustomBand : public TVxBasePanel {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ForceNewPage READ ForceNewPage WRITE SetForceNewPage)
    Q_PROPERTY(bool ForceNewColumn READ ForceNewColumn WRITE SetForceNewColumn)
    Q_PROPERTY(bool AlignToBottom READ AlignToBottom WRITE SetAlignToBottom)
    Q_PROPERTY(bool KeepOnOnePage READ KeepOnOnePage WRITE SetKeepOnOnePage)
    Q_PROPERTY(bool PreCaluculateBandHeight READ PreCaluculateBandHeight WRITE SetPreCaluculateBandHeight)
    Q_PROPERTY(bool TransparentBand READ TransparentBand WRITE SetTransparentBand)
    Q_PROPERTY(zelmio::TVxCustomBand *LinkBand READ LinkBand WRITE SetLinkBand)
    Q_PROPERTY(zelmio::TVxBandSize *Size READ Size WRITE SetSize)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(zelmio::TVxBandBeforePrintEvent BeforePrint READ BeforePrint WRITE SetBeforePrint)
    Q_PROPERTY(zelmio::TVxBandAfterPrintEvent AfterPrint READ AfterPrint WRITE SetAfterPrint)
    Q_PROPERTY(bool HasChild READ HasChild WRITE SetHasChild STORED false)
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("stored:Color", "IsColorStored")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
public:
    static constexpr int kInitialHeight = 40;

    explicit TVxCustomBand(TComponent *owner = nullptr);
    ~TVxCustomBand() override;

    TCustomVexa *RulerReport() const override { return m_parentReport; }
    TVxUnitBase *UnitRecord() const override { return m_size.get(); }

    TVxBandType BandType() const { return m_bandType; }
    // Stores the kind and rebuilds the print order and the layout (not
    // while the report generates: the engine switches kinds while printing).
    virtual void SetBandType(TVxBandType bandType);

    // Kind name shown on the design surface and the name stem of new bands.
    virtual QString BandTypeName() const;
    virtual QString BandComponentName() const;

    bool ForceNewPage() const { return m_forceNewPage; }
    void SetForceNewPage(bool value) { m_forceNewPage = value; }
    bool ForceNewColumn() const { return m_forceNewColumn; }
    void SetForceNewColumn(bool value) { m_forceNewColumn = value; }
    bool AlignToBottom() const { return m_alignToBottom; }
    void SetAlignToBottom(bool value) { m_alignToBottom = value; }
    bool KeepOnOnePage() const { return m_keepOnOnePage; }
    void SetKeepOnOnePage(bool value) { m_keepOnOnePage = value; }
    bool PreCaluculateBandHeight() const { return m_preCalculateBandHeight; }
    void SetPreCaluculateBandHeight(bool value) { m_preCalculateBandHeight = value; }
    bool TransparentBand() const { return m_transparentBand; }
    void SetTransparentBand(bool value);

    // The band that must fit on the same page as this one. A value whose
    // link chain leads back to this band is refused.
    TVxCustomBand *LinkBand() const { return m_linkBand; }
    void SetLinkBand(TVxCustomBand *band);

    TVxBandSize *Size() const { return m_size.get(); }
    void SetSize(TVxBandSize *size);

    // "Color" is written when it differs from the parent's.
    Q_INVOKABLE bool IsColorStored() const;

    TVxBandBeforePrintEvent BeforePrint() const { return m_beforePrint; }
    void SetBeforePrint(const TVxBandBeforePrintEvent &hook) { m_beforePrint = hook; }
    TVxBandAfterPrintEvent AfterPrint() const { return m_afterPrint; }
    void SetAfterPrint(const TVxBandAfterPrintEvent &hook) { m_afterPrint = hook; }

    // The first band of the report's list of kind rbChild whose parent band
    // is this band.
    TVxCustomBand *GetChild() const;
    bool HasChild() const { return GetChild() != nullptr; }
    // true: creates an unnamed child band (once); false: frees the child,
    // first attaching a grandchild to this band.
    void SetHasChild(bool value);

    TCustomVexa *ParentReport() const { return m_parentReport; }
    virtual void SetParentReport(TCustomVexa *report);

    // Creates an element of a registered class, owned by the band's owner,
    // places it on the band 10 pixels right of the rightmost element whose
    // right edge lies beyond pixel 1 (at pixel 1 on an empty band). nullptr
    // for a class that is not registered or is no control.
    TVxControl *AddPrintable(const QString &className);

    // Run-time state of the engine.
    TVxCustomController *NotifyController() const { return m_notifyController; }
    void SetNotifyController(TVxCustomController *controller) { m_notifyController = controller; }
    long double Expanded() const { return m_expanded; }
    void SetExpanded(long double value) { m_expanded = value; }
    QRect BandFrameRect() const { return m_bandFrameRect; }
    void SetBandFrameRect(const QRect &rect) { m_bandFrameRect = rect; }
    bool PrintedInHeader() const { return m_printedInHeader; }
    void SetPrintedInHeader(bool value) { m_printedInHeader = value; }
    bool SuppressBeforePrint() const { return m_suppressBeforePrint; }
    void SetSuppressBeforePrint(bool value) { m_suppressBeforePrint = value; }
    int LoadedHeight() const { return m_loadedHeight; }

    // Always on the report: a band as parent means that band's parent.
    void SetParent(TVxControl *parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetZoom(int zoom) override;
    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;
    void Paint(QPainter &painter) override;

protected:
    // Leaves the report's band list; safe to call more than once (the
    // destructors of descendants call it before their own teardown).
    void DetachFromReport();
    // Tells every element on the band that the band's size changed.
    void NotifyElementsOfResize();
    // Rebuilds the report's print order and layout, unless loading.
    void ReportBandsChanged();

private:
    void JoinReport(TCustomVexa *report);

    TVxBandType m_bandType = TVxBandType::rbTitle;
    bool m_forceNewPage = false;
    bool m_forceNewColumn = false;
    bool m_alignToBottom = false;
    bool m_keepOnOnePage = false;
    bool m_preCalculateBandHeight = false;
    bool m_transparentBand = false;
    QPointer<TVxCustomBand> m_linkBand;
    std::unique_ptr<TVxBandSize> m_size;
    TVxBandBeforePrintEvent m_beforePrint;
    TVxBandAfterPrintEvent m_afterPrint;
    TCustomVexa *m_parentReport = nullptr;
    QPointer<TVxCustomController> m_notifyController;
    long double m_expanded = 0;
    QRect m_bandFrameRect;
    bool m_printedInHeader = false;
    bool m_suppressBeforePrint = false;
    int m_loadedHeight = kInitialHeight;
};

} // namespace zelmio
