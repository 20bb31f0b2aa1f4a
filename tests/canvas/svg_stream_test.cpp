#include "canvas/svg_stream.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <functional>

#include "../support/file_checks.h"

namespace kalvor {
namespace {

QPainterPath pathOf(std::initializer_list<QPointF> points) {
    QPainterPath path(*points.begin());
    for (auto p = points.begin() + 1; p != points.end(); ++p)
        path.lineTo(*p);
    return path;
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string drawnSvg(const std::function<void(QPainter&)>& draw) {
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/s.svg").toStdString();
    SvgStream svg(QSize(200, 160));
    QPainter painter(&svg);
    draw(painter);
    EXPECT_TRUE(svg.save(file, QSize(200, 160)));
    return test::readBytes(QString::fromStdString(file));
}

QBrush hatch(Qt::BrushStyle style, qreal scale) {
    QBrush brush(Qt::blue, style);
    brush.setTransform(QTransform::fromScale(scale, scale));
    return brush;
}

TEST(SvgStream, WritesCompactElements) {
    const QPen black(Qt::black, 0), red(Qt::red, 0);
    QPen dotted(Qt::black, 0);
    dotted.setDashPattern({4, 4});
    dotted.setCapStyle(Qt::FlatCap);
    QPen wide(Qt::black, 3);
    wide.setCapStyle(Qt::RoundCap);
    wide.setJoinStyle(Qt::RoundJoin);
    QPainterPath triangle = pathOf({{0, 0}, {10, 0}, {0, 10}});
    triangle.closeSubpath();
    QImage green(3, 2, QImage::Format_RGB32);
    green.fill(Qt::green);
    const struct Row {
        const char* what;
        std::function<void(QPainter&)> draw;
        std::vector<std::string> present, absent;
        std::size_t paths;
    } rows[] = {
        // clang-format off
        {"strokes with one pen share a path",
         [&](QPainter& p) {
             p.strokePath(pathOf({{0, 159}, {199, 0}}), black);
             p.strokePath(pathOf({{1, 2}, {3, 4}, {5, 6}}), black);
         },
         {"d=\"M0,159 L199,0 M1,2 L3,4 L5,6\"", "vector-effect=\"non-scaling-stroke\""}, {}, 1},
        {"a new pen starts a new path",
         [&](QPainter& p) {
             p.strokePath(pathOf({{0, 0}, {1, 1}}), black);
             p.strokePath(pathOf({{2, 2}, {3, 3}}), red);
             p.strokePath(pathOf({{4, 4}, {5, 5}}), black);
         },
         {"stroke=\"#ff0000\" stroke-width=\"1\"", "d=\"M4,4 L5,5\""}, {}, 3},
        {"long runs of strokes are split, readers limit attribute sizes",
         [&](QPainter& p) {
             for (int i = 0; i < 10000; ++i)
                 p.strokePath(pathOf({{1000, 1000}, {2000, 2000}}), black);
         },
         {}, {}, 4},
        {"a shifted text keeps no matrix",
         [&](QPainter& p) { p.translate(10, 20), p.drawText(QPointF(1, 5), "x"); },
         {"x=\"11\" y=\"25\""}, {"matrix"}, 0},
        {"fractions to hundredths, negatives, curves",
         [&](QPainter& p) {
             QPainterPath path(QPointF(0.5, -1.25));
             path.cubicTo(1.0 / 3, 2, -0.004, 3, 4, -5.999);
             p.strokePath(path, black);
         },
         {"d=\"M0.5,-1.25 C0.33,2 0,3 4,-6\""}, {}, 1},
        {"dashes, caps and joins",
         [&](QPainter& p) {
             p.strokePath(pathOf({{0, 0}, {9, 0}}), dotted);
             p.strokePath(pathOf({{0, 0}, {9, 0}}), wide);
         },
         {"stroke-dasharray=\"4,4\"",
          "stroke-width=\"3\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d="},
         {"stroke-linecap=\"butt\""}, 2},
        {"fills close and keep their rule; the outline is a stroke",
         [&](QPainter& p) { p.setPen(red), p.setBrush(QColor(0, 160, 0)), p.drawPath(triangle); },
         {"<path fill=\"#00a000\" fill-rule=\"evenodd\" d=\"M0,0 L10,0 L0,10 L0,0Z\"/>"}, {}, 2},
        {"a hatch is a pattern, defined once, at the brush's scale",
         [&](QPainter& p) {
             p.fillPath(triangle, hatch(Qt::CrossPattern, 2));
             p.fillPath(triangle, hatch(Qt::CrossPattern, 2));
             p.fillPath(triangle, hatch(Qt::FDiagPattern, 1));
         },
         {"<pattern id=\"h1\" width=\"16\" height=\"16\"", "<pattern id=\"h2\" width=\"8\"",
          "fill=\"url(#h2)\""},
         {"<pattern id=\"h3\""}, 3 + 2},
        {"text with its font, colour and turn, escaped",
         [&](QPainter& p) {
             QFont font("DejaVu Sans");
             font.setPixelSize(27);
             font.setBold(true);
             p.setFont(font), p.setPen(Qt::red), p.translate(10, 20), p.rotate(-90);
             p.drawText(QPointF(0, 5), "a<b & \"c\"\x01");
         },
         {"font-size=\"27\" font-weight=\"bold\" fill=\"#ff0000\" transform=\"matrix(0 -1 1 0 10 "
          "20)\">a&lt;b &amp; &quot;c&quot;</text>"},
         {"\x01"}, 0},
        {"an image is an embedded PNG",
         [&](QPainter& p) { p.drawImage(QRect(4, 6, 6, 4), green); },
         {"x=\"4\" y=\"6\" width=\"6\" height=\"4\" xlink:href=\"data:image/png;base64,iVBOR"},
         {}, 0},
        // clang-format on
    };
    for (const Row& r : rows) {
        const std::string svg = drawnSvg(r.draw);
        EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << r.what;
        EXPECT_NE(svg.find("viewBox=\"0 0 200 160\""), std::string::npos) << r.what;
        EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n") << r.what;
        for (const std::string& part : r.present)
            EXPECT_NE(svg.find(part), std::string::npos) << r.what << ": " << part << "\n" << svg;
        for (const std::string& part : r.absent)
            EXPECT_EQ(svg.find(part), std::string::npos) << r.what << ": " << part << "\n" << svg;
        EXPECT_EQ(countOf(svg, "<path"), r.paths) << r.what << "\n" << svg;
    }
}

// Saving closes the open path but drawing goes on: later strokes appear in a later save,
// and restarting forgets everything, patterns included.
TEST(SvgStream, SavesRepeatedlyAndRestarts) {
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/s.svg").toStdString();
    SvgStream svg(QSize(10, 10));
    QPainter painter(&svg);
    const QPen pen(Qt::black, 0);
    painter.strokePath(pathOf({{0, 0}, {1, 1}}), pen);
    ASSERT_TRUE(svg.save(file, QSize(10, 10)));
    painter.strokePath(pathOf({{2, 2}, {3, 3}}), pen);
    ASSERT_TRUE(svg.save(file, QSize(20, 10)));
    std::string text = test::readBytes(QString::fromStdString(file));
    EXPECT_NE(text.find("d=\"M0,0 L1,1\"/>\n<path"), std::string::npos) << text;
    EXPECT_NE(text.find("d=\"M2,2 L3,3\""), std::string::npos) << text;
    EXPECT_NE(text.find("viewBox=\"0 0 20 10\""), std::string::npos);
    painter.fillPath(pathOf({{0, 0}, {5, 0}, {0, 5}}), hatch(Qt::HorPattern, 1));
    svg.restart();
    painter.fillPath(pathOf({{0, 0}, {5, 0}, {0, 5}}), hatch(Qt::HorPattern, 1));
    ASSERT_TRUE(svg.save(file, QSize(10, 10)));
    text = test::readBytes(QString::fromStdString(file));
    EXPECT_EQ(text.find("M0,0 L1,1"), std::string::npos) << text;
    EXPECT_EQ(countOf(text, "<pattern"), 1u) << text;
    EXPECT_FALSE(svg.save(dir.path().toStdString() + "/missing/s.svg", QSize(10, 10)));
}

}  // namespace
}  // namespace kalvor
