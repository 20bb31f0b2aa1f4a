#pragma once

#include <QWidget>

namespace kalvor {

class WorldCanvas;

/// Shows the world canvas's bitmap, repaints whenever the canvas announces a change, and
/// reports the mouse (in canvas pixels) and its own size; it decides nothing itself.
class CanvasView : public QWidget {
    Q_OBJECT

public:
    explicit CanvasView(WorldCanvas& canvas, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {40, 40}; }

signals:
    void mousePressed(QPoint pixel, Qt::MouseButton button);
    void mouseMoved(QPoint pixel, Qt::MouseButtons buttons);
    void mouseReleased(QPoint pixel, Qt::MouseButton button);
    void sizeChanged(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    WorldCanvas& m_canvas;
};

}  // namespace kalvor
