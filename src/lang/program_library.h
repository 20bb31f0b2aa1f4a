#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

/// One sample program of the editor's program library: its menu caption ("&" marks the
/// access key) and the name of its program file under resources/library.
struct LibraryProgram {
    std::string_view caption;
    std::string_view file;
};

/// A submenu of the program library.
struct LibraryGroup {
    std::string_view caption;
    std::vector<LibraryProgram> programs;
};

/// The program library in menu order. The program files are built into the executable.
const std::vector<LibraryGroup>& programLibrary();

/// The source text of a library program file (e.g. "kubus_balk.txt"), with LF line ends;
/// nothing when no such program is built in.
std::optional<std::string> libraryProgramText(std::string_view file);

}  // namespace kalvor
