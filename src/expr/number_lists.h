#pragma once

#include <array>
#include <cstdint>

#include "expr/number.h"

namespace kalvor {

/// The six program lists L1 … L6: exactly 100 numbers each, indices 1 … 100, all 0 at start and
/// never cleared by runs. Formulas read them through the functions L1 … L6, programs write
/// single elements by assignment.
class NumberLists {
public:
    static constexpr int kLists = 6;
    static constexpr int kSize = 100;

    /// `list` is 1 … 6 and `index` 1 … 100; anything outside reads as 0.
    Number get(int list, std::int64_t index) const {
        if (!valid(list, index)) return 0;
        return m_values[list - 1][index - 1];
    }
    /// Returns false (and changes nothing) outside the valid ranges.
    bool set(int list, std::int64_t index, Number value) {
        if (!valid(list, index)) return false;
        m_values[list - 1][index - 1] = value;
        return true;
    }
    static bool valid(int list, std::int64_t index) {
        return list >= 1 && list <= kLists && index >= 1 && index <= kSize;
    }

private:
    std::array<std::array<Number, kSize>, kLists> m_values{};
};

}  // namespace kalvor
