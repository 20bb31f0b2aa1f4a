#include "lang/compiled_program.h"

namespace kalvor {

CompiledProgram::CompiledProgram(std::vector<std::string> lines)
    : m_lines(std::move(lines)), m_cache(m_lines.size()) {}

}  // namespace kalvor
