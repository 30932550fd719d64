#include "designer/widgets/VxdScrollbox.h"

#include "designer/VexaDesigner.h"
#include "designer/widgets/DatafieldListbox.h"
#include "model/CustomVexa.h"
#include "model/VxControl.h"
#include "model/VxCustomBand.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace zelmio {

namespace {

using TDragStyle = TRuntimeComponentMover::TDragStyle;

// Space around the report on the surface.
constexpr int kMargin = 10;

// The deepest visible child of parent whose rectangle, widened by extend,
// holds the point (in parent coordinates); the topmost first.
TVxControl *HitIn(const TVxControl *parent, QPoint point, int extend)
{
    const QList<TVxControl *> &children = parent->ControlList();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        TVxControl *child = *it;
        if (!child->Visible())
            continue;
        if (child->BoundsRect().adjusted(-extend, -extend, extend, extend).contains(point)) {
            TVxControl *deeper = HitIn(child, point - child->BoundsRect().topLeft(), extend);
            return deeper ? deeper : child;
        }
    }
    return nullptr;
}

bool Near(double a, double b)
{
    return std::abs(a - b) < 6;
}

} // namespace

TDesignSurface::TDesignSurface(TVexaDesigner *designer, QWidget *parent)
    : QWidget(parent)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("DesignSurface"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    if (TVxControl *report = Report())
        connect(report, &TVxControl::RepaintRequested, this, [this] { UpdateSize(); update(); });
    connect(Mover(), &TRuntimeComponentMover::SelectionChanged, this, qOverload<>(&QWidget::update));
    UpdateSize();
}

TRuntimeComponentMover *TDesignSurface::Mover() const
{
    return m_designer->Mover();
}

TVxControl *TDesignSurface::Report() const
{
    return m_designer->ParentControl();
}

void TDesignSurface::UpdateSize()
{
    const TVxControl *report = Report();
    if (!report)
        return;
    const QSize wanted(std::max(1, report->Left() + report->Width() + 2 * kMargin),
                       std::max(1, report->Top() + report->Height() + 2 * kMargin));
    if (size() != wanted)
        resize(wanted);
}

QPoint TDesignSurface::ReportOrigin() const
{
    const TVxControl *report = Report();
    return QPoint(kMargin, kMargin) + (report ? report->BoundsRect().topLeft() : QPoint());
}

QPoint TDesignSurface::ControlOrigin(const TVxControl *control) const
{
    QPoint origin = ReportOrigin();
    for (const TVxControl *c = control; c && c != Report(); c = c->Parent())
        origin += c->BoundsRect().topLeft();
    return origin;
}

QRect TDesignSurface::ControlRect(const TVxControl *control) const
{
    return QRect(ControlOrigin(control), QSize(control->Width(), control->Height()));
}

QRect TDesignSurface::SelectionRect() const
{
    TVxControl *parent = Mover()->SurfaceParent();
    if (!parent || Mover()->Childcount() == 0)
        return QRect();
    return Mover()->BoundsRect().translated(ControlOrigin(parent));
}

TVxControl *TDesignSurface::ControlAt(QPoint point) const
{
    const TVxControl *report = Report();
    return report ? HitIn(report, point - ReportOrigin(), 0) : nullptr;
}

TDragStyle TDesignSurface::DragStyleAt(QPoint point) const
{
    const QRect surface = SelectionRect();
    if (Mover()->Childcount() != 1 || !surface.isValid())
        return TDragStyle::dsMove;
    const double x = point.x() - surface.left();
    const double y = point.y() - surface.top();
    const double w = surface.width();
    const double h = surface.height();
    if (Near(x, 0) && Near(y, 0))
        return TDragStyle::dsSizeTopLeft;
    if (Near(x, w) && Near(y, h))
        return TDragStyle::dsSizeBottomRight;
    if (Near(x, w) && Near(y, 0))
        return TDragStyle::dsSizeTopRight;
    if (Near(x, 0) && Near(y, h))
        return TDragStyle::dsSizeBottomLeft;
    if (Near(x, w / 2) && Near(y, 0))
        return TDragStyle::dsSizeTop;
    if (Near(x, w / 2) && Near(y, h))
        return TDragStyle::dsSizeBottom;
    if (Near(y, h / 2) && Near(x, 0))
        return TDragStyle::dsSizeLeft;
    if (Near(y, h / 2) && Near(x, w))
        return TDragStyle::dsSizeRight;
    return TDragStyle::dsMove;
}

void TDesignSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TVxControl *report = Report();
    if (!report)
        return;
    painter.save();
    painter.translate(ReportOrigin());
    report->PaintTo(painter);
    painter.restore();

    // Grab handles: 5-pixel squares at the corners of every selected
    // element, and at the edge midpoints when it is the only one.
    const QList<TVxControl *> selection = Mover()->Selection();
    const QColor colour = selection.size() == 1 ? QColor(Qt::black) : QColor(128, 128, 128);
    for (const TVxControl *element : selection) {
        const QRect r = ControlRect(element);
        const int l = r.left() - 2;
        const int t = r.top() - 2;
        const int rr = r.left() + r.width() + 2;
        const int b = r.top() + r.height() + 2;
        QList<QRect> handles{QRect(l, t, 5, 5), QRect(rr - 5, t, 5, 5), QRect(rr - 5, b - 5, 5, 5),
                             QRect(l, b - 5, 5, 5)};
        if (selection.size() == 1) {
            const int mx = l + (rr - l) / 2;
            const int my = t + (b - t) / 2;
            handles << QRect(mx - 2, t, 5, 5) << QRect(mx - 2, b - 5, 5, 5) << QRect(l, my - 2, 5, 5)
                    << QRect(rr - 5, my - 2, 5, 5);
        }
        for (const QRect &handle : std::as_const(handles))
            painter.fillRect(handle, colour);
    }
    if (m_dragging && m_outline.isValid()) {
        // The element rectangle the drag would give.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_outline.adjusted(2, 2, -4, -4));
    }
    if (m_lasso) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_lassoAnchor, m_lassoCorner).normalized());
    }
}

void TDesignSurface::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    TVxControl *report = Report();
    if (!report || !m_designer->Enabled())
        return;
    const QPoint point = event->position().toPoint();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);

    // Insert mode: the click goes to the designer, which inserts there.
    if (Mover()->ForwardMouseEvents() || m_designer->TesmolaState() != dsNormal) {
        if (event->button() != Qt::LeftButton)
            return;
        TVxControl *target = ControlAt(point);
        if (!target)
            target = report;
        if (m_designer->ReportMouseDown(target, point - ControlOrigin(target)))
            emit Edited();
        update();
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;

    // Ctrl starts a lasso.
    if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ControlModifier)) {
        m_lasso = true;
        m_lassoAnchor = m_lassoCorner = point;
        update();
        return;
    }

    const QRect surface = SelectionRect();
    if (surface.isValid() && surface.contains(point)) {
        PressOnSelection(event, DragStyleAt(point));
        return;
    }
    TVxControl *hit = ControlAt(point);
    if (!hit) {
        Mover()->Detach();
        emit Edited();
        return;
    }
    if (shift) {
        m_designer->SelectElement(false, hit);
        emit Edited();
        return;
    }
    Mover()->Detach();
    m_designer->SelectElement(false, hit);
    emit Edited();
    // The new selection can be dragged at once.
    if (event->button() == Qt::LeftButton && Mover()->IsSelected(hit))
        StartDrag(point, TDragStyle::dsMove);
}

void TDesignSurface::PressOnSelection(QMouseEvent *event, TDragStyle style)
{
    const QPoint point = event->position().toPoint();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (style == TDragStyle::dsMove) {
        TVxControl *parent = Mover()->SurfaceParent();
        TVxControl *hit = HitIn(parent, point - ControlOrigin(parent), 2);
        if (hit && !Mover()->IsSelected(hit)) {
            if (!shift)
                Mover()->Detach();
            m_designer->SelectElement(false, hit);
            emit Edited();
            return;
        }
        if (hit && shift) {
            Mover()->ReleaseChild(hit);
            emit Edited();
            return;
        }
        if (!hit && parent != Report()) {
            Mover()->AttachParent();
            emit Edited();
        }
    }
    if (event->button() == Qt::LeftButton && !Mover()->Locked())
        StartDrag(point, style);
}

void TDesignSurface::StartDrag(QPoint point, TDragStyle style)
{
    m_dragging = true;
    m_dragStyle = style;
    m_dragOffset = point;
    m_outline = QRect();
    m_dragTime.start();
}

QPoint TDesignSurface::DragDelta(QPoint point) const
{
    // The pointer stays within the selection's parent.
    if (const TVxControl *parent = Mover()->SurfaceParent()) {
        const QRect area = ControlRect(parent);
        point.setX(std::clamp(point.x(), area.left(), area.left() + area.width()));
        point.setY(std::clamp(point.y(), area.top(), area.top() + area.height()));
    }
    return point - m_dragOffset;
}

void TDesignSurface::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_lasso) {
        m_lassoCorner = point;
        update();
        return;
    }
    if (m_dragging) {
        const QPoint delta = DragDelta(point);
        const Qt::KeyboardModifiers mods = event->modifiers();
        TVxControl *parent = Mover()->SurfaceParent();
        if (parent)
            m_outline = Mover()
                            ->DragRect(m_dragStyle, delta.x(), delta.y(), mods.testFlag(Qt::ShiftModifier),
                                       mods.testFlag(Qt::AltModifier))
                            .translated(ControlOrigin(parent));
        update();
        return;
    }
    if (Mover()->Locked() && SelectionRect().contains(point)) {
        setCursor(Qt::ForbiddenCursor);
        return;
    }
    switch (DragStyleAt(point)) {
    case TDragStyle::dsSizeTopLeft:
    case TDragStyle::dsSizeBottomRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case TDragStyle::dsSizeTopRight:
    case TDragStyle::dsSizeBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case TDragStyle::dsSizeTop:
    case TDragStyle::dsSizeBottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case TDragStyle::dsSizeLeft:
    case TDragStyle::dsSizeRight:
        setCursor(Qt::SizeHorCursor);
        break;
    case TDragStyle::dsMove:
        setCursor(m_designer->TesmolaState() != dsNormal ? Qt::CrossCursor : Qt::ArrowCursor);
        break;
    }
}

void TDesignSurface::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_lasso) {
        m_lasso = false;
        FinishLasso(QRect(m_lassoAnchor, point).normalized());
        update();
        return;
    }
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_outline = QRect();
    const QPoint delta = DragDelta(point);
    if (!delta.isNull() && m_dragTime.elapsed() >= m_dragMinTime && Mover()->Childcount() > 0) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        const bool shift = mods.testFlag(Qt::ShiftModifier);
        const bool alt = mods.testFlag(Qt::AltModifier);
        if (Mover()->DragRect(m_dragStyle, delta.x(), delta.y(), shift, alt) != Mover()->BoundsRect()) {
            m_designer->SetHasChanged(true);
            if (Mover()->Drag(m_dragStyle, delta.x(), delta.y(), shift, alt))
                m_designer->UpdateInfoPanel();
            emit Edited();
        }
    }
    setCursor(Qt::ArrowCursor);
    update();
}

void TDesignSurface::FinishLasso(const QRect &lasso)
{
    TVxControl *report = Report();
    if (!report)
        return;
    // Bands the lasso touches (not one that holds it entirely); without any,
    // the elements it touches inside the bands.
    QList<TVxControl *> taken;
    for (TVxControl *band : report->ControlList()) {
        const QRect rect = ControlRect(band);
        if (band->Visible() && rect.intersects(lasso) && !rect.contains(lasso))
            taken << band;
    }
    if (taken.isEmpty()) {
        for (TVxControl *band : report->ControlList()) {
            for (TVxControl *element : band->ControlList()) {
                if (element->Visible() && ControlRect(element).intersects(lasso))
                    taken << element;
            }
        }
    }
    std::stable_sort(taken.begin(), taken.end(), [this](const TVxControl *a, const TVxControl *b) {
        const QPoint pa = ControlOrigin(a);
        const QPoint pb = ControlOrigin(b);
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    Mover()->Detach();
    for (int i = 0; i < taken.size(); ++i) {
        if (i + 1 < taken.size())
            Mover()->AttachWithoutEvents(taken[i]);
        else
            m_designer->SelectElement(false, taken[i]);
    }
    emit Edited();
}

void TDesignSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Shift and Ctrl, insert mode and the sizing handles treat the second
    // click as an ordinary press.
    TVxControl *report = Report();
    const QPoint point = event->position().toPoint();
    const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (!report || !m_designer->Enabled() || event->button() != Qt::LeftButton || !plain
        || Mover()->ForwardMouseEvents() || m_designer->TesmolaState() != dsNormal
        || DragStyleAt(point) != TDragStyle::dsMove) {
        mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_dragging = false;
    TVxControl *hit = nullptr;
    const QRect surface = SelectionRect();
    if (surface.isValid() && surface.contains(point)) {
        TVxControl *parent = Mover()->SurfaceParent();
        hit = HitIn(parent, point - ControlOrigin(parent), 2);
        // The selection's margin inside a band stands for the band.
        if (!hit && parent != report)
            hit = parent;
    } else {
        hit = ControlAt(point);
    }
    if (!hit) {
        // The report's background: its own properties.
        Mover()->Detach();
        EditControl(report);
        return;
    }
    if (!Mover()->IsSelected(hit)) {
        Mover()->Detach();
        m_designer->SelectElement(false, hit);
    }
    EditControl(hit);
}

void TDesignSurface::EditControl(TVxControl *control)
{
    m_designer->ControlDoubleClicked(control);
    emit Edited();
    update();
}

void TDesignSurface::SelectNextElement(bool forward)
{
    if (!Report() || !m_designer->Enabled())
        return;
    TVxControl *found = forward ? Mover()->SelectNextElement() : Mover()->SelectPreviousElement();
    if (!found)
        return;
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *box = qobject_cast<TvxdScrollbox *>(w)) {
            box->AutoScrollInView(found);
            break;
        }
    }
    emit Edited();
    update();
}

void TDesignSurface::KeyboardChange(int dx, int dy, bool resize)
{
    if (Mover()->Childcount() == 0 || Mover()->Locked())
        return;
    QRect rect = Mover()->BoundsRect();
    if (resize)
        rect.setSize(rect.size() + QSize(dx, dy));
    else
        rect.translate(dx, dy);
    m_designer->SetHasChanged(true);
    if (Mover()->SetBounds(rect))
        m_designer->UpdateInfoPanel();
    emit Edited();
    update();
}

void TDesignSurface::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods.testFlag(Qt::ShiftModifier);
    const bool grid = shift && mods.testFlag(Qt::ControlModifier);
    const int stepX = grid ? Mover()->GridSizeX() : Mover()->KeyboardMoveX();
    const int stepY = grid ? Mover()->GridSizeY() : Mover()->KeyboardMoveY();
    const bool resize = shift && !grid;
    switch (event->key()) {
    case Qt::Key_Left:
        KeyboardChange(-stepX, 0, resize);
        break;
    case Qt::Key_Right:
        KeyboardChange(stepX, 0, resize);
        break;
    case Qt::Key_Up:
        KeyboardChange(0, -stepY, resize);
        break;
    case Qt::Key_Down:
        KeyboardChange(0, stepY, resize);
        break;
    case Qt::Key_Delete:
        if (m_designer->CommandEnabled(TDesignerCommand::Delete)) {
            m_designer->DeleteSelectedElements();
            emit Edited();
            update();
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (mods.testFlag(Qt::ControlModifier) || mods.testFlag(Qt::AltModifier)) {
            QWidget::keyPressEvent(event);
            return;
        }
        SelectNextElement(event->key() == Qt::Key_Tab && !shift);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Mover()->Childcount() == 1 && !m_dragging && m_designer->Enabled())
            EditControl(Mover()->GetChild(0));
        break;
    case Qt::Key_Escape:
        if (Mover()->Childcount() > 0) {
            if (Mover()->SurfaceParent() == Report())
                Mover()->Detach();
            else
                Mover()->AttachParent();
            emit Edited();
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

TVxControl *TDesignSurface::DropTarget(QPoint point) const
{
    for (TVxControl *control = ControlAt(point); control; control = control->Parent()) {
        if (qobject_cast<TVxCustomBand *>(control))
            return control;
    }
    return Mover()->GetChild(0);
}

bool TDesignSurface::AcceptsDrop(const QDropEvent *event) const
{
    // Only fields from the data field list (a drag from another program has
    // no source widget here).
    if (!Report() || !m_designer->Enabled() || !event->mimeData()->hasFormat(QLatin1String(kDatafieldMimeType)))
        return false;
    const QObject *source = event->source();
    if (source && source->objectName() != QLatin1String("DatafieldListbox"))
        return false;
    return DropTarget(event->position().toPoint()) != nullptr;
}

void TDesignSurface::dragEnterEvent(QDragEnterEvent *event)
{
    if (AcceptsDrop(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TDesignSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (AcceptsDrop(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TDesignSurface::dropEvent(QDropEvent *event)
{
    TField *field = AcceptsDrop(event) ? DatafieldFromMimeData(m_designer, event->mimeData()) : nullptr;
    if (!field) {
        event->ignore();
        return;
    }
    // The designer places the field in selected element 0 (a band) or in
    // its parent, at a point in element 0's coordinates: the band under the
    // pointer becomes element 0 first.
    const QPoint point = event->position().toPoint();
    TVxControl *target = DropTarget(point);
    if (target != Mover()->GetChild(0)) {
        Mover()->DetachWithoutEvents();
        Mover()->AttachWithoutEvents(target);
    }
    TVxControl *element = nullptr;
    try {
        element = m_designer->DropDatafield(field, point - ControlOrigin(target));
    } catch (const std::exception &) {
        element = nullptr;
    }
    if (!element) {
        event->ignore();
        emit Edited();
        update();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus(Qt::OtherFocusReason);
    UpdateSize();
    emit Edited();
    update();
}

TvxdScrollbox::TvxdScrollbox(TVexaDesigner *designer, QWidget *parent)
    : QScrollArea(parent)
    , m_surface(new TDesignSurface(designer))
{
    setObjectName(QStringLiteral("Scrollbox1"));
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
    setWidget(m_surface);
    setWidgetResizable(false);
}

void TvxdScrollbox::AutoScrollInView(const TVxControl *control)
{
    if (!control)
        return;
    const QRect rect = m_surface->ControlRect(control);
    const QRect shown(m_surface->mapTo(viewport(), rect.topLeft()), rect.size());
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int right = shown.left() + shown.width();
    const int bottom = shown.top() + shown.height();
    if (right > 9 && shown.left() <= width - 10 && bottom > 9 && shown.top() <= height - 10)
        return;
    const QPoint centre = rect.topLeft() + QPoint(rect.width() / 2, rect.height() / 2);
    ensureVisible(centre.x(), centre.y(), std::min(rect.width() / 2 + 10, width / 2),
                  std::min(rect.height() / 2 + 10, height / 2));
}

void TvxdScrollbox::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        QScrollArea::wheelEvent(event);
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * m_wheelMousePixels);
    event->accept();
}

} // namespace zelmio
