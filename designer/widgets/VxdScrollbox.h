#pragma once
// The designer's report area: TvxdScrollbox scrolls a TDesignSurface, the
// widget that shows the design report (painted by the report itself at its
// zoom) and is the selection surface on top of it. The surface finds the
// band or element under the pointer, selects on clicks (Shift adds), draws
// the grab handles around the selection, moves and resizes the selection
// with the mouse and the arrow keys through the designer's mover (which
// snaps to the grid), runs the Ctrl lasso and forwards clicks in insert
// mode to the designer. Tab walks the bands and elements in reading order;
// Enter and double clicks open the properties of what they hit; fields
// dragged from the data field list drop as data elements.

#include "storage/RuntimeComponentMover.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

namespace zelmio {

class TVexaDesigner;
class TVxControl;

class TDesignSurface : public QWidget {
    Q_OBJECT
public:
    explicit TDesignSurface(TVexaDesigner *designer, QWidget *parent = nullptr);

    TVexaDesigner *Designer() const { return m_designer; }
    // Milliseconds a mouse drag must last before it changes anything.
    int DragMinTime() const { return m_dragMinTime; }
    void SetDragMinTime(int milliseconds) { m_dragMinTime = milliseconds; }

    // Where the report's point (0, 0) is on the surface.
    QPoint ReportOrigin() const;
    // A control's top-left corner in surface coordinates.
    QPoint ControlOrigin(const TVxControl *control) const;
    // The control's rectangle in surface coordinates.
    QRect ControlRect(const TVxControl *control) const;
    // The mover's rectangle in surface coordinates (empty without a selection).
    QRect SelectionRect() const;
    // The deepest visible band or element under the surface point; none on
    // the report's background.
    TVxControl *ControlAt(QPoint point) const;
    // The drag style the pointer at the surface point would start.
    TRuntimeComponentMover::TDragStyle DragStyleAt(QPoint point) const;
    // Follows the report's size after zoom changes and rebuilt reports.
    void UpdateSize();
    // Selects the next band or element in reading order (the previous one
    // when not forward) alone and scrolls it into view.
    void SelectNextElement(bool forward);

signals:
    // The user changed the report on the surface (moved, resized, inserted,
    // deleted) or the selection.
    void Edited();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    TRuntimeComponentMover *Mover() const;
    TVxControl *Report() const;
    void PressOnSelection(QMouseEvent *event, TRuntimeComponentMover::TDragStyle style);
    void StartDrag(QPoint point, TRuntimeComponentMover::TDragStyle style);
    QPoint DragDelta(QPoint point) const;
    void FinishLasso(const QRect &lasso);
    void KeyboardChange(int dx, int dy, bool resize);
    void EditControl(TVxControl *control);
    // The band under a drop at the surface point, or else selected element 0.
    TVxControl *DropTarget(QPoint point) const;
    bool AcceptsDrop(const QDropEvent *event) const;

    TVexaDesigner *m_designer;
    int m_dragMinTime = 150;
    bool m_dragging = false;
    TRuntimeComponentMover::TDragStyle m_dragStyle = TRuntimeComponentMover::TDragStyle::dsMove;
    QPoint m_dragOffset;
    QElapsedTimer m_dragTime;
    QRect m_outline;          // the rectangle a drag would give, in surface coordinates
    bool m_lasso = false;
    QPoint m_lassoAnchor;
    QPoint m_lassoCorner;
};

class TvxdScrollbox : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(int WheelMousePixels READ WheelMousePixels WRITE SetWheelMousePixels)
public:
    explicit TvxdScrollbox(TVexaDesigner *designer, QWidget *parent = nullptr);

    TDesignSurface *Surface() const { return m_surface; }
    int WheelMousePixels() const { return m_wheelMousePixels; }
    void SetWheelMousePixels(int pixels) { m_wheelMousePixels = pixels; }
    // Scrolls the control into view unless it already shows at least 10
    // pixels inside the visible area.
    void AutoScrollInView(const TVxControl *control);

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    TDesignSurface *m_surface;
    int m_wheelMousePixels = 38;
};

} // namespace zelmio
