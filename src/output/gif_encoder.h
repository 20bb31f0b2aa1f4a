#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "output/color.h"

namespace kalvor {

/// One picture of a GIF file and how it is shown.
struct GifFrame {
    QImage image;
    int delayMs = 0;  // stored in hundredths of a second (delayMs / 10)
    bool transparent = false;
    Color transparentColor = kWhite;
    int disposal = 0;  // 2: restore to the background before the next frame
};

/// Options for the whole file.
struct GifOptions {
    bool interlaced = false;
    /// One palette for all frames when their colours together fit in 256; otherwise each
    /// frame gets its own (exact where it fits, reduced by the encoder where not).
    bool globalPalette = true;
    /// Written as the "NETSCAPE2.0" looping extension, only with more than one frame.
    int loopCount = 0;
    /// Called with the percentage done after each frame.
    std::function<void(int)> progress;
};

/// What the encoder did: giflib's error code and text on failure, and whether the frames
/// shared one palette.
struct GifResult {
    bool ok = false;
    int errorCode = 0;
    std::string errorText;
    bool globalPalette = false;
};

/// Encodes the frames as a GIF89a file into `bytes` (replaced). No frames is an error.
GifResult encodeGif(const std::vector<GifFrame>& frames, const GifOptions& options,
                    std::string& bytes);

/// The first picture of a GIF file as an RGB32 image, transparent pixels white (so that a
/// stamped picture leaves the canvas unchanged there); a null image when it does not decode.
QImage decodeGif(const std::string& bytes);

}  // namespace kalvor
