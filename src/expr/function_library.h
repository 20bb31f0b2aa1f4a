#pragma once

#include <cstdint>
#include <string_view>

#include "expr/number.h"
#include "expr/parser_messages.h"
#include "expr/partitions.h"
#include "expr/prime_table.h"

namespace kalvor {

class Host;
class NumberLists;
class ParserBase;

/// The functions every formula of the workbench can use beyond the parser's standard set:
/// mathematics, comparisons and logic, statistics, number theory, the list accessors L1 … L6
/// and the mouse variables. Owns the prime table and the cached partition tables; reads the
/// lists and shows its information boxes through the host, both of which must outlive it.
/// Registered parsers call back into this object, so it must outlive them and never moves.
class FunctionLibrary {
public:
    FunctionLibrary(const NumberLists& lists, Host& host);
    FunctionLibrary(const FunctionLibrary&) = delete;
    FunctionLibrary& operator=(const FunctionLibrary&) = delete;

    /// Registers every library function in `parser`, the workbench's parser number 1 … 4
    /// (Parser3 knows the inequality as ONEPSGELIJK, the others as ONGELIJK), and creates the
    /// mouse variables muisx and muisy with value 0, so that every formula may read them. Throws
    /// std::invalid_argument for another parser number, and DuplicateName when called twice
    /// for the same parser.
    void registerInto(ParserBase& parser, int parserNumber);

    PrimeTable& primeTable() { return m_primes; }

    // The functions that use the library's state. Each is also registered under its name.

    /// ispriem: 1 when Trunc(x) is prime. Above 2^31: a "tegroot" box, then
    /// EvaluationError("too big").
    Number isPrime(Number x);
    /// volgendepriem: the smallest prime greater than Trunc(x); same limit as isPrime.
    Number nextPrime(Number x);
    /// BINOMCOEFF and LOGBINOMCOEFF: for an invalid n or k a box, then 1 or 0.
    Number binomialCoefficient(Number n, Number k);
    Number logBinomialCoefficient(Number n, Number k);
    /// partitions and its two relatives: outside their ranges a box, then 0.
    Number partitions(Number x);
    Number partitionsIntoDistinctParts(Number x);
    Number partitionsIntoPrimeParts(Number x);
    /// L1 … L6: element x (rounded to nearest, ties to even) of list `list`; 0 for an index
    /// outside 1 … 100.
    Number listElement(int list, Number x) const;

private:
    std::int64_t primeArgument(Number x);
    /// count(Trunc(x)) for 0 < Trunc(x) < end, else the refusal box and 0.
    Number partitionCount(Number x, int end, std::string_view function,
                          Number (PartitionTables::*count)(int));

    const NumberLists& m_lists;
    Host& m_host;
    PrimeTable m_primes;
    PartitionTables m_partitions;
};

}  // namespace kalvor
