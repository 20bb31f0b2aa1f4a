#include "lang/compiled_program.h"

namespace kalvor {

CompiledProgram::CompiledProgram(std::vector<std::string> lines)
    : m_lines(std::move(lines)), m_cache(m_lines.size()) {
    // The compiler grows the list line by line; a program keeps only what it holds.
    m_lines.shrink_to_fit();
}

}  // namespace kalvor
