#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/compiler.h"

namespace kalvor {

class Host;

/// The lines of a program text file, with CR LF or LF line ends; a final line break does not
/// start another line. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> readProgramLines(const std::filesystem::path& path);

/// Saves a compiled program, every line ended by CR LF. The text goes to a temporary file in
/// the same folder that then replaces the target, so a failed save leaves an existing file as
/// it was. Returns false when the file could not be written.
bool writeCompiledProgram(const std::filesystem::path& path, const std::vector<std::string>& lines);

/// Finds included programs on disk: the name as written, then below the startup folder; "\"
/// and "/" both separate folders. When neither exists and a Host is given, the person is
/// asked for the file.
class FileIncludeResolver : public IncludeResolver {
public:
    explicit FileIncludeResolver(std::filesystem::path startupDirectory, Host* host = nullptr);

    std::optional<std::vector<std::string>> readIncludedLines(std::string_view name) override;

private:
    std::filesystem::path m_startupDirectory;
    Host* m_host;
};

}  // namespace kalvor
