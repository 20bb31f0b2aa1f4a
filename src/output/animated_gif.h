#pragma once

#include <functional>
#include <string>
#include <vector>

#include "output/color.h"

namespace kalvor {

/// What the animated-GIF builder joins: GIF and BMP files in list order, each shown for the
/// same delay, into one endlessly looping GIF.
struct AnimatedGifRequest {
    std::vector<std::string> inputs;
    std::string output;
    int delayMs = 10;  // the file stores hundredths of a second
    bool transparent = true;
    Color transparentColor = kWhite;
    /// Called with the percentage done after each frame.
    std::function<void(int)> progress;
};

/// The builder's verdict: whether the file was written, and the message it shows.
struct AnimatedGifOutcome {
    bool ok = false;
    std::string message;
};

/// Loads the inputs (a name holding ".gif" as GIF, others as bitmaps), encodes them with
/// disposal "restore to background" and a global palette where the colours fit, and writes
/// the file atomically: on failure nothing is left at the output name.
AnimatedGifOutcome buildAnimatedGif(const AnimatedGifRequest& request);

}  // namespace kalvor
