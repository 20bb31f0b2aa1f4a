#include "lang/commands/picture_stamp.h"

#include <QRect>

#include "output/color.h"

namespace kalvor {

QPoint pictureCorner(const WorldCanvas& canvas, const QImage& picture, Number x, Number y) {
    return {canvas.windowX(x) - picture.width() / 2, canvas.windowY(y) - picture.height() / 2};
}

void stampPicture(WorldCanvas& canvas, const QImage& picture, QPoint corner, StampMode mode) {
    const QRect area =
        QRect(corner, picture.size()).intersected(QRect(0, 0, canvas.width(), canvas.height()));
    if (area.isEmpty()) return;
    QImage patch = canvas.image().copy(area).convertToFormat(QImage::Format_RGB32);
    if (mode == StampMode::White) {
        patch.fill(Qt::white);
    } else {
        const QImage source = picture.convertToFormat(QImage::Format_RGB32);
        const QPoint offset = area.topLeft() - corner;
        for (int y = 0; y < patch.height(); ++y) {
            auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y + offset.y()));
            for (int x = 0; x < patch.width(); ++x)
                out[x] = (out[x] & in[x + offset.x()]) | 0xFF000000u;
        }
    }
    canvas.drawImage(area.left(), area.top(), patch);
}

long long canvasColour(const WorldCanvas& canvas, Number x, Number y) {
    const int px = canvas.windowX(x), py = canvas.windowY(y);
    if (!canvas.image().valid(px, py)) return -1;
    const QRgb rgb = canvas.image().pixel(px, py);
    return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

}  // namespace kalvor
