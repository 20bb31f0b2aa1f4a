#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "expr/application_title.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/run_context.h"
#include "numeric/statistics.h"

// Statistics and regression on the lists L1 … L6. Only elements 1 … 100 exist: a range is
// cut to them, and a list name other than L1 … L6 is refused with a message.

namespace kalvor {

namespace {

constexpr const char* kInvalidTarget = "Ongeldige doellijst";

// The list number of "L1" … "L6", or std::nullopt.
std::optional<int> listNumber(std::string_view name) {
    if (name.size() != 2 || name[0] != 'L' || name[1] < '1' || name[1] > '6') return std::nullopt;
    return name[1] - '0';
}

// Argument line k evaluated and truncated, limited to what an index range can use.
long long truncatedIndex(RunContext& ctx, int k) {
    const Number v = std::trunc(ctx.number(k));
    if (!(v >= -1)) return -1;
    return v > NumberLists::kSize + 1 ? NumberLists::kSize + 1 : static_cast<long long>(v);
}

// Elements start … end of a list (the range cut to 1 … 100).
std::vector<Number> elements(const NumberLists& lists, int list, long long start, long long end) {
    std::vector<Number> values;
    for (long long i = std::max(start, 1LL); i <= std::min<long long>(end, NumberLists::kSize); ++i)
        values.push_back(lists.get(list, i));
    return values;
}

// The lists of a list argument: one name, or two names as characters 1–2 and 4–5 of "La,Lb".
// An invalid name is shown and gives std::nullopt.
struct ListPair {
    int first = 0;
    std::optional<int> second;

    static std::optional<ListPair> read(RunContext& ctx, std::string_view text) {
        const bool pair = text.find(',') != std::string_view::npos;
        const std::string_view names[2] = {
            pair ? text.substr(0, 2) : text,
            pair ? text.substr(std::min<std::size_t>(3, text.size()), 2) : std::string_view{}};
        ListPair result;
        for (int k = 0; k < (pair ? 2 : 1); ++k) {
            const std::optional<int> number = listNumber(names[k]);
            if (!number) {
                ctx.host().messageBox(kApplicationTitle,
                                      "Ongeldige lijst: " + std::string(names[k]),
                                      Host::Icon::None);
                return std::nullopt;
            }
            (k == 0 ? result.first : result.second.emplace()) = *number;
        }
        return result;
    }
};

// stats (lijst1[,lijst2]; start; eind; var gemiddelde; var sd)
void stats(RunContext& ctx) {
    const long long start = truncatedIndex(ctx, 1), end = truncatedIndex(ctx, 2);
    const std::optional<ListPair> lists = ListPair::read(ctx, ctx.arg(0));
    if (!lists) return;
    const std::vector<Number> data = elements(ctx.env.lists, lists->first, start, end);
    const std::vector<Number> weights =
        lists->second ? elements(ctx.env.lists, *lists->second, start, end) : std::vector<Number>{};
    const MeanAndDeviation result = weightedStatistics(data, weights);
    ctx.setNumberEverywhere(ctx.arg(3), result.mean);
    ctx.setNumberEverywhere(ctx.arg(4), result.deviation);
}

void regress(RunContext& ctx, RegressionModel model) {
    const long long start = truncatedIndex(ctx, 1), end = truncatedIndex(ctx, 2);
    const std::optional<ListPair> lists = ListPair::read(ctx, ctx.arg(0));
    if (!lists || !lists->second) return;
    const RegressionResult r =
        regression(elements(ctx.env.lists, lists->first, start, end),
                   elements(ctx.env.lists, *lists->second, start, end), model);
    ctx.env.texts.set(ctx.arg(3), r.equation);
    ctx.setNumberEverywhere(ctx.arg(4), r.r);
}

// linreg (lijst1,lijst2; start; eind; $vergelijking; var corrcoeff)
void linreg(RunContext& ctx) {
    regress(ctx, RegressionModel::Linear);
}

// regressie (lijst1,lijst2; start; eind; $vergelijking; var corrcoeff; model)
void fitRegression(RunContext& ctx) {
    regress(ctx, regressionModel(ctx.arg(5)));
}

// polyreg (lijst1,lijst2; start; eind; graad; doellijst): c_j of x^j in element j + 1 of the
// target, the rest of the target 0.
void fitPolynomial(RunContext& ctx) {
    const long long start = truncatedIndex(ctx, 1), end = truncatedIndex(ctx, 2);
    const Number degree = std::trunc(ctx.number(3));
    if (ctx.arg(0).find(',') == std::string::npos) return;
    const std::optional<int> target = listNumber(ctx.arg(4));
    if (!target) {
        ctx.host().messageBox(kApplicationTitle, kInvalidTarget, Host::Icon::None);
        return;
    }
    const std::optional<ListPair> lists = ListPair::read(ctx, ctx.arg(0));
    if (!lists) return;
    const int d = degree < -1                   ? -1
                  : degree > NumberLists::kSize ? NumberLists::kSize
                                                : static_cast<int>(degree);
    const std::vector<Number> c =
        polynomialRegression(elements(ctx.env.lists, lists->first, start, end),
                             elements(ctx.env.lists, *lists->second, start, end), d);
    for (int i = 1; i <= NumberLists::kSize; ++i) {
        const std::size_t j = static_cast<std::size_t>(i - 1);
        ctx.env.lists.set(*target, i, j < c.size() ? static_cast<double>(c[j]) : 0.0);
    }
}

}  // namespace

void registerListCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"stats", 5, stats},
        {"linreg", 5, linreg},
        {"regressie", 6, fitRegression},
        {"polyreg", 5, fitPolynomial},
    };
    table.add(rows);
}

}  // namespace kalvor
