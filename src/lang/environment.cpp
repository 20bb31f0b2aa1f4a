#include "lang/environment.h"

namespace kalvor {

void Environment::setVariable(std::string_view name, Number value, int upTo) {
    for (int i = 0; i < upTo; ++i)
        parsers[i].setVariable(name, value);
}

void Environment::keyPressed(int code) {
    setVariable("_toetscode", code, kParsers);
    if (code == kEscape) flags.abort = true;
}

}  // namespace kalvor
