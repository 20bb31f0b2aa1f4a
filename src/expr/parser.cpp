#include "expr/parser.h"

#include <string>
#include <utility>

#include "expr/formula_compiler.h"
#include "expr/parser_messages.h"
#include "expr/standard_functions.h"

namespace kalvor {

namespace {

std::string upperCased(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool isLetterOrUnderscore(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// A letter or underscore, then letters, digits and underscores.
bool isIdentifier(std::string_view name) {
    if (name.empty() || !isLetterOrUnderscore(name.front())) return false;
    for (char c : name) {
        if (!isLetterOrUnderscore(c) && !(c >= '0' && c <= '9')) return false;
    }
    return true;
}

template <typename Table, typename Entry>
void addFunction(Table& table, std::string_view name, Entry entry) {
    if (!isIdentifier(name)) throw BadName(std::string(name));
    std::string upper = upperCased(name);
    if (table.count(upper) != 0) throw DuplicateName(kDuplicateNamePrefix + upper);
    table.emplace(std::move(upper), entry);
}

}  // namespace

// ---- ParserBase -------------------------------------------------------------------------------

ParserBase::ParserBase() = default;
ParserBase::~ParserBase() = default;

void ParserBase::setExpression(std::string_view text) {
    m_formula = Formula();
    m_parseFailed = false;
    // Copied before the assignment: `text` may view the current expression.
    m_expression = std::string(text);
    if (m_expression.empty()) return;
    try {
        m_formula = compile(m_expression);
    } catch (const ParserError& error) {
        m_parseFailed = true;
        if (!onParserError) throw;
        onParserError(*this, error);
    }
}

Formula ParserBase::compile(std::string_view text) const {
    return Formula(compileFormula(text, NameTables{m_variables, m_oneParam, m_twoParam}));
}

Number* ParserBase::setVariable(std::string_view name, Number value) {
    std::string upper = upperCased(name);
    if (const auto it = m_variables.find(upper); it != m_variables.end()) {
        *it->second = value;
        return it->second;
    }
    Number* cell = ownCell(upper);
    if (!cell) {
        if (!isIdentifier(upper)) throw BadName(upper);
        cell = m_allocatedCells.emplace_back(std::make_unique<Number>()).get();
    }
    *cell = value;
    m_variables.emplace(std::move(upper), cell);
    ++m_generation;
    return cell;
}

Number ParserBase::getVariable(std::string_view name) const {
    const auto it = m_variables.find(upperCased(name));
    return it == m_variables.end() ? 0 : *it->second;
}

bool ParserBase::variableExists(std::string_view name) const {
    return m_variables.count(upperCased(name)) != 0;
}

Number* ParserBase::variableCell(std::string_view name) {
    const auto it = m_variables.find(upperCased(name));
    return it == m_variables.end() ? nullptr : it->second;
}

void ParserBase::addFunctionOneParam(std::string_view name, FunctionOneParam fn, void* context) {
    addFunction(m_oneParam, name, OneParamEntry{fn, context});
    ++m_generation;
}

void ParserBase::addFunctionTwoParam(std::string_view name, FunctionTwoParam fn, void* context) {
    addFunction(m_twoParam, name, TwoParamEntry{fn, context});
    ++m_generation;
}

void ParserBase::clearVariables() {
    // The formula goes first so that nothing points at a freed cell even for a moment.
    setExpression("");
    m_variables.clear();
    m_allocatedCells.clear();
    ++m_generation;
}

void ParserBase::registerOwnCell(std::string_view name, Number* cell) {
    m_variables.insert_or_assign(upperCased(name), cell);
    ++m_generation;
}

Number* ParserBase::ownCell(std::string_view) {
    return nullptr;
}

// ---- Parser -----------------------------------------------------------------------------------

Parser::Parser() {
    for (const char* name : {"A", "B", "C", "D", "E", "X", "Y", "T"}) {
        registerOwnCell(name, ownCell(name));
    }
    registerStandardFunctions(*this);
}

Number* Parser::ownCell(std::string_view upperName) {
    if (upperName.size() != 1) return nullptr;
    switch (upperName.front()) {
        case 'A':
            return &a;
        case 'B':
            return &b;
        case 'C':
            return &c;
        case 'D':
            return &d;
        case 'E':
            return &e;
        case 'X':
            return &x;
        case 'Y':
            return &y;
        case 'T':
            return &t;
        default:
            return nullptr;
    }
}

}  // namespace kalvor
