#pragma once

// Renders an SVG file the way outside viewers do; Qt's own renderer knows neither patterns
// nor some attributes, so it is only the fallback where rsvg-convert is missing.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "file_checks.h"

namespace kalvor::test {

/// The SVG at `png` (written next to it), `width` × `height` pixels on white; null when the
/// renderer failed.
inline QImage renderSvgFile(const QString& svg, const QString& png, int width, int height) {
    if (haveProgram("rsvg-convert")) {
        const QStringList args{
            "-w", QString::number(width), "-h", QString::number(height), "-b", "white", "-o", png,
            svg};
        std::string log;
        if (runProgram("rsvg-convert", args, &log) != 0) return {};
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QSvgRenderer(svg).render(&painter);
    image.save(png);
    return image;
}

}  // namespace kalvor::test
