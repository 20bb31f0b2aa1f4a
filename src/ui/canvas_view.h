#pragma once

#include <QWidget>
#include <vector>

#include "graph/canvas_navigation.h"

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
    /// Points marked over the picture (the trace); they are not part of the canvas.
    void setMarks(std::vector<TraceReadout::Mark> marks);
    const std::vector<TraceReadout::Mark>& marks() const { return m_marks; }

signals:
    void mousePressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseMoved(QPoint pixel, Qt::MouseButtons buttons);
    void mouseReleased(QPoint pixel, Qt::MouseButton button);
    void sizeChanged(QSize size);
    /// The wheel turned by whole notches (positive: away from the user).
    void wheelTurned(QPoint pixel, int notches);
    void pointerLeft();
    /// Device pixels per canvas pixel the canvas should draw at: the screen's ratio
    /// rounded up, at most 3 (the rest is scaled when shown).
    void deviceRatioChanged(int ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    WorldCanvas& m_canvas;
    std::vector<TraceReadout::Mark> m_marks;
    void followRatio();
    int m_ratio = 1;
    int m_wheelRest = 0;  // eighths of a degree short of a notch (fine-grained wheels)
};

}  // namespace kalvor
