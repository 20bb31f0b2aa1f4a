#include "expr/term_index.h"

#include <algorithm>

namespace kalvor {

namespace {

std::span<const std::uint32_t> between(const std::vector<std::uint32_t>& v, std::uint32_t from,
                                       std::uint32_t to) {
    const auto first = std::lower_bound(v.begin(), v.end(), from);
    const auto last = std::lower_bound(first, v.end(), to);
    return {first, last};
}

bool endsOperand(char c) {
    if ((c >= '0' && c <= '9') || c == '.' || c == ')' || c == '_') return true;
    return c >= 'A' && c <= 'Z' && c != 'E' && c != 'D' && c != 'V';
}

}  // namespace

TermIndex::TermIndex(std::string_view text) : m_depth(text.size() + 1) {
    std::int32_t depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        m_depth[i] = depth;
        m_minDepth = std::min(m_minDepth, depth);
        depth += (text[i] == '(') - (text[i] == ')');
    }
    m_depth[text.size()] = depth;
    m_minDepth = std::min(m_minDepth, depth);

    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto at = static_cast<std::uint32_t>(i);
        const bool binary = i > 0 && endsOperand(text[i - 1]);
        switch (text[i]) {
            case '+':
                add(Plus, at);
                if (binary) add(BinaryPlus, at);
                break;
            case '-':
                add(Minus, at);
                if (binary) add(BinaryMinus, at);
                break;
            case '*':
                add(Times, at);
                break;
            case '/':
                add(Slash, at);
                break;
            case '^':
                add(Caret, at);
                break;
            case ',':
                add(Comma, at);
                break;
            case '(':
                add(Open, at);
                break;
            default:
                break;
        }
        if (text.compare(i, 3, "DIV") == 0) add(IntDivide, at);
        if (text.compare(i, 3, "MOD") == 0) add(Modulo, at);
    }
}

void TermIndex::add(Token token, std::uint32_t position) {
    Positions& p = m_tokens[token];
    p.all.push_back(position);
    const auto level = static_cast<std::size_t>(m_depth[position] - m_minDepth);
    if (p.byDepth.size() <= level) p.byDepth.resize(level + 1);
    p.byDepth[level].push_back(position);
}

std::span<const std::uint32_t> TermIndex::all(Token token, std::uint32_t from,
                                              std::uint32_t to) const {
    return between(m_tokens[token].all, from, to);
}

std::span<const std::uint32_t> TermIndex::atDepth(Token token, std::int32_t depth,
                                                  std::uint32_t from, std::uint32_t to) const {
    const auto& byDepth = m_tokens[token].byDepth;
    const auto level = static_cast<std::size_t>(depth - m_minDepth);
    if (depth < m_minDepth || level >= byDepth.size()) return {};
    return between(byDepth[level], from, to);
}

}  // namespace kalvor
