#include "ui/canvas_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "canvas/world_canvas.h"

namespace kalvor {

CanvasView::CanvasView(WorldCanvas& canvas, QWidget* parent) : QWidget(parent), m_canvas(canvas) {
    setObjectName(QStringLiteral("canvas"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_canvas, &WorldCanvas::changed, this, qOverload<>(&QWidget::update));
    connect(&m_canvas, &WorldCanvas::resized, this, qOverload<>(&QWidget::update));
}

QSize CanvasView::sizeHint() const {
    return {m_canvas.width(), m_canvas.height()};
}

void CanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas.image());
    // Between a resize of the window and the canvas following it, the rest stays white.
    const QImage& image = m_canvas.image();
    if (image.width() < width()) painter.fillRect(image.width(), 0, width(), height(), Qt::white);
    if (image.height() < height())
        painter.fillRect(0, image.height(), width(), height(), Qt::white);
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit sizeChanged(size());
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->position().toPoint(), event->button());
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->buttons());
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->position().toPoint(), event->button());
}

}  // namespace kalvor
