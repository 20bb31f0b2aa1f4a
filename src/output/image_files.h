#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

namespace kalvor {

/// Choices that change what a raster file holds.
struct ImageSaveOptions {
    /// GIF files get white as their transparent colour ("Transparante Gif's").
    bool transparentGif = true;
};

/// Encodes an image into the bytes of one file format; returns a Dutch message on failure.
using ImageEncoder = std::optional<std::string> (*)(const QImage& image,
                                                    const ImageSaveOptions& options,
                                                    std::string& bytes);

/// A raster file format by its file extension (with the dot, lower case).
struct ImageFormat {
    std::string_view extension;
    ImageEncoder encode;
};

/// The raster format of a file name by its extension (any case); nullptr for other names.
const ImageFormat* imageFormatFor(std::string_view path);

/// Writes the image in the format of the file's extension, atomically: on failure the
/// previous file is untouched and the Dutch message is returned.
std::optional<std::string> saveImageFile(const QImage& image, const std::string& path,
                                         const ImageSaveOptions& options = {});

/// A picture file as an RGB32 image (GIF through the GIF decoder, others through Qt's
/// readers; transparency over white); a null image when it cannot be read.
QImage loadPictureFile(const std::string& path);

/// The bytes of a picture file as an RGB32 image: GIF through the GIF decoder, other kinds
/// through Qt's reader for the extension (".bmp", ".png", ".jpg"; by content when it names
/// no raster kind); a null image when they do not decode.
QImage decodePicture(const std::string& bytes, std::string_view extension);

}  // namespace kalvor
