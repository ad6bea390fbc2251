#include "view/ui/tavokit_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "view/paint/graph_paint.h"

namespace tavo {

CTAVOkitView::CTAVOkitView(CTAVOkitDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_controller(doc, m_state) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
    // The keys move the cursors, and the pointer shows what a press would take.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_state.markActiveCursor = true;
    UpdatePage();
}

void CTAVOkitView::UpdatePage() {
    m_controller.SetPage({width(), height(), false, 0, 0});
}

FlightData CTAVOkitView::FlightToDraw() {
    m_doc.UpdateLiveCurves();
    return m_controller.Flight();
}

std::vector<ExtraFlight> CTAVOkitView::ExtraToDraw() {
    m_extra.Follow(m_doc.Settings());
    return m_extra.ToDraw(m_doc.Curves());
}

void CTAVOkitView::paintEvent(QPaintEvent* event) {
    UpdatePage();
    QPainter painter(this);
    const FlightData flight = FlightToDraw();
    const std::vector<ExtraFlight> extra = ExtraToDraw();
    PaintGraphOnScreen(painter, width(), height(), flight, m_state, m_picture,
                       QRegion(rect()).subtracted(event->region()).isEmpty(), extra);
}

void CTAVOkitView::resizeEvent(QResizeEvent* event) {
    UpdatePage();
    QWidget::resizeEvent(event);
}

void CTAVOkitView::UpdatePointer(int x) {
    if (m_controller.ShowsCrossHair())
        setCursor(Qt::CrossCursor);
    else if (m_controller.IsPanning())
        setCursor(Qt::ClosedHandCursor);
    else if (m_controller.CursorNear(x) != 0)
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
}

void CTAVOkitView::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (event->button() == Qt::LeftButton)
        m_controller.OnLButtonDown(x, event->modifiers() & Qt::ShiftModifier);
    else if (event->button() == Qt::MiddleButton)
        m_controller.OnMButtonDown(x);
    UpdatePointer(x);
    QWidget::mousePressEvent(event);
}

void CTAVOkitView::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    m_controller.OnMouseMove(x);
    UpdatePointer(x);
    QWidget::mouseMoveEvent(event);
}

void CTAVOkitView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        m_controller.OnButtonUp();
    UpdatePointer(event->position().toPoint().x());
    QWidget::mouseReleaseEvent(event);
}

void CTAVOkitView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    m_controller.OnWheel(event->position().toPoint().x(), delta);
    event->accept();
}

void CTAVOkitView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    bool taken = false;
    switch (event->key()) {
    case Qt::Key_Left:
        taken = m_controller.OnKey(GraphController::Key::Left, shift, ctrl);
        break;
    case Qt::Key_Right:
        taken = m_controller.OnKey(GraphController::Key::Right, shift, ctrl);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        taken = m_controller.OnKey(GraphController::Key::Tab, shift, ctrl);
        break;
    default:
        break;
    }
    if (taken)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool CTAVOkitView::focusNextPrevChild(bool) {
    return false;
}

} // namespace tavo
