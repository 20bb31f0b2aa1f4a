#pragma once

// What a drawing program records during an export, for rows of figure tests: the picture text
// or the PDF operators of a program run on the world -5 … 5 both ways (254 pixels, so one world
// unit is 20 PDF units), with no message expected.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "program_runner.h"

namespace kalvor::test {

inline DrawingSinks& exportCanvas(ProgramRunner& r, bool pdf, bool eepic) {
    return r.attachCanvas(254, 254, -5, 5, -5, 5, pdf, eepic);
}

inline std::vector<std::string> pictureOf(const std::string& source) {
    ProgramRunner r;
    DrawingSinks& d = exportCanvas(r, false, true);
    r.run(source);
    EXPECT_EQ(r.failure, "") << source;
    EXPECT_TRUE(r.host.messages().empty()) << source;
    return d.pictureLines();
}

inline std::vector<std::string> pdfOf(const std::string& source) {
    ProgramRunner r;
    DrawingSinks& d = exportCanvas(r, true, false);
    r.run(source);
    EXPECT_EQ(r.failure, "") << source;
    return d.pdfLines();
}

/// A named program and the picture text it must record.
struct PictureCase {
    const char* name;
    const char* source;
    std::vector<std::string> picture;
};

inline void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

}  // namespace kalvor::test
