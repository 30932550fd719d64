#include "storage/RuntimeComponentMover.h"

#include "model/PropertyAccess.h"
#include "model/VxControl.h"
#include "model/VxCustomBand.h"
#include "storage/PropertyAddons.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zelmio {

TRuntimeComponentMover::TRuntimeComponentMover(TComponent *owner)
    : TComponent(owner)
{
}

TRuntimeComponentMover::~TRuntimeComponentMover()
{
    Destroying();
    // No notices while the editor that owns the surface goes away.
    m_onSelectionChanged.Clear();
    for (const QPointer<TVxControl> &control : std::as_const(m_selection)) {
        if (control)
            disconnect(control, nullptr, this, nullptr);
    }
}

void TRuntimeComponentMover::SetParentControl(TVxControl *control)
{
    if (m_parentControl == control)
        return;
    DetachWithoutEvents();
    m_parentControl = control;
}

int TRuntimeComponentMover::GroupOf(const TVxControl *control) const
{
    if (!m_addons || !control)
        return 0;
    try {
        return m_addons->GetIntProp(control, QStringLiteral("GroupID"));
    } catch (const std::exception &) {
        return 0;
    }
}

bool TRuntimeComponentMover::Flag(const TVxControl *control, const char *name) const
{
    return m_addons && m_addons->GetBoolProp(control, QLatin1String(name));
}

// --- The selection ----------------------------------------------------------

int TRuntimeComponentMover::Childcount() const
{
    return int(m_selection.size());
}

TVxControl *TRuntimeComponentMover::GetChild(int index) const
{
    return index >= 0 && index < m_selection.size() ? m_selection.at(index).data() : nullptr;
}

QList<TVxControl *> TRuntimeComponentMover::Selection() const
{
    QList<TVxControl *> result;
    for (const QPointer<TVxControl> &control : m_selection) {
        if (control)
            result.append(control.data());
    }
    return result;
}

bool TRuntimeComponentMover::IsSelected(const TVxControl *control) const
{
    return control && std::any_of(m_selection.cbegin(), m_selection.cend(),
                                  [control](const QPointer<TVxControl> &p) { return p.data() == control; });
}

TVxControl *TRuntimeComponentMover::SurfaceParent() const
{
    const TVxControl *first = GetChild(0);
    return first ? first->Parent() : nullptr;
}

void TRuntimeComponentMover::AddControl(TVxControl *control)
{
    m_selection.append(control);
    connect(control, &QObject::destroyed, this, &TRuntimeComponentMover::Forget);
}

void TRuntimeComponentMover::Forget(QObject *object)
{
    const qsizetype before = m_selection.size();
    m_selection.removeIf([object](const QPointer<TVxControl> &p) {
        return !p || static_cast<QObject *>(p.data()) == object;
    });
    if (m_selection.size() == before)
        return;
    RecalcSize();
    if (!IsDestroying())
        Changed(nullptr);
}

void TRuntimeComponentMover::Changed(TVxControl *control)
{
    m_onSelectionChanged(control);
    emit SelectionChanged();
}

void TRuntimeComponentMover::AttachWithoutEvents(TVxControl *control)
{
    if (!control || IsSelected(control) || control == m_parentControl)
        return;
    if (!m_selection.isEmpty() && control->Parent() != SurfaceParent())
        DetachWithoutEvents();
    AddControl(control);
    // A member of a group brings the whole group, in the parent's order.
    if (const int group = GroupOf(control); group != 0 && control->Parent()) {
        for (TVxControl *sibling : control->Parent()->ControlList()) {
            if (sibling != control && !IsSelected(sibling) && GroupOf(sibling) == group)
                AddControl(sibling);
        }
    }
    RecalcSize();
}

void TRuntimeComponentMover::Attach(TVxControl *control)
{
    if (!control || IsSelected(control) || control == m_parentControl)
        return;
    AttachWithoutEvents(control);
    Changed(control);
}

void TRuntimeComponentMover::DetachWithoutEvents()
{
    for (const QPointer<TVxControl> &control : std::as_const(m_selection)) {
        if (control)
            disconnect(control, nullptr, this, nullptr);
    }
    m_selection.clear();
    RecalcSize();
}

void TRuntimeComponentMover::Detach()
{
    const bool had = !m_selection.isEmpty();
    DetachWithoutEvents();
    if (had && !IsDestroying())
        Changed(nullptr);
}

void TRuntimeComponentMover::ReleaseChild(TVxControl *control)
{
    if (!IsSelected(control))
        return;
    disconnect(control, nullptr, this, nullptr);
    m_selection.removeIf([control](const QPointer<TVxControl> &p) { return !p || p.data() == control; });
    RecalcSize();
    Changed(control);
}

void TRuntimeComponentMover::AttachParent()
{
    TVxControl *parent = SurfaceParent();
    if (!parent || parent == m_parentControl)
        return;
    DetachWithoutEvents();
    Attach(parent);
}

// --- Tab walk ----------------------------------------------------------------

QList<TVxControl *> TRuntimeComponentMover::TabOrder() const
{
    struct Entry {
        TVxControl *control;
        QPoint corner;   // in the outermost container's coordinates
    };
    QList<Entry> entries;
    if (!m_parentControl)
        return {};
    const TComponent *owner = m_parentControl->Owner();
    const std::function<void(const TVxControl *, QPoint)> collect = [&](const TVxControl *parent, QPoint origin) {
        for (TVxControl *child : parent->ControlList()) {
            if (!child->Visible() || child->Owner() != owner)
                continue;
            const QPoint corner = origin + child->BoundsRect().topLeft();
            entries.append({child, corner});
            collect(child, corner);
        }
    };
    collect(m_parentControl, QPoint());
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.corner.y() != b.corner.y() ? a.corner.y() < b.corner.y() : a.corner.x() < b.corner.x();
    });
    QList<TVxControl *> order;
    order.reserve(entries.size());
    for (const Entry &entry : std::as_const(entries))
        order.append(entry.control);
    return order;
}

TVxControl *TRuntimeComponentMover::NextElement(bool forward) const
{
    const QList<TVxControl *> order = TabOrder();
    if (order.isEmpty())
        return nullptr;
    const qsizetype at = order.indexOf(GetChild(0));
    const qsizetype count = order.size();
    if (at < 0)
        return forward ? order.first() : order.last();
    return order.at(forward ? (at + 1) % count : (at + count - 1) % count);
}

TVxControl *TRuntimeComponentMover::SelectElement(TVxControl *control)
{
    if (!control)
        return nullptr;
    DetachWithoutEvents();
    Attach(control);
    return GetChild(0);
}

TVxControl *TRuntimeComponentMover::SelectNextElement()
{
    return SelectElement(NextElement(true));
}

TVxControl *TRuntimeComponentMover::SelectPreviousElement()
{
    return SelectElement(NextElement(false));
}

// --- Geometry -----------------------------------------------------------------

void TRuntimeComponentMover::RecalcSize()
{
    const QList<TVxControl *> selection = Selection();
    if (selection.isEmpty()) {
        m_bounds = QRect(0, 0, 1, 1);
        return;
    }
    int left = selection.first()->Left();
    int top = selection.first()->Top();
    int right = left + selection.first()->Width();
    int bottom = top + selection.first()->Height();
    for (const TVxControl *control : selection) {
        left = std::min(left, control->Left());
        top = std::min(top, control->Top());
        right = std::max(right, control->Left() + control->Width());
        bottom = std::max(bottom, control->Top() + control->Height());
    }
    m_bounds = QRect(left - 2, top - 2, right - left + 5, bottom - top + 5);
}

bool TRuntimeComponentMover::SetBounds(int left, int top, int width, int height)
{
    const QList<TVxControl *> selection = Selection();
    if (selection.isEmpty())
        return false;
    m_beforeResize(this);
    const QRect old = m_bounds;
    const bool moves = left != old.left() || top != old.top();
    const bool resizes = width != old.width() || height != old.height();
    const bool blocked = std::any_of(selection.cbegin(), selection.cend(), [&](const TVxControl *control) {
        return (moves && Flag(control, "BlockMove")) || (resizes && Flag(control, "BlockResize"));
    });
    if (!blocked) {
        for (TVxControl *control : selection) {
            const int newWidth = std::max(m_minElementWidth, control->Width() + width - old.width());
            const int newHeight = std::max(m_minElementHeight, control->Height() + height - old.height());
            const int heightChange = newHeight - control->Height();
            if ((newWidth != control->Width() || newHeight != control->Height())
                && PropertyExists(control, QStringLiteral("AutoSize")))
                SetBooleanProperty(control, QStringLiteral("AutoSize"), false);
            const bool moving = PropertyExists(control, QStringLiteral("CompMoverMoving"));
            if (moving)
                SetBooleanProperty(control, QStringLiteral("CompMoverMoving"), true);
            try {
                control->SetBounds(control->Left() - old.left() + left, control->Top() - old.top() + top, newWidth,
                                   newHeight);
            } catch (...) {
                if (moving)
                    SetBooleanProperty(control, QStringLiteral("CompMoverMoving"), false);
                throw;
            }
            if (moving)
                SetBooleanProperty(control, QStringLiteral("CompMoverMoving"), false);
            // A band carries its bottom-fixed and stretching elements along.
            if (heightChange != 0 && qobject_cast<TVxCustomBand *>(control)) {
                for (TVxControl *child : control->ControlList()) {
                    if (PropertyExists(child, QStringLiteral("FixBottomPosition"))
                        && GetBooleanProperty(child, QStringLiteral("FixBottomPosition")))
                        child->SetTop(std::max(0, child->Top() + heightChange));
                    if (PropertyExists(child, QStringLiteral("StretchHeightWithBand"))
                        && GetBooleanProperty(child, QStringLiteral("StretchHeightWithBand")))
                        child->SetHeight(std::max(m_minElementHeight, child->Height() + heightChange));
                }
            }
            control->Invalidate();
        }
    }
    RecalcSize();
    m_onResize(this);
    return !blocked;
}

QRect TRuntimeComponentMover::DragRect(TDragStyle style, int dx, int dy, bool shift, bool alt) const
{
    const int gx = shift ? 1 : std::max(1, m_gridSizeX);
    const int gy = shift ? 1 : std::max(1, m_gridSizeY);
    const auto snapX = [gx](int v) { return (v / gx) * gx; };
    const auto snapY = [gy](int v) { return (v / gy) * gy; };
    // The selected rectangles, not the surface's margins, land on the grid:
    // the surface lies 2 pixels left of and above them and is 5 pixels larger.
    const int L = m_bounds.left(), T = m_bounds.top(), W = m_bounds.width(), H = m_bounds.height();
    int l = L, t = T, w = W, h = H;
    const int snappedLeft = snapX(L + 2 + dx) - 2;
    const int snappedTop = snapY(T + 2 + dy) - 2;
    using D = TDragStyle;
    switch (style) {
    case D::dsMove:
        l = snappedLeft;
        t = snappedTop;
        break;
    case D::dsSizeTopLeft:
        l = snappedLeft;
        t = snappedTop;
        w = alt ? W - 2 * (l - L) : W - (l - L);
        h = alt ? H - 2 * (t - T) : H - (t - T);
        break;
    case D::dsSizeTopRight:
        t = snappedTop;
        h = alt ? H - 2 * (t - T) : H - (t - T);
        if (alt) {
            l = L - dx;
            w = W + 2 * dx;
        } else {
            w = snapX(W - 5 + dx) + 5;
        }
        break;
    case D::dsSizeBottomLeft:
        l = snappedLeft;
        w = alt ? W - 2 * (l - L) : W - (l - L);
        if (alt) {
            t = T - dy;
            h = H + 2 * dy;
        } else {
            h = snapY(H - 5 + dy) + 5;
        }
        break;
    case D::dsSizeBottomRight: {
        int grow = dx, growY = dy;
        const TVxControl *first = GetChild(0);
        if (shift && first && first->Width() > 0 && first->Height() > 0) {
            const double ratio = double(first->Width()) / first->Height();
            grow = std::max(int(std::lrint(dy * ratio)), dx);
            growY = std::max(int(std::lrint(dx / ratio)), dy);
            if (alt) {
                l = L - grow;
                t = T - growY;
                w = W + 2 * grow;
                h = H + 2 * growY;
            } else {
                w = W + grow;
                h = H + growY;
            }
        } else if (alt) {
            l = L - dx;
            t = T - dy;
            w = W + 2 * dx;
            h = H + 2 * dy;
        } else {
            w = snapX(W - 5 + dx) + 5;
            h = snapY(H - 5 + dy) + 5;
        }
        break;
    }
    case D::dsSizeTop:
        if (alt) {
            t = T + dy;
            h = H - 2 * dy;
        } else {
            t = snappedTop;
            h = H - (t - T);
        }
        break;
    case D::dsSizeLeft:
        if (alt) {
            l = L + dx;
            w = W - 2 * dx;
        } else {
            l = snappedLeft;
            w = W - (l - L);
        }
        break;
    case D::dsSizeBottom:
        if (alt) {
            t = T - dy;
            h = H + 2 * dy;
        } else {
            h = snapY(H - 5 + dy) + 5;
        }
        break;
    case D::dsSizeRight:
        if (alt) {
            l = L - dx;
            w = W + 2 * dx;
        } else {
            w = snapX(W - 5 + dx) + 5;
        }
        break;
    }
    return QRect(l, t, std::max(w, m_minElementWidth), std::max(h, m_minElementHeight));
}

bool TRuntimeComponentMover::Drag(TDragStyle style, int dx, int dy, bool shift, bool alt)
{
    if (m_locked || Selection().isEmpty())
        return false;
    const QRect target = DragRect(style, dx, dy, shift, alt);
    if (target == m_bounds)
        return false;
    return SetBounds(target);
}

void TRuntimeComponentMover::BringToFront()
{
    if (m_locked)
        return;
    for (TVxControl *control : Selection()) {
        control->BringToFront();
        control->Invalidate();
    }
}

void TRuntimeComponentMover::SendToBack()
{
    if (m_locked)
        return;
    for (TVxControl *control : Selection()) {
        control->SendToBack();
        control->Invalidate();
    }
}

} // namespace zelmio
