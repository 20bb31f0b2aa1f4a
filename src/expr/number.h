#pragma once

namespace kalvor {

/// Every numeric value of formulas, variables and drawing coordinates: x87 80-bit extended.
using Number = long double;

}  // namespace kalvor
