#include "lang/test_forms.h"

namespace kalvor {

namespace {

// The tests themselves belong to the text and big-integer family.
constexpr TestForm kQuestionForms[] = {
    {"?ispriem#"}, {"?isoneven#"}, {"?ispositief#"}, {"?gelijk$"},        {"?equivalent$"},
    {"?gelijk#"},  {"?groter#"},   {"?kleiner#"},    {"?kleinergelijk#"}, {"?grotergelijk#"},
};
constexpr TestForm kDollarForms[] = {{"$gelijk$"}, {"$equivalent$"}};

}  // namespace

std::span<const TestForm> questionTestForms() {
    return kQuestionForms;
}
std::span<const TestForm> dollarTestForms() {
    return kDollarForms;
}

}  // namespace kalvor
