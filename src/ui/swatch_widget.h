#pragma once

#include <QWidget>

#include "canvas/canvas_types.h"
#include "output/color.h"

namespace kalvor {

/// A small colour box of a side panel: shows a colour, a fill pattern and, as the width of
/// its frame, a line width. It reports presses and releases with their mouse button; what a
/// click means is up to the window that owns it.
class SwatchWidget : public QWidget {
    Q_OBJECT

public:
    explicit SwatchWidget(QWidget* parent = nullptr);

    Color colour() const { return m_colour; }
    int lineWidth() const { return m_lineWidth; }
    BrushStyle brushStyle() const { return m_style; }
    void setColour(Color colour);
    void setLineWidth(int width);
    void setBrushStyle(BrushStyle style);

    QSize sizeHint() const override { return {28, 21}; }

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Color m_colour = kBlack;
    int m_lineWidth = 1;
    BrushStyle m_style = BrushStyle::Solid;
};

}  // namespace kalvor
