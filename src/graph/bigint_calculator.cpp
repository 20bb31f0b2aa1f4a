#include "graph/bigint_calculator.h"

#include <cctype>
#include <charconv>
#include <random>

#include "graph/outside_factoring.h"

namespace kalvor {

namespace {

constexpr std::size_t kSeparatorDigitLimit = 48000;
constexpr std::size_t kWarningDigitLimit = 64000;
constexpr std::size_t kDigitsPerElement = 5;
constexpr std::string_view kTooLarge = "uitkomst te groot";
constexpr std::string_view kCombinationsBusy = "ben bezig.....";
constexpr std::string_view kPermutationsBusy = "ben bezig.......";
constexpr std::string_view kPrimeTestBusy = "testing..";

using Work = BigIntTask::Work;

std::string separated(const BigInt& value) {
    return value.toString(kThousandsSeparator);
}

// A result computed in place on x by `step`, which answers false when it refused.
Work shown(BigInt x, std::function<bool(BigInt&, const Progress&)> step,
           std::string (*text)(const BigInt&) = separated) {
    return [x = std::move(x), step = std::move(step), text](
               const Progress& progress, const LineWriter&) mutable -> std::optional<std::string> {
        if (step(x, progress)) return text(x);
        if (!keepGoing(progress)) return std::nullopt;
        return std::string(kTooLarge);
    };
}

// A step that always succeeds.
template <typename F>
std::function<bool(BigInt&, const Progress&)> always(F f) {
    return [f = std::move(f)](BigInt& x, const Progress&) {
        f(x);
        return true;
    };
}

std::int32_t int32Field(std::string_view text) {
    if (const auto value = readInt32(text)) return *value;
    throw NotAnInteger{"'" + std::string(text) + "' is geen geldig geheel getal."};
}

// Factorials and products of ranges leave x unchanged outside their domain, which is shown.
std::function<bool(BigInt&, const Progress&)> product(bool (BigInt::*op)(std::int64_t,
                                                                         const Progress&),
                                                      std::int64_t r) {
    return [op, r](BigInt& x, const Progress& progress) {
        const BigInt before = x;
        if ((x.*op)(r, progress)) return true;
        x = before;
        return keepGoing(progress);
    };
}

Work factorial(BigInt x) {
    return shown(std::move(x), [](BigInt& v, const Progress& progress) {
        const BigInt before = v;
        if (v.factorial(progress)) return true;
        v = before;
        return keepGoing(progress);
    });
}

Work combinations(std::int32_t n, std::int32_t r) {
    return shown(
        BigInt(n),
        [r](BigInt& x, const Progress& progress) {
            std::int64_t n64 = 0;
            x.toInt64(n64);
            if (r < 0 || r > n64) {
                x.setZero();
                return true;
            }
            return x.combinations(r, progress);
        },
        longResultText);
}

Work primeTest(BigInt x) {
    return [x = std::move(x)](const Progress&, const LineWriter&) -> std::optional<std::string> {
        // Bases of its own: the task may run beside the program's use of the shared ones.
        const bool prime = x.isProbablePrime(randomPrimeBases(std::random_device{}()));
        return std::string(prime ? "misschien priem" : "niet priem");
    };
}

}  // namespace

std::optional<std::int32_t> readInt32(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string longResultText(const BigInt& value) {
    const std::string digits = value.toString();
    const std::size_t count = digits.size() - (digits[0] == '-' ? 1 : 0);
    const std::size_t elements = (count + kDigitsPerElement - 1) / kDigitsPerElement;
    const std::size_t shownDigits = (elements + 1) * kDigitsPerElement;
    std::string text = shownDigits <= kSeparatorDigitLimit ? separated(value) : digits;
    if (shownDigits > kWarningDigitLimit) text += "\n" + std::string(kTooManyDigits);
    return text;
}

BigIntCalculator::BigIntCalculator(Outside outside) : m_outside(std::move(outside)) {
    if (!m_outside) m_outside = factorWithOutsideProgram;
}

std::string BigIntCalculator::answerDigits(std::string_view memoText) {
    std::string digits;
    for (char c : memoText)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

BigIntTask BigIntCalculator::prepare(BigIntOperation operation,
                                     const BigIntOperands& operands) const {
    using Op = BigIntOperation;
    BigInt x(operands.x);
    const BigInt y(operands.y);
    const BigInt z(operands.z);
    BigIntTask task{operation, {}, {}, {}};
    switch (operation) {
        case Op::Add:
            task.work = shown(x, always([y](BigInt& v) { v.add(y); }));
            break;
        case Op::Subtract:
            task.work = shown(x, always([y](BigInt& v) { v.subtract(y); }));
            break;
        case Op::Multiply:
            task.work = shown(x, [y](BigInt& v, const Progress&) { return v.multiply(y); });
            break;
        case Op::Divide:
            task.work = shown(x, always([y](BigInt& v) { v.divide(y); }));
            break;
        case Op::Modulo:
            task.work = shown(x, always([y](BigInt& v) { v.modulo(y); }));
            break;
        case Op::Factorial:
            if (x.compare(kFactorialLimit) > 0) {
                task.notice = kFactorialTruncated;
                x.setValue(kFactorialLimit);
            }
            task.busyText = kCombinationsBusy;
            task.work = factorial(x);
            break;
        case Op::Combinations: {
            const std::int32_t n = int32Field(operands.x);
            task.busyText = kCombinationsBusy;
            task.work = combinations(n, int32Field(operands.y));
            break;
        }
        case Op::Permutations:
            task.busyText = kPermutationsBusy;
            task.work =
                shown(x, product(&BigInt::permutations, int32Field(operands.y)), longResultText);
            break;
        case Op::Power: {
            const std::int32_t n = int32Field(operands.y);
            task.work = shown(x, [n](BigInt& v, const Progress&) { return v.power(n); });
            break;
        }
        case Op::ModPower:
            task.work = shown(x, always([y, z](BigInt& v) { v.modPower(y, z); }));
            break;
        case Op::SquareRoot:
            task.work = shown(x, always([](BigInt& v) { v.squareRoot(); }));
            break;
        case Op::Square:
            task.work = shown(x, [](BigInt& v, const Progress&) { return v.square(); });
            break;
        case Op::NthRoot: {
            const std::int32_t n = int32Field(operands.y);
            task.work = shown(x, always([n](BigInt& v) { v.nthRoot(n); }));
            break;
        }
        case Op::Gcd:
            task.work = shown(x, always([y](BigInt& v) { v.gcd(y); }));
            break;
        case Op::Inverse:
            task.work = shown(x, always([y](BigInt& v) { v.modInverse(y); }));
            break;
        case Op::PrimeTest:
            task.busyText = kPrimeTestBusy;
            task.work = primeTest(x);
            break;
        case Op::Factor:
            task.work = [x, outside = m_outside, budget = firstRhoBudget](
                            const Progress& progress,
                            const LineWriter& write) -> std::optional<std::string> {
                FactorisationHooks hooks{write, progress, {}, budget, {}};
                hooks.outside = [&](const BigInt& c, const LineWriter& w) {
                    outside(c, w, progress);
                };
                if (!factorise(x, std::move(hooks))) return std::nullopt;
                return std::string();
            };
            break;
    }
    return task;
}

}  // namespace kalvor
