#include "ui/swatch_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "canvas/canvas_paint.h"

namespace kalvor {

SwatchWidget::SwatchWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void SwatchWidget::setColour(Color colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    update();
}

void SwatchWidget::setLineWidth(int width) {
    if (width == m_lineWidth) return;
    m_lineWidth = width;
    update();
}

void SwatchWidget::setBrushStyle(BrushStyle style) {
    if (style == m_style) return;
    m_style = style;
    update();
}

void SwatchWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(rect(), qtBrush(CanvasBrush{m_colour, m_style}));
    // The frame is as wide as the line the swatch stands for.
    const int frame = std::clamp(m_lineWidth, 1, 4);
    QPen pen(isEnabled() ? Qt::black : Qt::gray);
    pen.setWidth(frame);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int inset = frame / 2;
    painter.drawRect(rect().adjusted(inset, inset, -inset - (frame % 2), -inset - (frame % 2)));
}

void SwatchWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button());
}

void SwatchWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit released(event->button());
}

}  // namespace kalvor
