// Picture files from libFuzzer, read as laadplaatje reads GIF and BMP files. Whatever
// decodes is an opaque image of a bounded size that the GIF writer encodes and the GIF
// reader decodes back at the same size.
#include <cstddef>
#include <cstdint>
#include <string>

#include "output/gif_encoder.h"
#include "output/image_files.h"

namespace {

// The most pixels a decoded picture may hold (what Qt's readers allow by default).
constexpr long long kMaxPixels = 1LL << 26;

void check(const QImage& image) {
    if (image.isNull()) return;
    const long long pixels = static_cast<long long>(image.width()) * image.height();
    if (image.format() != QImage::Format_RGB32 || pixels > kMaxPixels) __builtin_trap();
    if (pixels > 1 << 20) return;  // keeps the round trip quick
    // GIF sizes are 16-bit: wider or taller pictures must be refused, not wrapped.
    const bool fits = image.width() <= 65535 && image.height() <= 65535;
    std::string bytes;
    if (kalvor::encodeGif({kalvor::GifFrame{image}}, {}, bytes).ok != fits) __builtin_trap();
    if (fits && kalvor::decodeGif(bytes).size() != image.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check(kalvor::decodePicture(bytes, ".gif"));
    check(kalvor::decodePicture(bytes, ".bmp"));
    return 0;
}
