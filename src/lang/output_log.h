#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

/// The lines of the output window. Programs append with schrijf (to the last line) and
/// schrijfregel (a new line); the text survives runs and is emptied only on request.
class OutputLog {
public:
    /// schrijf: extends the last line (the first line when there is none).
    void append(std::string_view text);
    /// schrijfregel: adds the text as a new line.
    void appendLine(std::string_view text);
    void clear();
    const std::vector<std::string>& lines() const { return m_lines; }

    /// Called after every change, so a window can show itself and follow.
    std::function<void()> changed;

private:
    void notify() const;
    std::vector<std::string> m_lines;
};

}  // namespace kalvor
