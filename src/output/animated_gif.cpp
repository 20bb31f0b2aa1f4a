#include "output/animated_gif.h"

#include <gif_lib.h>

#include "output/atomic_file.h"
#include "output/gif_encoder.h"
#include "output/image_files.h"
#include "output/output_messages.h"

namespace kalvor {

namespace {

constexpr int kRestoreToBackground = 2;

AnimatedGifOutcome failure(int code) {
    const char* text = GifErrorString(code);
    return {false, animationSaveFailedMessage(code, text ? text : "Unknown error")};
}

}  // namespace

AnimatedGifOutcome buildAnimatedGif(const AnimatedGifRequest& request) {
    std::vector<GifFrame> frames;
    frames.reserve(request.inputs.size());
    for (const std::string& input : request.inputs) {
        GifFrame frame;
        frame.image = loadPictureFile(input);
        if (frame.image.isNull()) return failure(D_GIF_ERR_OPEN_FAILED);
        frame.delayMs = request.delayMs;
        frame.transparent = request.transparent;
        frame.transparentColor = request.transparentColor;
        frame.disposal = kRestoreToBackground;
        frames.push_back(std::move(frame));
    }
    GifOptions options;
    options.loopCount = 0;
    options.globalPalette = true;
    options.progress = request.progress;
    std::string bytes;
    const GifResult result = encodeGif(frames, options, bytes);
    if (!result.ok) return {false, animationSaveFailedMessage(result.errorCode, result.errorText)};
    if (!writeFileAtomically(request.output, bytes)) return failure(E_GIF_ERR_WRITE_FAILED);
    return {true,
            std::string(result.globalPalette ? kAnimationGlobalPalette : kAnimationLocalPalettes)};
}

}  // namespace kalvor
