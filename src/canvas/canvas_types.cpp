#include "canvas/canvas_types.h"

namespace kalvor {

bool brushStyleOfCode(int code, BrushStyle& style) {
    if (code < 0 || code > 7) return false;
    style = static_cast<BrushStyle>(code);
    return true;
}

}  // namespace kalvor
