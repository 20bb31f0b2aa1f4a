#include "expr/function_library.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "bigint/bigint.h"
#include "expr/application_title.h"
#include "expr/arithmetic.h"
#include "expr/host.h"
#include "expr/inv_norm.h"
#include "expr/library_math.h"
#include "expr/number_lists.h"
#include "expr/number_theory.h"
#include "expr/numtext.h"
#include "expr/parser.h"

namespace kalvor {

namespace {

constexpr Number kPrimeArgumentLimit = 2147483648.0L;  // 2^31
constexpr std::int64_t kPrimeTableRange = 1000000;     // ispriem below this uses the table
constexpr std::int64_t kPrimeTableLimit = 300000;      // … grown to at least this limit
constexpr std::int64_t kNextPrimeTableRange = 1500000;
constexpr int kPartitionsEnd = 100000;
constexpr int kPartsEnd = 20000;

using OneParamRow = std::pair<const char*, FunctionOneParam>;
using TwoParamRow = std::pair<const char*, FunctionTwoParam>;

FunctionLibrary& self(void* context) {
    return *static_cast<FunctionLibrary*>(context);
}

Number truth(bool b) {
    return b ? 1 : 0;
}

template <int List>
Number listFunction(void* context, Number x) {
    return self(context).listElement(List, x);
}

Number inverseNormal(void*, Number x) {
    // Checked before the conversion to double, which could overflow.
    if (!(x > 0 && x < 1)) throw EvaluationError(kInvNormRangeMessage);
    return invNorm(static_cast<double>(x));
}

// The angle of the point (q, p) in (−π, π]; atan2 would give −π for p = −0.
Number angleOfPoint(void*, Number p, Number q) {
    if (p == 0 && q < 0) return kPi;
    return std::atan2(p, q);
}

Number notEqual(void*, Number p, Number q) {
    return truth(std::fabs(p - q) > 1e-30L);
}

const OneParamRow kOneParam[] = {
    {"ARCSIN", [](void*, Number x) { return std::asin(x); }},
    {"ASIN", [](void*, Number x) { return std::asin(x); }},
    {"ACOS", [](void*, Number x) { return std::acos(x); }},
    {"ATAN", [](void*, Number x) { return std::atan(x); }},
    {"NIET", [](void*, Number x) { return truth(x == 0); }},
    {"ARCCOS", [](void*, Number x) { return std::acos(x); }},
    {"COT", [](void*, Number x) { return 1 / std::tan(x); }},
    {"DEGTORAD", [](void*, Number x) { return x * kPi / 180; }},
    {"LOG", [](void*, Number x) { return std::log10(x); }},
    {"FAC", [](void*, Number x) { return factorial(truncToInt64(x)); }},
    {"LOGFAC", [](void*, Number x) { return logFactorial(truncToInt64(x)); }},
    {"ERF", [](void*, Number x) { return errorFunction(x); }},
    {"L1", listFunction<1>},
    {"L2", listFunction<2>},
    {"L3", listFunction<3>},
    {"L4", listFunction<4>},
    {"L5", listFunction<5>},
    {"L6", listFunction<6>},
    {"ispriem", [](void* c, Number x) { return self(c).isPrime(x); }},
    {"volgendepriem", [](void* c, Number x) { return self(c).nextPrime(x); }},
    {"oneven", [](void*, Number x) { return truth(truncToInt64(x) % 2 != 0); }},
    {"INVNORM", inverseNormal},
    {"phi", [](void*, Number x) { return static_cast<Number>(eulerPhi(truncToInt64(x))); }},
    {"sum_of_proper_divisors",
     [](void*, Number x) {
         const std::int64_t n = truncToInt64(x);
         return divisorSum(n) - static_cast<Number>(n);
     }},
    {"sum_of_divisors", [](void*, Number x) { return divisorSum(truncToInt64(x)); }},
    {"number_of_divisors",
     [](void*, Number x) { return static_cast<Number>(divisorCount(truncToInt64(x))); }},
    {"partitions", [](void* c, Number x) { return self(c).partitions(x); }},
    {"partitions_into_distinct_parts",
     [](void* c, Number x) { return self(c).partitionsIntoDistinctParts(x); }},
    {"partitions_into_prime_parts",
     [](void* c, Number x) { return self(c).partitionsIntoPrimeParts(x); }},
};

const TwoParamRow kTwoParam[] = {
    {"GROTER", [](void*, Number p, Number q) { return truth(p > q); }},
    {"KLEINER", [](void*, Number p, Number q) { return truth(p < q); }},
    {"GROTERGELIJK", [](void*, Number p, Number q) { return truth(p >= q); }},
    {"KLEINERGELIJK", [](void*, Number p, Number q) { return truth(p <= q); }},
    {"HYPOT", [](void*, Number p, Number q) { return std::hypot(p, q); }},
    {"ABSEPSGELIJK", [](void*, Number p, Number q) { return truth(std::fabs(p - q) < 0.05L); }},
    {"NORMALPDF", [](void*, Number p, Number q) { return normalPdf(p, q); }},
    {"BINOMCOEFF", [](void* c, Number p, Number q) { return self(c).binomialCoefficient(p, q); }},
    {"LOGBINOMCOEFF",
     [](void* c, Number p, Number q) { return self(c).logBinomialCoefficient(p, q); }},
    {"ROUND", [](void*, Number p, Number q) { return roundToDecimals(p, q); }},
    {"normalcdf", [](void*, Number p, Number q) { return normalCdf(p, q); }},
    {"root", [](void*, Number p, Number q) { return nthRoot(p, q); }},
    {"ARCTAN2", angleOfPoint},
    {"ggd",
     [](void*, Number p, Number q) {
         return static_cast<Number>(gcdOfMagnitudes(truncToInt64(p), truncToInt64(q)));
     }},
    {"kgv",
     [](void*, Number p, Number q) { return lcmOfMagnitudes(truncToInt64(p), truncToInt64(q)); }},
};

}  // namespace

FunctionLibrary::FunctionLibrary(const NumberLists& lists, Host& host)
    : m_lists(lists), m_host(host) {}

void FunctionLibrary::registerInto(ParserBase& parser, int parserNumber) {
    if (parserNumber < 1 || parserNumber > 4)
        throw std::invalid_argument("parser number must be 1 to 4");
    for (const auto& [name, fn] : kOneParam)
        parser.addFunctionOneParam(name, fn, this);
    for (const auto& [name, fn] : kTwoParam)
        parser.addFunctionTwoParam(name, fn, this);
    parser.addFunctionTwoParam(parserNumber == 3 ? "ONEPSGELIJK" : "ONGELIJK", notEqual, this);
    parser.setVariable("muisx", 0);
    parser.setVariable("muisy", 0);
}

std::int64_t FunctionLibrary::primeArgument(Number x) {
    if (x > kPrimeArgumentLimit) {
        m_host.inform(kApplicationTitle, formatGeneral(x) + std::string(kTooBigSuffix));
        throw EvaluationError(kTooBigError);
    }
    return truncToInt64(x);
}

Number FunctionLibrary::isPrime(Number x) {
    const std::int64_t n = primeArgument(x);
    if (n < kPrimeTableRange) {
        if (m_primes.limit() < kPrimeTableLimit) m_primes.setLimit(kPrimeTableLimit);
        return truth(m_primes.isPrime(n));
    }
    if (n % 2 == 0 || n % 3 == 0 || n % 5 == 0) return 0;
    return truth(BigInt(n).isProbablePrime());
}

Number FunctionLibrary::nextPrime(Number x) {
    const std::int64_t n = primeArgument(x);
    if (n < kNextPrimeTableRange) return static_cast<Number>(m_primes.nextPrime(n));
    std::int64_t c = n % 2 != 0 ? n + 2 : n + 1;
    while (!BigInt(c).isProbablePrime())
        c += 2;
    return static_cast<Number>(c);
}

Number FunctionLibrary::binomialCoefficient(Number n, Number k) {
    if (const auto r = kalvor::binomialCoefficient(n, k)) return *r;
    m_host.inform(kBinomialCaption, kBinomialMessage);
    return 1;
}

Number FunctionLibrary::logBinomialCoefficient(Number n, Number k) {
    if (const auto r = kalvor::logBinomialCoefficient(n, k)) return *r;
    m_host.inform(kBinomialCaption, kBinomialMessage);
    return 0;
}

Number FunctionLibrary::partitionCount(Number x, int end, std::string_view function,
                                       Number (PartitionTables::*count)(int)) {
    const std::int64_t n = truncToInt64(x);
    if (n > 0 && n < end) return (m_partitions.*count)(static_cast<int>(n));
    m_host.inform(kApplicationTitle, partitionRefusalMessage(function, end));
    return 0;
}

Number FunctionLibrary::partitions(Number x) {
    return partitionCount(x, kPartitionsEnd, "partitions", &PartitionTables::partitions);
}

Number FunctionLibrary::partitionsIntoDistinctParts(Number x) {
    return partitionCount(x, kPartsEnd, "partitions_into_distinct_parts",
                          &PartitionTables::distinctParts);
}

Number FunctionLibrary::partitionsIntoPrimeParts(Number x) {
    return partitionCount(x, kPartsEnd, "partitions_into_prime_parts",
                          &PartitionTables::primeParts);
}

Number FunctionLibrary::listElement(int list, Number x) const {
    const Number index = std::nearbyint(x);
    if (!(index >= 1 && index <= NumberLists::kSize)) return 0;
    return m_lists.get(list, static_cast<std::int64_t>(index));
}

}  // namespace kalvor
