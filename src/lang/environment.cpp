#include "lang/environment.h"

#include <cctype>

namespace kalvor {

Environment::Environment(Host& h) : host(h) {
    for (int i = 0; i < kParsers; ++i)
        library.registerInto(parsers[i], i + 1);
}

BigInt* Environment::bigIntRegister(std::string_view name) {
    if (name.size() < 2) return nullptr;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[1])));
    if (letter < 'A' || letter > 'Z') return nullptr;
    return &registers[letter - 'A'];
}

SymbolicEngine& Environment::symbolic() {
    if (!m_symbolic) m_symbolic = std::make_unique<SymbolicEngine>();
    return *m_symbolic;
}

void Environment::setVariable(std::string_view name, Number value, int upTo) {
    for (int i = 0; i < upTo; ++i)
        parsers[i].setVariable(name, value);
}

void Environment::keyPressed(int code) {
    setVariable("_toetscode", code, kParsers);
    if (code == kEscape) flags.abort = true;
}

}  // namespace kalvor
