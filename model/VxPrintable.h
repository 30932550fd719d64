#pragma once
// The common base of the printable elements: rectangles placed on a band (or
// directly on the report) that put something on the page. An element keeps
// its geometry in the internal unit in its size record; its pixel bounds
// (design-surface pixels) follow from it. It may keep itself at the band's
// left edge, right edge or centre (AlignToBand), and prints between Prepare
// and UnPrepare onto the page canvas of the report's printer, or describes
// its output to the export filter of an export run.

#include "model/VxControl.h"
#include "model/VxElementTypes.h"
#include "model/VxFrame.h"
#include "model/VxPrintableSize.h"

#include <QPointer>
#include <QRect>
#include <memory>

namespace zelmio {

class TCustomVexa;
class TVxCustomBand;
class TVxExportTarget;
class TVxPageCanvas;

class TVxPrintable : public TVxControl {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(zelmio::TVxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(zelmio::TVxPrintableSize *Size READ Size WRITE SetSize)
    Q_PROPERTY(int XLColumn READ XLColumn WRITE SetXLColumn)
    Q_PROPERTY(zelmio::VxElementTypes::TXLNumFormat XLNumFormat READ XLNumFormat WRITE SetXLNumFormat)
    Q_PROPERTY(bool ActiveInPreview READ ActiveInPreview WRITE SetActiveInPreview)
    Q_CLASSINFO("default:Enabled", "True")
public:
    explicit TVxPrintable(TComponent *owner = nullptr);
    ~TVxPrintable() override;

    // True when the element is enabled, and also when it is hidden.
    virtual bool IsEnabled() const;
    // The designer's property editor for the class; none by default.
    virtual QString GetEditorClass() const { return QString(); }
    // With AlignToBand: left alignment puts the element at x = 0, right
    // alignment at the band's right edge, centre in the band's middle (the
    // last two only on a band).
    virtual void AlignIt();
    // Between Prepare and UnPrepare the element prints with the report's printer.
    virtual void Prepare();
    // Prints at the band's position (internal units); elements placed on the
    // report print with offset 0.
    virtual void Print(long double ofsX, long double ofsY);
    void VXNotification(TComponent *sender, TVxNotifyOperation operation) override;
    virtual void SetAlignment(TAlignment value);
    virtual void UnPrepare();
    // The height in pixels the element needs for its content; unchanged by
    // default.
    virtual void GetExpandedHeight(int &newHeight);
    // The element's current text taken from its data; nothing by default.
    virtual void GetFieldString(QString &dataStr);

    TAlignment Alignment() const { return m_alignment; }
    bool AlignToBand() const { return m_alignToBand; }
    void SetAlignToBand(bool value);

    TVxFrame *Frame() const { return m_frame.get(); }
    void SetFrame(TVxFrame *frame);
    TVxPrintableSize *Size() const { return m_size.get(); }
    void SetSize(TVxPrintableSize *size);
    TVxUnitBase *UnitRecord() const override { return m_size.get(); }

    int XLColumn() const { return m_xlColumn; }
    void SetXLColumn(int value) { m_xlColumn = value; }
    TXLNumFormat XLNumFormat() const { return m_xlNumFormat; }
    void SetXLNumFormat(TXLNumFormat value) { m_xlNumFormat = value; }
    // Kept for the templates; it has no effect on output.
    bool ActiveInPreview() const { return m_activeInPreview; }
    void SetActiveInPreview(bool value) { m_activeInPreview = value; }
    TExportType ExportAs() const { return m_exportAs; }
    void SetExportAs(TExportType value) { m_exportAs = value; }

    TCustomVexa *ParentReport() const;
    // The band the element sits on, if any.
    TVxCustomBand *ParentBand() const;
    TVxPageCanvas *VXPrinter() const { return m_printer; }
    bool IsPrinting() const { return m_isPrinting; }
    // False while the element still has content for the next column or page.
    bool PrintFinished() const { return m_printFinished; }
    void SetPrintFinished(bool value) { m_printFinished = value; }
    // The extra height the element was granted by its band in its last print.
    long double Expanded() const { return m_expanded; }

    int Zoom() const;
    void SetZoom(int zoom) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TVxControl *parent) override;
    void Loaded() override;
    void Paint(QPainter &painter) override;

    // Pixel bounds remembered while loading, applied by Loaded.
    int LoadedLeft() const { return m_loadedLeft; }
    int LoadedTop() const { return m_loadedTop; }
    int LoadedWidth() const { return m_loadedWidth; }
    int LoadedHeight() const { return m_loadedHeight; }

    // Whether the element draws no background of its own (the frame's
    // export then hands no filled rectangle).
    virtual bool IsTransparent() const { return true; }

protected:
    // Geometry in internal units, from the size record.
    long double InternalLeft() const;
    long double InternalTop() const;
    long double InternalWidth() const;
    long double InternalHeight() const;
    // The device rectangle of an internal rectangle.
    QRect DeviceRect(long double left, long double top, long double width, long double height) const;

    bool IsFinalPass() const;
    bool IsExporting() const;
    TVxExportTarget *ExportFilter() const;
    // The page canvas, when there is one to draw on.
    QPainter *PageCanvas() const;

    // Paints the frame around a device rectangle on the final pass, and
    // hands it to the export filter when exporting.
    void PaintFrame(const QRect &deviceRect);
    // Hands the filter a temporary shape over a device rectangle: filled
    // with a colour without outline, or outlined without fill.
    void ExportFilledRect(const QRect &deviceRect, TColor color);

    // Design view: the common part (white fill unless transparent, corner
    // marks, frame) and the corner marks alone.
    void PaintCommon(QPainter &painter, bool transparent);
    void PaintCorners(QPainter &painter) const;
    // Factor from tenths of a millimetre to design pixels at the zoom.
    double DesignFactor() const;

    // After the parent, the zoom or the alignment changed.
    virtual void LayoutChanged() {}

    void SetExpanded(long double value) { m_expanded = value; }

private:
    void ExportFrame(const QRect &deviceRect);

    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_alignToBand = false;
    std::unique_ptr<TVxFrame> m_frame;
    std::unique_ptr<TVxPrintableSize> m_size;
    QPointer<TCustomVexa> m_parentReport;
    TVxPageCanvas *m_printer = nullptr;
    bool m_isPrinting = false;
    bool m_printFinished = true;
    TExportType m_exportAs = TExportType::exptText;
    int m_xlColumn = 0;
    TXLNumFormat m_xlNumFormat = TXLNumFormat::nfGeneral;
    bool m_activeInPreview = false;
    int m_loadedLeft = 0;
    int m_loadedTop = 0;
    int m_loadedWidth = 0;
    int m_loadedHeight = 0;
    bool m_aligning = false;
    long double m_expanded = 0;
};

// Hands the filter a temporary rectangle shape over a device rectangle of
// the canvas, filled with the colour and without outline (element and band
// backgrounds, page fills).
void ExportFilledRectangle(TVxExportTarget *filter, const TVxPageCanvas *canvas, const QRect &deviceRect,
                           TColor color);

} // namespace zelmio
