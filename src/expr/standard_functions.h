#pragma once

namespace kalvor {

class ParserBase;

/// Registers the standard functions every Parser carries (TAN … LOGN) in `parser`.
void registerStandardFunctions(ParserBase& parser);

}  // namespace kalvor
