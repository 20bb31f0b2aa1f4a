#include "ui/canvas_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "canvas/canvas_paint.h"
#include "canvas/world_canvas.h"

namespace kalvor {

namespace {

constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
constexpr int kMarkRadius = 4;

}  // namespace

CanvasView::CanvasView(WorldCanvas& canvas, QWidget* parent) : QWidget(parent), m_canvas(canvas) {
    setObjectName(QStringLiteral("canvas"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the coordinate readout follows the pointer
    connect(&m_canvas, &WorldCanvas::changed, this, qOverload<>(&QWidget::update));
    connect(&m_canvas, &WorldCanvas::resized, this, qOverload<>(&QWidget::update));
}

QSize CanvasView::sizeHint() const {
    return {m_canvas.width(), m_canvas.height()};
}

// The device bitmap covers the canvas's pixels one to one on a screen of its ratio.
void CanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = m_canvas.width(), h = m_canvas.height();
    const QImage& shown = m_canvas.screenImage();
    if (shown.width() == w) {
        painter.drawImage(0, 0, shown);
    } else {
        const bool exact = devicePixelRatioF() * w == shown.width();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
        painter.drawImage(QRect(0, 0, w, h), shown);
    }
    // Between a resize of the window and the canvas following it, the rest stays white.
    if (w < width()) painter.fillRect(w, 0, width(), height(), Qt::white);
    if (h < height()) painter.fillRect(0, h, width(), height(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const TraceReadout::Mark& mark : m_marks) {
        painter.setPen(QPen(qtColor(mark.colour), 2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(mark.px, mark.py), kMarkRadius, kMarkRadius);
    }
}

void CanvasView::setMarks(std::vector<TraceReadout::Mark> marks) {
    if (marks.empty() && m_marks.empty()) return;
    m_marks = std::move(marks);
    update();
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    followRatio();  // a new display scale comes with a new size
    emit sizeChanged(size());
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->position().toPoint(), event->button(), event->modifiers());
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->buttons());
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->position().toPoint(), event->button());
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / kNotch;
    m_wheelRest -= notches * kNotch;
    if (notches != 0) emit wheelTurned(event->position().toPoint(), notches);
    event->accept();
}

void CanvasView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followRatio();
}

// A window moved to another screen may change its ratio.
bool CanvasView::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ScreenChangeInternal) followRatio();
    return handled;
}

void CanvasView::followRatio() {
    const int ratio = std::clamp(static_cast<int>(std::ceil(devicePixelRatioF() - 1e-3)), 1,
                                 WorldCanvas::kMaxDeviceRatio);
    if (ratio == m_ratio) return;
    m_ratio = ratio;
    emit deviceRatioChanged(ratio);
}

void CanvasView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit pointerLeft();
}

}  // namespace kalvor
