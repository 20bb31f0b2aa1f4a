#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "expr/parser.h"

namespace {

constexpr const char* kUsage =
    "usage: kalvor --version\n"
    "       kalvor eval FORMULA [NAME=VALUE ...]\n";

// Shortest general text with 15 significant digits: "1E20", "1.5E-7", "INF", "NAN".
std::string generalText(kalvor::Number v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", v);
    std::string text(buffer);
    const std::size_t e = text.find('e');
    if (e == std::string::npos) return text;
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
}

void printError(const std::exception& error) {
    std::string message = error.what();
    for (char& c : message) {
        if (c == '\r') c = '\n';
    }
    std::fprintf(stderr, "%s\n", message.c_str());
}

// NAME=VALUE, where VALUE is itself a formula over the variables set so far.
bool assign(kalvor::Parser& parser, std::string_view setting) {
    const std::size_t eq = setting.find('=');
    if (eq == std::string_view::npos || eq == 0) return false;
    try {
        const kalvor::Number value = parser.compile(setting.substr(eq + 1)).value();
        parser.setVariable(setting.substr(0, eq), value);
        return true;
    } catch (const std::exception& error) {
        printError(error);
        return false;
    }
}

// kalvor eval FORMULA [NAME=VALUE ...]: prints the value; 1 for a formula error, 2 for usage.
int evaluate(int argc, char** argv) {
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    kalvor::Parser parser;
    for (int i = 3; i < argc; ++i) {
        if (!assign(parser, argv[i])) {
            std::fprintf(stderr, "invalid setting: %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
    try {
        parser.setExpression(argv[2]);
        std::printf("%s\n", generalText(parser.value()).c_str());
        return 0;
    } catch (const std::exception& error) {
        printError(error);
        return 1;
    }
}

}  // namespace

// Entry point: the desktop program, or one of the command-line modes.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Kalvor %s\n", KALVOR_VERSION);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "eval") == 0) return evaluate(argc, argv);
    std::fputs(kUsage, stderr);
    return 2;
}
