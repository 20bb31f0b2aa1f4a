#pragma once

#include <stdexcept>
#include <string>

#include "output/color.h"

namespace kalvor {

/// Raised by the canvas for invalid world extents; what() is the exact message.
class CanvasError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PenStyle { Solid, Dot, Dash };

/// The eight brush styles, in the order of the program's fill style codes 0..7.
enum class BrushStyle {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    ForwardDiagonal,   // "\": from upper left to lower right
    BackwardDiagonal,  // "/"
    Cross,
    DiagonalCross
};

/// The brush style of a fill style code, or false for a code outside 0..7.
bool brushStyleOfCode(int code, BrushStyle& style);

enum class FloodStyle {
    Border,   // fill outward until pixels of the given colour
    Surface,  // fill the connected area that has the given colour
};

/// Pen, brush and font of the canvas: plain values, turned into Qt objects only when drawing.
struct CanvasPen {
    Color color = kBlack;
    int width = 1;  // whole pixels; 0 and below draw one pixel wide
    PenStyle style = PenStyle::Solid;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasBrush {
    Color color = kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const CanvasBrush&) const = default;
};

struct CanvasFont {
    std::string name = "Arial";
    int size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = kBlack;
    bool operator==(const CanvasFont&) const = default;
};

}  // namespace kalvor
