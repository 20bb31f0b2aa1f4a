#include "app/eval_command.h"

#include <algorithm>
#include <ostream>

#include "expr/numtext.h"
#include "expr/parser.h"

namespace kalvor {

namespace {

constexpr const char* kUsage = "gebruik: kalvor eval FORMULE [NAAM=WAARDE ...]\n";

void printError(const std::exception& error, std::ostream& err) {
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\r', '\n');
    err << message << '\n';
}

bool assign(Parser& parser, const std::string& setting, std::ostream& err) {
    const std::size_t eq = setting.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    try {
        const Number value = parser.compile(setting.substr(eq + 1)).value();
        parser.setVariable(setting.substr(0, eq), value);
        return true;
    } catch (const std::exception& error) {
        printError(error, err);
        return false;
    }
}

}  // namespace

int evalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    Parser parser;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!assign(parser, args[i], err)) {
            err << "ongeldige toekenning: " << args[i] << '\n' << kUsage;
            return 2;
        }
    }
    try {
        parser.setExpression(args[0]);
        out << formatGeneral(parser.value()) << '\n';
        return 0;
    } catch (const std::exception& error) {
        printError(error, err);
        return 1;
    }
}

}  // namespace kalvor
