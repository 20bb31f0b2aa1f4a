#include "output/image_files.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "output/atomic_file.h"
#include "output/gif_encoder.h"
#include "output/output_messages.h"

namespace kalvor {

namespace {

std::optional<std::string> encodeWithQt(const QImage& image, const char* format,
                                        std::string& bytes) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) return std::string("Qt kon het plaatje niet coderen.");
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return std::nullopt;
}

std::optional<std::string> encodePng(const QImage& image, const ImageSaveOptions&,
                                     std::string& bytes) {
    return encodeWithQt(image, "PNG", bytes);
}

// 24 bits per pixel: an image without alpha is written without it.
std::optional<std::string> encodeBmp(const QImage& image, const ImageSaveOptions&,
                                     std::string& bytes) {
    return encodeWithQt(image.convertToFormat(QImage::Format_RGB888), "BMP", bytes);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// libjpeg at its defaults. Only plain C data lives between setjmp and the calls that may
// jump back to it.
bool jpegCompress(const QImage& rgb, unsigned char** out, unsigned long* size) {
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFailed;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

std::optional<std::string> encodeJpeg(const QImage& image, const ImageSaveOptions&,
                                      std::string& bytes) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const bool ok = !rgb.isNull() && jpegCompress(rgb, &out, &size);
    if (ok) bytes.assign(reinterpret_cast<const char*>(out), size);
    std::free(out);
    if (!ok) return std::string("libjpeg kon het plaatje niet coderen.");
    return std::nullopt;
}

// One interlaced frame with a global palette; white transparent when asked.
std::optional<std::string> encodeGifFile(const QImage& image, const ImageSaveOptions& options,
                                         std::string& bytes) {
    GifFrame frame;
    frame.image = image;
    frame.transparent = options.transparentGif;
    frame.transparentColor = kWhite;
    GifOptions gif;
    gif.interlaced = true;
    const GifResult result = encodeGif({frame}, gif, bytes);
    if (!result.ok) return gifSaveFailedMessage(result.errorCode, result.errorText);
    return std::nullopt;
}

constexpr ImageFormat kFormats[] = {
    {".png", encodePng},   {".bmp", encodeBmp},     {".jpg", encodeJpeg},
    {".jpeg", encodeJpeg}, {".gif", encodeGifFile},
};

std::string lowerExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string ext(path.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool nameHoldsGif(std::string_view path) {
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find(".gif") != std::string::npos;
}

}  // namespace

const ImageFormat* imageFormatFor(std::string_view path) {
    const std::string ext = lowerExtension(path);
    for (const ImageFormat& format : kFormats)
        if (format.extension == ext) return &format;
    return nullptr;
}

std::optional<std::string> saveImageFile(const QImage& image, const std::string& path,
                                         const ImageSaveOptions& options) {
    const ImageFormat* format = imageFormatFor(path);
    if (!format) return unknownImageKindMessage(path);
    std::string bytes;
    if (image.isNull()) return cannotEncodeImageMessage(path);
    if (auto problem = format->encode(image, options, bytes)) return problem;
    if (!writeFileAtomically(path, bytes)) return cannotWriteImageMessage(path);
    return std::nullopt;
}

QImage decodePicture(const std::string& bytes, std::string_view extension) {
    if (extension == ".gif") return decodeGif(bytes);
    const ImageFormat* format = imageFormatFor(extension);
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)),
                            format ? format->extension.data() + 1 : nullptr))
        return {};
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

// Any name holding ".gif" is read as GIF, whatever its last extension.
QImage loadPictureFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    const std::string ext = nameHoldsGif(path) ? std::string(".gif") : lowerExtension(path);
    return decodePicture(std::string(data.constData(), static_cast<std::size_t>(data.size())), ext);
}

}  // namespace kalvor
