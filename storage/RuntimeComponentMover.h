#pragma once
// The selection of the run-time editor: the ordered list of selected
// controls (element 0 is the first selected) and the rectangle of the
// selection surface that just covers them, with the geometry the surface
// applies to them (moves and resizes with grid snapping, block flags,
// minimum sizes, bands carrying their bottom-fixed and stretching elements)
// and the Tab walk over the report's bands and elements.
//
// It is not a control and paints nothing: the designer's surface widget
// shows its rectangle and handles and feeds it the mouse and keyboard.
// All selected controls share one parent; a control that is freed leaves
// the selection by itself.

#include "model/Component.h"
#include "model/Hook.h"
#include "model/VxControl.h"

#include <QList>
#include <QPointer>
#include <QRect>

namespace zelmio {

class TPropertyAddons;

// (Sender: the element concerned, or none)
using TSelectionChangedEvent = THook<void(TVxControl *control)>;

class TRuntimeComponentMover : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool ForwardMouseEvents READ ForwardMouseEvents WRITE SetForwardMouseEvents)
    Q_PROPERTY(int GridSizeX READ GridSizeX WRITE SetGridSizeX)
    Q_PROPERTY(int GridSizeY READ GridSizeY WRITE SetGridSizeY)
    Q_PROPERTY(int KeyboardMoveX READ KeyboardMoveX WRITE SetKeyboardMoveX)
    Q_PROPERTY(int KeyboardMoveY READ KeyboardMoveY WRITE SetKeyboardMoveY)
    Q_PROPERTY(int MinElementWidth READ MinElementWidth WRITE SetMinElementWidth)
    Q_PROPERTY(int MinElementHeight READ MinElementHeight WRITE SetMinElementHeight)
public:
    enum class TDragStyle {
        dsMove, dsSizeTopLeft, dsSizeTopRight, dsSizeBottomLeft, dsSizeBottomRight,
        dsSizeTop, dsSizeLeft, dsSizeBottom, dsSizeRight
    };
    Q_ENUM(TDragStyle)

    explicit TRuntimeComponentMover(TComponent *owner = nullptr);
    ~TRuntimeComponentMover() override;

    // The outermost container (the report); AttachParent stops there.
    TVxControl *ParentControl() const { return m_parentControl; }
    void SetParentControl(TVxControl *control);
    // Where the "GroupID", "BlockMove" and "BlockResize" values are kept.
    void SetPropertyAddons(TPropertyAddons *addons) { m_addons = addons; }

    bool Locked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    bool ForwardMouseEvents() const { return m_forwardMouseEvents; }
    void SetForwardMouseEvents(bool forward) { m_forwardMouseEvents = forward; }
    int GridSizeX() const { return m_gridSizeX; }
    void SetGridSizeX(int size) { m_gridSizeX = size; }
    int GridSizeY() const { return m_gridSizeY; }
    void SetGridSizeY(int size) { m_gridSizeY = size; }
    int KeyboardMoveX() const { return m_keyboardMoveX; }
    void SetKeyboardMoveX(int step) { m_keyboardMoveX = step; }
    int KeyboardMoveY() const { return m_keyboardMoveY; }
    void SetKeyboardMoveY(int step) { m_keyboardMoveY = step; }
    int MinElementWidth() const { return m_minElementWidth; }
    void SetMinElementWidth(int width) { m_minElementWidth = width; }
    int MinElementHeight() const { return m_minElementHeight; }
    void SetMinElementHeight(int height) { m_minElementHeight = height; }

    TSelectionChangedEvent OnSelectionChanged() const { return m_onSelectionChanged; }
    void SetOnSelectionChanged(const TSelectionChangedEvent &hook) { m_onSelectionChanged = hook; }
    TNotifyEvent BeforeResize() const { return m_beforeResize; }
    void SetBeforeResize(const TNotifyEvent &hook) { m_beforeResize = hook; }
    TNotifyEvent OnResize() const { return m_onResize; }
    void SetOnResize(const TNotifyEvent &hook) { m_onResize = hook; }

    // --- The selection -----------------------------------------------------
    // Adds the control (with the other members of its group); a control of
    // another parent than the selection's replaces the selection. Nothing
    // when it is already selected.
    void Attach(TVxControl *control);
    void AttachWithoutEvents(TVxControl *control);
    // Empties the selection.
    void Detach();
    void DetachWithoutEvents();
    // Removes one control from the selection.
    void ReleaseChild(TVxControl *control);
    // Selects the parent of the selection instead (up to, not including,
    // the outermost container).
    void AttachParent();

    int Childcount() const;
    TVxControl *GetChild(int index) const;
    QList<TVxControl *> Selection() const;
    bool IsSelected(const TVxControl *control) const;
    // The parent of the selected controls; none when nothing is selected.
    TVxControl *SurfaceParent() const;

    // --- Tab walk ------------------------------------------------------------
    // Every visible band and element inside the outermost container (at any
    // depth, owned by the container's owner), in reading order of their
    // top-left corners: top first, then left; equal corners keep the order
    // of the control tree.
    QList<TVxControl *> TabOrder() const;
    // The control after selected element 0 in TabOrder (forward) or before
    // it, wrapping round; the first (last) one when nothing is selected;
    // none when there is nothing to walk.
    TVxControl *NextElement(bool forward) const;
    // NextElement becomes the only selection (with its group); the new
    // element 0, or none.
    TVxControl *SelectNextElement();
    TVxControl *SelectPreviousElement();

    // --- Geometry ----------------------------------------------------------
    // The surface rectangle in the parent's coordinates: the union of the
    // selected rectangles, 2 pixels more to the left and top, 3 to the right
    // and bottom; (0, 0, 1, 1) when nothing is selected.
    QRect BoundsRect() const { return m_bounds; }
    void RecalcSize();
    // Applies a new surface rectangle to every selected control. Nothing
    // moves when a selected control with "BlockMove" would move, or one with
    // "BlockResize" would change its size; true when the rectangle was
    // applied.
    bool SetBounds(int left, int top, int width, int height);
    bool SetBounds(const QRect &rect) { return SetBounds(rect.left(), rect.top(), rect.width(), rect.height()); }
    // The surface rectangle a drag of (dx, dy) from the current one gives,
    // snapped to the grid (shift: no grid, and for the bottom-right corner
    // the proportions of element 0 kept; alt: symmetric about the centre).
    QRect DragRect(TDragStyle style, int dx, int dy, bool shift = false, bool alt = false) const;
    // Drags and applies: true when the selection changed place or size.
    bool Drag(TDragStyle style, int dx, int dy, bool shift = false, bool alt = false);

    // The selected controls move to the top (bringToFront) or the bottom of
    // their parent's order, in selection order; nothing while Locked.
    void BringToFront();
    void SendToBack();

signals:
    void SelectionChanged();

private:
    TVxControl *SelectElement(TVxControl *control);
    void AddControl(TVxControl *control);
    void Forget(QObject *object);
    void Changed(TVxControl *control);
    int GroupOf(const TVxControl *control) const;
    bool Flag(const TVxControl *control, const char *name) const;

    QPointer<TVxControl> m_parentControl;
    TPropertyAddons *m_addons = nullptr;
    QList<QPointer<TVxControl>> m_selection;
    QRect m_bounds{0, 0, 1, 1};
    bool m_locked = false;
    bool m_forwardMouseEvents = false;
    int m_gridSizeX = 5;
    int m_gridSizeY = 5;
    int m_keyboardMoveX = 5;
    int m_keyboardMoveY = 5;
    int m_minElementWidth = 10;
    int m_minElementHeight = 10;
    TSelectionChangedEvent m_onSelectionChanged;
    TNotifyEvent m_beforeResize;
    TNotifyEvent m_onResize;
};

} // namespace zelmio
