#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace kalvor {

/// What the editor knows about the program text it shows: the text as it was last opened,
/// saved or started, and the file it came from (empty when it came from no file, such as a
/// new or built-in program). Plain data, so the rules hold without a window.
class ProgramDocument {
public:
    /// The text now shown was just opened from `file` (empty: from no file).
    void loaded(std::string text, std::string file = {}) {
        m_clean = std::move(text);
        m_file = std::move(file);
    }
    /// The text was written to `file`; it now comes from there.
    void saved(std::string text, std::string file) { loaded(std::move(text), std::move(file)); }

    /// The text differs from what was last opened, saved or started with.
    bool changed(std::string_view current) const { return current != m_clean; }
    /// The file the text came from; empty when none.
    const std::string& file() const { return m_file; }

private:
    std::string m_clean;
    std::string m_file;
};

}  // namespace kalvor
