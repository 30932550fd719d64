#include "model/VxControl.h"

#include "model/VxFont.h"

#include <QPainter>

namespace zelmio {

TVxControl::TVxControl(TComponent *owner)
    : TComponent(owner)
    , m_font(std::make_unique<TVxFont>(this))
{
    m_font->SetOnChange([this] { OwnFontChanged(); });
}

TVxControl::~TVxControl()
{
    Destroying();
    DestroyChildControls();
    if (m_parent)
        ChangeParentLink(nullptr);
}

TVxControl *TVxControl::Controls(int index) const
{
    return index >= 0 && index < m_controls.size() ? m_controls.at(index) : nullptr;
}

void TVxControl::DestroyChildControls()
{
    while (!m_controls.isEmpty())
        delete m_controls.last();
}

void TVxControl::ChangeParentLink(TVxControl *parent)
{
    if (parent == m_parent)
        return;
    if (m_parent) {
        m_parent->m_controls.removeAll(this);
        m_parent->Invalidate();
    }
    m_parent = parent;
    if (m_parent) {
        m_parent->m_controls.append(this);
        if (m_parentFont)
            ParentFontChanged();
        Invalidate();
    }
}

void TVxControl::SetParent(TVxControl *parent)
{
    // A control cannot become its own ancestor.
    for (TVxControl *p = parent; p; p = p->m_parent) {
        if (p == this)
            return;
    }
    ChangeParentLink(parent);
}

void TVxControl::BringToFront()
{
    if (!m_parent)
        return;
    m_parent->m_controls.removeAll(this);
    m_parent->m_controls.append(this);
    Invalidate();
}

void TVxControl::SendToBack()
{
    if (!m_parent)
        return;
    m_parent->m_controls.removeAll(this);
    m_parent->m_controls.prepend(this);
    Invalidate();
}

void TVxControl::ApplyBounds(int left, int top, int width, int height)
{
    // Kept within the range templates may hold, so that sums of positions
    // and sizes never overflow, whoever sets them.
    constexpr int kLimit = kMaxControlPixels;
    left = qBound(-kLimit, left, kLimit);
    top = qBound(-kLimit, top, kLimit);
    width = qBound(0, width, kLimit);
    height = qBound(0, height, kLimit);
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    Invalidate();
}

void TVxControl::SetBounds(int left, int top, int width, int height)
{
    ApplyBounds(left, top, width, height);
}

void TVxControl::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Invalidate();
}

void TVxControl::SetFont(TVxFont *font)
{
    if (font)
        m_font->Assign(font);
}

void TVxControl::SetParentFont(bool parentFont)
{
    if (parentFont == m_parentFont)
        return;
    m_parentFont = parentFont;
    if (m_parentFont && m_parent)
        ParentFontChanged();
}

void TVxControl::OwnFontChanged()
{
    if (!m_takingParentFont)
        m_parentFont = false;
    for (TVxControl *child : std::as_const(m_controls)) {
        if (child->m_parentFont)
            child->ParentFontChanged();
    }
    FontChanged();
    Invalidate();
}

void TVxControl::ParentFontChanged()
{
    if (!m_parent)
        return;
    m_takingParentFont = true;
    m_font->Assign(m_parent->Font());
    m_takingParentFont = false;
}

void TVxControl::FontChanged()
{
}

void TVxControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Invalidate();
}

void TVxControl::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    Invalidate();
}

void TVxControl::SetZoom(int)
{
}

void TVxControl::VXNotification(TComponent *, TVxNotifyOperation)
{
}

void TVxControl::Paint(QPainter &)
{
}

void TVxControl::PaintTo(QPainter &painter)
{
    painter.save();
    painter.setClipRect(ClientRect(), Qt::IntersectClip);
    Paint(painter);
    for (TVxControl *child : std::as_const(m_controls)) {
        if (!child->Visible())
            continue;
        painter.save();
        painter.translate(child->Left(), child->Top());
        child->PaintTo(painter);
        painter.restore();
    }
    painter.restore();
}

void TVxControl::Invalidate()
{
    if (IsDestroying() || IsLoading())
        return;
    TVxControl *top = this;
    while (top->m_parent)
        top = top->m_parent;
    emit top->RepaintRequested(this);
}

} // namespace zelmio
