// Rich text from libFuzzer: every input is read without a crash, a hang or a leak, and the
// shown text never carries the reader's own syntax back out of a skipped destination.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "rtf_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    QTextDocument document;
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const bool read = kalvor::readRtf(rtf, document);
    if (!read && !document.isEmpty()) __builtin_trap();
    return 0;
}
