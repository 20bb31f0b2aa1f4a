#include <gtest/gtest.h>

#include <QColor>

#include "canvas/world_canvas.h"

namespace kalvor {
namespace {

int inkOf(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += QColor(image.pixel(x, y)) != QColor(Qt::white);
    return ink;
}

// The Greek letters of the Symbol font must reach the bitmap, not only the text.
TEST(WorldCanvasText, SymbolFontLettersArePainted) {
    for (const char* text : {"p", "-p", "a"}) {
        WorldCanvas canvas;
        canvas.resize(60, 30);
        canvas.setWorld(0, 0, 60, 30);
        canvas.font().name = "Symbol";
        canvas.d2TextOut(text, 0, 5, 25);
        EXPECT_GT(inkOf(canvas.image()), std::string(text).size() * 5) << text;
    }
}

}  // namespace
}  // namespace kalvor
