#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kalvor {

/// A piece [begin, end) of the formula text.
struct Piece {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    bool empty() const { return begin >= end; }
};

/// Where the operator characters of one formula text stand, by position and by bracket
/// depth, so that the term checks find candidates without scanning text.
class TermIndex {
public:
    enum Token : std::uint8_t {
        Plus,
        Minus,
        Times,
        IntDivide,  // "DIV"
        Modulo,     // "MOD"
        Slash,
        Caret,
        Comma,
        Open,
        // A "+" or "-" that cannot be the sign of a number literal: it follows a digit, ".",
        // ")", "_" or a letter other than E (exponent), D and V (end of MOD and DIV).
        BinaryPlus,
        BinaryMinus,
        TokenCount,
    };

    explicit TermIndex(std::string_view text);

    std::int32_t depthAt(std::uint32_t position) const { return m_depth[position]; }
    /// Whether p holds as many "(" as ")".
    bool balanced(Piece p) const { return m_depth[p.begin] == m_depth[p.end]; }

    /// Positions of `token` in [from, to), ascending.
    std::span<const std::uint32_t> all(Token token, std::uint32_t from, std::uint32_t to) const;
    /// The same, restricted to bracket depth `depth`.
    std::span<const std::uint32_t> atDepth(Token token, std::int32_t depth, std::uint32_t from,
                                           std::uint32_t to) const;

private:
    struct Positions {
        std::vector<std::uint32_t> all;
        std::vector<std::vector<std::uint32_t>> byDepth;  // index: depth - m_minDepth
    };

    void add(Token token, std::uint32_t position);

    std::vector<std::int32_t> m_depth;  // "(" minus ")" before each position
    std::int32_t m_minDepth = 0;
    std::array<Positions, TokenCount> m_tokens;
};

}  // namespace kalvor
