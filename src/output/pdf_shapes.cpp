#include <array>
#include <cmath>
#include <numbers>

#include "output/pdf_recorder.h"

// Curved figures of the PDF recorder, built from cubic Bézier segments.

namespace kalvor {

namespace {

constexpr Number kPi = std::numbers::pi_v<long double>;
constexpr Number kQuarter = 0.5522847L;  // control distance of a quarter circle

struct Vec {
    Number x, y;
};

// Brings an angle into 0 … 2π.
Number normalAngle(Number a) {
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

}  // namespace

void PdfRecorder::circleByRadius(Color stroke, bool fill, Color fillColor, Number cx, Number cy,
                                 Number r) {
    ellipsePath(stroke, fill, fillColor, cx, cy, r, r, 0);
}

void PdfRecorder::circle(Color stroke, bool fill, Color fillColor, Number x1, Number y1, Number x2,
                         Number y2) {
    circleByRadius(stroke, fill, fillColor, x1, y1, std::hypot(x2 - x1, y2 - y1));
}

void PdfRecorder::ellipse(Color stroke, bool fill, Color fillColor, Number x1, Number y1, Number x2,
                          Number y2) {
    rotatedEllipse(stroke, fill, fillColor, x1, y1, x2, y2, 0);
}

void PdfRecorder::rotatedEllipse(Color stroke, bool fill, Color fillColor, Number x1, Number y1,
                                 Number x2, Number y2, Number angle) {
    ellipsePath(stroke, fill, fillColor, (x1 + x2) / 2, (y1 + y2) / 2, std::fabs(x2 - x1) / 2,
                std::fabs(y2 - y1) / 2, angle);
}

// From the top point clockwise through the right, bottom and left points: four quarter
// arcs, turned clockwise by `angle` about the centre.
void PdfRecorder::ellipsePath(Color stroke, bool fill, Color fillColor, Number cx, Number cy,
                              Number a, Number b, Number angle) {
    const Number ka = kQuarter * a, kb = kQuarter * b;
    const std::array<Vec, 13> p = {{{0, b},
                                    {ka, b},
                                    {a, kb},
                                    {a, 0},
                                    {a, -kb},
                                    {ka, -b},
                                    {0, -b},
                                    {-ka, -b},
                                    {-a, -kb},
                                    {-a, 0},
                                    {-a, kb},
                                    {-ka, b},
                                    {0, b}}};
    const Number c = std::cos(angle), s = std::sin(angle);
    auto at = [&](const Vec& v) { return Vec{cx + v.x * c + v.y * s, cy - v.x * s + v.y * c}; };
    const Vec start = at(p[0]);
    startPath(stroke, fillColor, start.x, start.y);
    for (int i = 1; i < 13; i += 3) {
        const Vec q1 = at(p[i]), q2 = at(p[i + 1]), q3 = at(p[i + 2]);
        addCurveToPath(q1.x, q1.y, q2.x, q2.y, q3.x, q3.y);
    }
    endPath(true, fill);
}

void PdfRecorder::arc(Color stroke, Number cx, Number cy, Number rx, Number ry, Number a1,
                      Number a2) {
    arcPath(ArcShape::Open, stroke, false, kWhite, cx, cy, rx, ry, a1, a2);
}

void PdfRecorder::chord(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number rx,
                        Number ry, Number a1, Number a2) {
    arcPath(ArcShape::Chord, stroke, fill, fillColor, cx, cy, rx, ry, a1, a2);
}

void PdfRecorder::pie(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number rx,
                      Number ry, Number a1, Number a2) {
    arcPath(ArcShape::Pie, stroke, fill, fillColor, cx, cy, rx, ry, a1, a2);
}

// The sweep from a1 counter-clockwise to a2 in three equal Bézier segments.
void PdfRecorder::arcPath(ArcShape shape, Color stroke, bool fill, Color fillColor, Number cx,
                          Number cy, Number rx, Number ry, Number a1, Number a2) {
    a1 = normalAngle(a1);
    a2 = normalAngle(a2);
    if (a2 <= a1) a2 += 2 * kPi;
    auto on = [&](Number t) { return Vec{cx + rx * std::cos(t), cy + ry * std::sin(t)}; };
    auto tangent = [&](Number t) { return Vec{-rx * std::sin(t), ry * std::cos(t)}; };
    const Vec first = on(a1);
    if (shape == ArcShape::Pie) {
        startPath(stroke, fillColor, cx, cy);
        lineTo(first.x, first.y);
    } else {
        startPath(stroke, fillColor, first.x, first.y);
    }
    const Number phi = (a2 - a1) / 3;
    const Number k = 4.0L / 3 * (1 - std::cos(phi / 2)) / std::sin(phi / 2);
    for (int i = 0; i < 3; ++i) {
        const Number t0 = a1 + i * phi, t1 = i == 2 ? a2 : a1 + (i + 1) * phi;
        const Vec p0 = on(t0), p1 = on(t1), d0 = tangent(t0), d1 = tangent(t1);
        addCurveToPath(p0.x + k * d0.x, p0.y + k * d0.y, p1.x - k * d1.x, p1.y - k * d1.y, p1.x,
                       p1.y);
    }
    endPath(shape != ArcShape::Open, fill);
}

// Wings of √2/60 of the page, 45 degrees back from the shaft, whatever the vector's length.
void PdfRecorder::drawVector(Color color, Number x, Number y, Number dx, Number dy) {
    const Number wd = m_x2 - m_x1, hd = m_y2 - m_y1;
    const Number u = dx / wd, v = dy / hd;
    const Number l = 60 * std::sqrt(u * u + v * v);
    if (!(l > 0)) return;
    const Number tx = x + dx, ty = y + dy;
    startPath(color, kWhite, x, y);
    lineTo(tx, ty);
    lineTo(tx + wd * (-v - u) / l, ty + hd * (u - v) / l);
    moveTo(tx, ty);
    lineTo(tx + wd * (v - u) / l, ty + hd * (-u - v) / l);
    add("S");
}

}  // namespace kalvor
