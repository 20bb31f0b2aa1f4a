#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// A one-frame GIF could not be encoded: the encoder's error code and text.
inline std::string gifSaveFailedMessage(int code, std::string_view text) {
    return "Opslaan als GIF Mislukt. Fout Code=" + std::to_string(code) + " [" + std::string(text) +
           "]";
}

/// The animated-GIF builder could not encode its frames.
inline std::string animationSaveFailedMessage(int code, std::string_view text) {
    return "Save Failed. Error Code = " + std::to_string(code) + " [" + std::string(text) + "]";
}

inline constexpr std::string_view kAnimationGlobalPalette =
    "Animation saved using a global palette. Success!";
inline constexpr std::string_view kAnimationLocalPalettes =
    "Animation saved using multiple local palettes. Success!";

inline std::string cannotWriteImageMessage(std::string_view path) {
    return "Het bestand " + std::string(path) +
           " kon niet worden geschreven; er is niets opgeslagen.";
}

inline std::string cannotEncodeImageMessage(std::string_view path) {
    return "Het plaatje voor " + std::string(path) + " kon niet worden gemaakt.";
}

inline std::string unknownImageKindMessage(std::string_view path) {
    return "Kalvor kent de soort van " + std::string(path) +
           " niet; kies .png, .bmp, .jpg of .gif.";
}

}  // namespace kalvor
