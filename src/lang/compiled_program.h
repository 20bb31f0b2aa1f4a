#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "expr/parser.h"

namespace kalvor {

struct CommandRow;

/// A compiled program: one item per line, as the compiler wrote it. The executor never
/// changes the lines; it keeps per-line caches here (the resolved command of a command line,
/// the compiled formula of an argument line, the variable cells of an assignment target), so
/// each line is looked at by name only once per program.
class CompiledProgram {
public:
    CompiledProgram() = default;
    explicit CompiledProgram(std::vector<std::string> lines);

    const std::vector<std::string>& lines() const { return m_lines; }
    bool empty() const { return m_lines.empty(); }
    std::size_t size() const { return m_lines.size(); }

    /// What the executor found a command line to be.
    enum class Kind : std::uint8_t {
        Unresolved,
        Nothing,
        RepeatPrevious,
        Repeat,
        Snapshot,
        Film,
        For,
        Call,
        EndProc,
        Local,
        ForEach,
        Next,
        ShowSnapshot,
        Until,
        Assign,
        Increment,
        If,
        Else,
        End,
        Command,
        Unknown
    };

    /// The variable cells of an assignment target in the three parsers, valid while the
    /// parsers' tables are at `generation`.
    struct TargetCells {
        std::uint64_t generation = 0;
        std::array<Number*, 3> cells{};
    };

    // Ordered and sized for a small footprint: one per compiled line, for the whole program.
    struct LineCache {
        Kind kind = Kind::Unresolved;
        bool hasFormula = false;
        /// Where a skipped block continues after this line: the false branch of the "als"
        /// whose condition it is, and the "anders" it is. Lines never change, so neither does
        /// a scan.
        std::array<std::uint32_t, 2> jump{kNoJump, kNoJump};
        const CommandRow* row = nullptr;
        std::uint64_t formulaGeneration = 0;
        Formula formula;
        /// Only assignment targets have them, so they live apart from the line.
        std::unique_ptr<TargetCells> target;
    };
    static constexpr std::uint32_t kNoJump = static_cast<std::uint32_t>(-1);
    LineCache& cache(std::size_t index) const { return m_cache[index]; }

    /// Formulas of texts that are not program lines (list items, text variables), by text.
    struct TextCache {
        std::uint64_t generation = 0;
        Formula formula;
    };
    static constexpr std::size_t kMaxCachedTexts = 4096;
    std::unordered_map<std::string, TextCache>& textCache() const { return m_textCache; }

private:
    std::vector<std::string> m_lines;
    mutable std::vector<LineCache> m_cache;
    mutable std::unordered_map<std::string, TextCache> m_textCache;
};

}  // namespace kalvor
