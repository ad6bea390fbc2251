#include "view/ui/tavokit_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/paint/graph_paint.h"

namespace tavo {

CTAVOkitView::CTAVOkitView(CTAVOkitDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_controller(doc, m_state) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
}

void CTAVOkitView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintGraphOnScreen(painter, width(), height(), m_doc, m_state);
}

void CTAVOkitView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.OnLButtonDown(event->position().toPoint().x());
        if (m_controller.ShowsCrossHair())
            setCursor(Qt::CrossCursor);
    }
    QWidget::mousePressEvent(event);
}

void CTAVOkitView::mouseMoveEvent(QMouseEvent* event) {
    m_controller.OnMouseMove(event->position().toPoint().x());
    QWidget::mouseMoveEvent(event);
}

void CTAVOkitView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.OnLButtonUp();
        unsetCursor();
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tavo
