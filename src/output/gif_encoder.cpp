#include "output/gif_encoder.h"

#include <gif_lib.h>

#include <array>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kalvor {

namespace {

constexpr int kMaxGifSide = 65535;

}  // namespace

namespace {

constexpr int kMaxColours = 256;

// An image reduced to palette indices.
struct IndexedImage {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels;
};

QImage asRgb32(const QImage& image) {
    if (image.format() == QImage::Format_RGB32) return image;
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    if (image.hasAlphaChannel()) {
        QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(opaque.scanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                const int a = qAlpha(in[x]);
                auto over = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
                out[x] = qRgb(over(qRed(in[x])), over(qGreen(in[x])), over(qBlue(in[x])));
            }
        }
        return opaque;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// Collects the colours of the images into `index` (colour → palette position) and
// `palette`; false as soon as there are more than 256.
bool collectColours(const std::vector<const QImage*>& images,
                    std::unordered_map<QRgb, GifByteType>& index,
                    std::vector<GifColorType>& palette) {
    for (const QImage* image : images) {
        QRgb last = 0;
        bool haveLast = false;
        for (int y = 0; y < image->height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image->constScanLine(y));
            for (int x = 0; x < image->width(); ++x) {
                const QRgb c = row[x] | 0xFF000000u;
                if (haveLast && c == last) continue;  // drawings have long runs of one colour
                last = c;
                haveLast = true;
                if (index.contains(c)) continue;
                if (palette.size() == kMaxColours) return false;
                index.emplace(c, static_cast<GifByteType>(palette.size()));
                palette.push_back({static_cast<GifByteType>(qRed(c)),
                                   static_cast<GifByteType>(qGreen(c)),
                                   static_cast<GifByteType>(qBlue(c))});
            }
        }
    }
    return true;
}

std::vector<GifByteType> indexPixels(const QImage& image,
                                     const std::unordered_map<QRgb, GifByteType>& index) {
    std::vector<GifByteType> pixels(static_cast<std::size_t>(image.width()) * image.height());
    std::size_t k = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb last = 0;
        GifByteType lastIndex = 0;
        bool haveLast = false;
        for (int x = 0; x < image.width(); ++x, ++k) {
            const QRgb c = row[x] | 0xFF000000u;
            if (!haveLast || c != last) {
                lastIndex = index.at(c);
                last = c;
                haveLast = true;
            }
            pixels[k] = lastIndex;
        }
    }
    return pixels;
}

// More than 256 colours: giflib's median-cut reduction.
bool quantize(const QImage& image, IndexedImage& out) {
    const std::size_t n = static_cast<std::size_t>(image.width()) * image.height();
    std::vector<GifByteType> r(n), g(n), b(n);
    std::size_t k = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++k) {
            r[k] = static_cast<GifByteType>(qRed(row[x]));
            g[k] = static_cast<GifByteType>(qGreen(row[x]));
            b[k] = static_cast<GifByteType>(qBlue(row[x]));
        }
    }
    int size = kMaxColours;
    out.palette.assign(kMaxColours, GifColorType{0, 0, 0});
    out.pixels.assign(n, 0);
    if (GifQuantizeBuffer(static_cast<unsigned>(image.width()),
                          static_cast<unsigned>(image.height()), &size, r.data(), g.data(),
                          b.data(), out.pixels.data(), out.palette.data()) != GIF_OK)
        return false;
    out.palette.resize(static_cast<std::size_t>(size));
    return true;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, MapDeleter>;

// giflib wants a power of two of at least two entries; the padding is black.
ColorMap makeColorMap(std::vector<GifColorType> palette) {
    std::size_t size = 2;
    while (size < palette.size())
        size *= 2;
    palette.resize(size, GifColorType{0, 0, 0});
    return ColorMap(GifMakeMapObject(static_cast<int>(size), palette.data()));
}

int transparentIndex(const std::vector<GifColorType>& palette, Color colour) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const GifColorType& c = palette[i];
        if (c.Red == redOf(colour) && c.Green == greenOf(colour) && c.Blue == blueOf(colour))
            return static_cast<int>(i);
    }
    return NO_TRANSPARENT_COLOR;
}

int writeBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

// Writes the GIF stream; every giflib call that fails leaves its code in gif->Error.
class GifWriter {
public:
    GifWriter(std::string& bytes) {
        int error = 0;
        m_gif = EGifOpen(&bytes, writeBytes, &error);
        m_error = m_gif ? 0 : error;
    }
    ~GifWriter() {
        if (m_gif) EGifCloseFile(m_gif, nullptr);
    }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool ok() const { return m_error == 0; }
    int error() const { return m_error; }

    void screen(int width, int height, const ColorMapObject* globalMap) {
        if (!ok()) return;
        EGifSetGifVersion(m_gif, true);
        check(EGifPutScreenDesc(m_gif, width, height, 8, 0, globalMap));
    }
    void loop(int count) {
        static constexpr char kApplication[] = "NETSCAPE2.0";
        const GifByteType sub[3] = {1, static_cast<GifByteType>(count & 0xFF),
                                    static_cast<GifByteType>((count >> 8) & 0xFF)};
        if (!ok()) return;
        check(EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE));
        check(EGifPutExtensionBlock(m_gif, 11, kApplication));
        check(EGifPutExtensionBlock(m_gif, 3, sub));
        check(EGifPutExtensionTrailer(m_gif));
    }
    void control(const GraphicsControlBlock& block) {
        GifByteType bytes[4];
        const std::size_t length = EGifGCBToExtension(&block, bytes);
        if (ok())
            check(EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), bytes));
    }
    // Interlaced images go out in the four passes of the format.
    void image(int width, int height, bool interlaced, const ColorMapObject* localMap,
               std::vector<GifByteType>& pixels) {
        if (!ok()) return;
        check(EGifPutImageDesc(m_gif, 0, 0, width, height, interlaced, localMap));
        static constexpr std::array<std::pair<int, int>, 4> kPasses{
            {{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
        const auto putRow = [&](int y) {
            if (ok())
                check(
                    EGifPutLine(m_gif, pixels.data() + static_cast<std::size_t>(y) * width, width));
        };
        if (!interlaced) {
            for (int y = 0; y < height; ++y)
                putRow(y);
            return;
        }
        for (auto [start, step] : kPasses)
            for (int y = start; y < height; y += step)
                putRow(y);
    }
    int close() {
        int error = 0;
        if (EGifCloseFile(m_gif, &error) == GIF_ERROR && ok()) m_error = error;
        m_gif = nullptr;
        return m_error;
    }

private:
    void check(int status) {
        if (status == GIF_ERROR && ok())
            m_error = m_gif->Error ? m_gif->Error : E_GIF_ERR_WRITE_FAILED;
    }

    GifFileType* m_gif = nullptr;
    int m_error = 0;
};

GifResult failure(int code) {
    GifResult result;
    result.errorCode = code;
    const char* text = GifErrorString(code);
    result.errorText = text ? text : "Unknown error";
    return result;
}

}  // namespace

GifResult encodeGif(const std::vector<GifFrame>& frames, const GifOptions& options,
                    std::string& bytes) {
    bytes.clear();
    if (frames.empty()) return failure(E_GIF_ERR_DATA_TOO_BIG);
    std::vector<QImage> images;
    std::vector<const QImage*> all;
    int width = 0, height = 0;
    for (const GifFrame& frame : frames) {
        // GIF sizes are 16-bit: a larger picture would be written with a wrapped size.
        if (frame.image.isNull() || frame.image.width() > kMaxGifSide ||
            frame.image.height() > kMaxGifSide)
            return failure(E_GIF_ERR_DATA_TOO_BIG);
        images.push_back(asRgb32(frame.image));
        width = std::max(width, frame.image.width());
        height = std::max(height, frame.image.height());
    }
    for (const QImage& image : images)
        all.push_back(&image);

    std::unordered_map<QRgb, GifByteType> globalIndex;
    std::vector<GifColorType> globalPalette;
    const bool global = options.globalPalette && collectColours(all, globalIndex, globalPalette);
    const ColorMap globalMap = global ? makeColorMap(globalPalette) : nullptr;

    GifWriter writer(bytes);
    writer.screen(width, height, globalMap.get());
    if (frames.size() > 1) writer.loop(options.loopCount);
    for (std::size_t i = 0; i < frames.size() && writer.ok(); ++i) {
        IndexedImage indexed;
        if (global) {
            indexed.palette = globalPalette;
            indexed.pixels = indexPixels(images[i], globalIndex);
        } else {
            std::unordered_map<QRgb, GifByteType> index;
            if (collectColours({&images[i]}, index, indexed.palette))
                indexed.pixels = indexPixels(images[i], index);
            else if (!quantize(images[i], indexed))
                return failure(E_GIF_ERR_NOT_ENOUGH_MEM);
        }
        const GifFrame& frame = frames[i];
        GraphicsControlBlock control{};
        control.DisposalMode = frame.disposal;
        control.DelayTime = frame.delayMs / 10;
        control.TransparentColor = frame.transparent
                                       ? transparentIndex(indexed.palette, frame.transparentColor)
                                       : NO_TRANSPARENT_COLOR;
        writer.control(control);
        const ColorMap localMap = global ? nullptr : makeColorMap(indexed.palette);
        writer.image(images[i].width(), images[i].height(), options.interlaced, localMap.get(),
                     indexed.pixels);
        if (options.progress) options.progress(static_cast<int>((i + 1) * 100 / frames.size()));
    }
    const int error = writer.close();
    if (error != 0) {
        bytes.clear();
        return failure(error);
    }
    GifResult result;
    result.ok = true;
    result.globalPalette = global;
    return result;
}

namespace {

int readBytes(GifFileType* gif, GifByteType* data, int length) {
    auto* source = static_cast<std::pair<const std::string*, std::size_t>*>(gif->UserData);
    const std::size_t left = source->first->size() - source->second;
    const std::size_t n = std::min(left, static_cast<std::size_t>(std::max(length, 0)));
    std::memcpy(data, source->first->data() + source->second, n);
    source->second += n;
    return static_cast<int>(n);
}

// Pictures with more pixels than this are refused before anything is allocated for them.
constexpr long long kMaxDecodedPixels = 1LL << 26;

// The image lies inside a screen of a size we are willing to allocate.
bool imageFits(const GifFileType* gif) {
    const GifImageDesc& d = gif->Image;
    return gif->SWidth > 0 && gif->SHeight > 0 &&
           static_cast<long long>(gif->SWidth) * gif->SHeight <= kMaxDecodedPixels && d.Left >= 0 &&
           d.Top >= 0 && d.Width > 0 && d.Height > 0 && d.Left + d.Width <= gif->SWidth &&
           d.Top + d.Height <= gif->SHeight;
}

// The rows of the current image, interlaced ones put back in their places.
bool readRaster(GifFileType* gif, std::vector<GifByteType>& raster) {
    const GifImageDesc& d = gif->Image;
    raster.assign(static_cast<std::size_t>(d.Width) * d.Height, 0);
    const auto readRow = [&](int y) {
        return DGifGetLine(gif, &raster[static_cast<std::size_t>(y) * d.Width], d.Width) == GIF_OK;
    };
    if (!d.Interlace) {
        for (int y = 0; y < d.Height; ++y)
            if (!readRow(y)) return false;
        return true;
    }
    constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < d.Height; y += kStep[pass])
            if (!readRow(y)) return false;
    return true;
}

// Reads records up to the first image: its raster and the transparent index of the graphic
// control block before it. Only that image is read, so later frames cost nothing.
bool readFirstImage(GifFileType* gif, std::vector<GifByteType>& raster, int& transparent) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
            GraphicsControlBlock control{};
            if (code == GRAPHICS_EXT_FUNC_CODE && block &&
                DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparent = control.TransparentColor;
            while (block)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR || !imageFits(gif)) return false;
            return readRaster(gif, raster);
        }
    } while (type != TERMINATE_RECORD_TYPE);
    return false;
}

}  // namespace

QImage decodeGif(const std::string& bytes) {
    std::pair<const std::string*, std::size_t> source{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, readBytes, &error);
    if (!gif) return {};
    QImage image;
    std::vector<GifByteType> raster;
    int transparent = NO_TRANSPARENT_COLOR;
    if (readFirstImage(gif, raster, transparent)) {
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (map) {
            image = QImage(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
            image.fill(Qt::white);
            for (int y = 0; y < desc.Height; ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(desc.Top + y));
                for (int x = 0; x < desc.Width; ++x) {
                    const int k = raster[static_cast<std::size_t>(y) * desc.Width + x];
                    if (k == transparent || k >= map->ColorCount) continue;
                    const GifColorType& c = map->Colors[k];
                    row[desc.Left + x] = qRgb(c.Red, c.Green, c.Blue);
                }
            }
        }
    }
    DGifCloseFile(gif, &error);
    return image;
}

}  // namespace kalvor
