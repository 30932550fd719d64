#pragma once
// A visual control: a component with a visual parent (separate from its
// owner), an ordered list of child controls, pixel bounds in design-surface
// pixels at 96 pixels per inch, a colour and a font that may follow the
// parent's. The report, its bands and the printable elements are controls.
//
// Controls do not depend on any window system: they paint their design view
// onto a QPainter they are given (Paint, PaintTo) and ask for a repaint by
// emitting RepaintRequested from the topmost control, which the designer's
// widgets watch.
//
// A control frees its child controls when it is freed, also those it does
// not own (a band frees its elements, a report its bands).

#include "model/Component.h"
#include "model/VxColor.h"
#include "model/VxTypes.h"

#include <QList>
#include <QRect>
#include <memory>

class QPainter;

namespace zelmio {

class TVxFont;
class TVxUnitBase;

// The largest position or size of a control in pixels (the published range).
constexpr int kMaxControlPixels = 1000000;

class TVxControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_CLASSINFO("range:Left", "-1000000 1000000")
    Q_CLASSINFO("range:Top", "-1000000 1000000")
    Q_CLASSINFO("range:Width", "-1000000 1000000")
    Q_CLASSINFO("range:Height", "-1000000 1000000")
public:
    explicit TVxControl(TComponent *owner = nullptr);
    ~TVxControl() override;

    // Visual parent and child controls (in control order: the order in which
    // they paint and print).
    TVxControl *Parent() const { return m_parent; }
    virtual void SetParent(TVxControl *parent);
    int ControlCount() const { return int(m_controls.size()); }
    TVxControl *Controls(int index) const;
    const QList<TVxControl *> &ControlList() const { return m_controls; }
    // Moves the control to the end (front) or start (back) of its parent's list.
    void BringToFront();
    void SendToBack();

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left) { SetBounds(left, m_top, m_width, m_height); }
    void SetTop(int top) { SetBounds(m_left, top, m_width, m_height); }
    void SetWidth(int width) { SetBounds(m_left, m_top, width, m_height); }
    void SetHeight(int height) { SetBounds(m_left, m_top, m_width, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    QRect BoundsRect() const { return QRect(m_left, m_top, m_width, m_height); }
    QRect ClientRect() const { return QRect(0, 0, m_width, m_height); }

    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);

    TVxFont *Font() const { return m_font.get(); }
    // Copies the font's values; the control stops following its parent's font.
    void SetFont(TVxFont *font);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    // "Font" is written when it is not inherited.
    Q_INVOKABLE bool IsFontStored() const { return !m_parentFont; }

    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    // The unit-bearing size record of the control, if it has one.
    virtual TVxUnitBase *UnitRecord() const { return nullptr; }

    // Zoom of the design view; panels and elements keep it.
    virtual void SetZoom(int zoom);

    // Notices from controllers and bands (band size changes and the like).
    virtual void VXNotification(TComponent *sender, TVxNotifyOperation operation);

    // Design view: Paint draws the control itself in client coordinates;
    // PaintTo draws it and its visible child controls, the painter's origin
    // being the control's top-left corner.
    virtual void Paint(QPainter &painter);
    void PaintTo(QPainter &painter);
    // Asks for a repaint of the design view.
    void Invalidate();

signals:
    void RepaintRequested(zelmio::TVxControl *control);

protected:
    // Sets the bounds without any further logic.
    void ApplyBounds(int left, int top, int width, int height);
    // After the font changed, own or inherited.
    virtual void FontChanged();
    // Frees every child control, the last first; destructors of controls
    // whose children need them alive call it before their own teardown.
    void DestroyChildControls();
    // Changes the parent link only (lists and font inheritance).
    void ChangeParentLink(TVxControl *parent);

private:
    void OwnFontChanged();
    void ParentFontChanged();

    TVxControl *m_parent = nullptr;
    QList<TVxControl *> m_controls;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TColor m_color = clWhite;
    std::unique_ptr<TVxFont> m_font;
    bool m_parentFont = true;
    bool m_takingParentFont = false;
    bool m_enabled = true;
    bool m_visible = true;
};

} // namespace zelmio
