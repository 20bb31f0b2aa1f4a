#pragma once

#include <optional>
#include <string>

#include "canvas/canvas_types.h"
#include "canvas/point_list.h"
#include "expr/number.h"
#include "output/color.h"

namespace kalvor {

struct FontStyleSet {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontStyleSet&) const = default;
};

/// The drawing state of one program run: what the state commands set and the figure
/// commands apply to the canvas. Reset at the start of every run.
struct DrawingState {
    Color penColor = kBlack;
    int lineWidth = 1;
    Color fillColor = kWhite;
    int fillStyle = 1;  // 0..7, see brushStyleOfCode
    int fontHalfPoints = 20;
    std::string fontName;
    std::string defaultFontName;
    FontStyleSet fontStyle;
};

/// A saved copy of the canvas's pen, brush and font.
struct CanvasAttributes {
    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
};

// Arguments of the figures, in world coordinates.
struct Segment {
    Number x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
using Box = Segment;  // opposite corners
struct VectorArgs {
    Number x = 0, y = 0, dx = 0, dy = 0;
};
struct CircleArgs {
    Number mx = 0, my = 0, r = 0;
};
/// A circle and the angles, in radians, between which its arc runs counter-clockwise.
struct ArcArgs {
    Number mx = 0, my = 0, r = 0, a1 = 0, a2 = 0;
};
struct TextArgs {
    std::string text;
    Number x = 0, y = 0;
    Number angle = 0;  // degrees, counter-clockwise
};
/// A dot of `size` pixels radius around (x, y).
struct DotArgs {
    Number x = 0, y = 0, size = 0;
};
/// The ellipse in the box with opposite corners (x1, y1), (x2, y2), turned counter-clockwise
/// by `alpha` radians about the box centre.
struct RotatedEllipseArgs {
    Number x1 = 0, y1 = 0, x2 = 0, y2 = 0, alpha = 0;
};
struct AlignedTextArgs {
    std::string text;
    std::string alignment;  // two letters: l/c/r then t/c/b
    Number x = 0, y = 0;
    /// What the picture text writes instead of `text` (TeX that the screen cannot show).
    std::optional<std::string> pictureText = std::nullopt;
};

}  // namespace kalvor
