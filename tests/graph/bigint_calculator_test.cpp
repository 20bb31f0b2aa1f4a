#include "graph/bigint_calculator.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "graph/outside_factoring.h"

namespace kalvor {
namespace {

using Op = BigIntOperation;
using namespace std::chrono_literals;

struct Shown {
    std::string text;
    std::string notice;
};

Shown compute(Op op, const char* x, const char* y, const char* z = "") {
    const BigIntCalculator calculator;
    const BigIntTask task = calculator.prepare(op, {x, y, z});
    const auto text = task.work({}, [](const std::string&) {});
    return {text.value_or("<cancelled>"), task.notice};
}

std::string fact(unsigned long n) {
    BigInt v;
    mpz_fac_ui(v.get(), n);
    return v.toString(".");
}

TEST(BigIntCalculator, ButtonsShowTheirResults) {
    const struct Row {
        Op op;
        const char* x;
        const char* y;
        const char* z;
        std::string shown;
    } rows[] = {
        {Op::Add, "-1 234", "1000", "", "-234"},
        {Op::Subtract, "5", "7", "", "-2"},
        {Op::Multiply, "100000", "100000", "", "10.000.000.000"},
        {Op::Divide, "-7", "3", "", "-2"},
        {Op::Divide, "17", "0", "", "17"},
        {Op::Modulo, "17", "0", "", "0"},
        {Op::Modulo, "7", "-3", "", "-1"},
        {Op::Factorial, "20", "", "", "2.432.902.008.176.640.000"},
        {Op::Factorial, "-3", "", "", "-3"},
        {Op::Combinations, "5", "7", "", "0"},
        {Op::Combinations, "5", "0", "", "1"},
        {Op::Combinations, "5", "5", "", "1"},
        {Op::Combinations, "52", "5", "", "2.598.960"},
        {Op::Combinations, "52", "47", "", "2.598.960"},
        {Op::Combinations, "5", "-1", "", "0"},
        {Op::Permutations, "5", "2", "", "20"},
        {Op::Permutations, "3", "5", "", "0"},
        {Op::Power, "2", "64", "", "18.446.744.073.709.551.616"},
        {Op::Power, "-2", "3", "", "-8"},
        {Op::Power, "2", "2147483647", "", "uitkomst te groot"},
        {Op::ModPower, "4", "13", "497", "445"},
        {Op::SquareRoot, "99", "", "", "9"},
        {Op::Square, "-12", "", "", "144"},
        {Op::NthRoot, "1000000", " 3 ", "", "100"},
        {Op::Gcd, "-12", "18", "", "6"},
        {Op::Inverse, "2", "4", "", "0"},
        {Op::Inverse, "3", "11", "", "4"},
        {Op::PrimeTest, "1000003", "", "", "misschien priem"},
        {Op::PrimeTest, "1000001", "", "", "niet priem"},
        {Op::PrimeTest, "-7", "", "", "niet priem"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(compute(row.op, row.x, row.y, row.z).text, row.shown) << row.x << " " << row.y;
}

TEST(BigIntCalculator, FactorialAboveTheLimitIsTruncated) {
    const Shown shown = compute(Op::Factorial, "20000", "");
    EXPECT_EQ(shown.notice, kFactorialTruncated);
    EXPECT_EQ(shown.text, fact(15000));
    EXPECT_TRUE(compute(Op::Factorial, "15000", "").notice.empty());
}

TEST(BigIntCalculator, IntegerFieldsRefuseOtherText) {
    const BigIntCalculator calculator;
    const struct Row {
        Op op;
        const char* x;
        const char* y;
    } rows[] = {{Op::Combinations, "5a", "2"},
                {Op::Combinations, "5", ""},
                {Op::Power, "2", "1.5"},
                {Op::Permutations, "5", "2147483648"},
                {Op::NthRoot, "8", "drie"}};
    for (const Row& row : rows) {
        try {
            calculator.prepare(row.op, {row.x, row.y, ""});
            ADD_FAILURE() << row.x << " " << row.y;
        } catch (const NotAnInteger& error) {
            EXPECT_NE(error.message.find("geen geldig geheel getal"), std::string::npos);
        }
    }
    // The big-integer operands are read leniently instead.
    EXPECT_EQ(compute(Op::Add, "1a2", "x").text, "12");
}

TEST(BigIntCalculator, LongProductsDropSeparatorsAndWarn) {
    // The thresholds count (elements of five digits + 1) * 5 digits.
    const struct Row {
        std::size_t digits;
        bool separated;
        bool warned;
    } rows[] = {
        {47995, true, false}, {47996, false, false}, {63995, false, false}, {63996, false, true}};
    for (const Row& row : rows) {
        const BigInt value(std::string(row.digits, '7'));
        const std::string text = longResultText(value);
        EXPECT_EQ(text.find('.') != std::string::npos, row.separated) << row.digits;
        EXPECT_EQ(text.find(kTooManyDigits) != std::string::npos, row.warned) << row.digits;
    }
}

TEST(BigIntCalculator, CopyingKeepsOnlyDigits) {
    EXPECT_EQ(BigIntCalculator::answerDigits("-1.234"), "1234");
    EXPECT_EQ(BigIntCalculator::answerDigits("misschien priem"), "");
    BigIntCalculator calculator;
    calculator.setMemory("77");
    EXPECT_EQ(calculator.memory(), "77");
}

TEST(BigIntCalculator, CancelledWorkShowsNothing) {
    const BigIntCalculator calculator;
    const BigIntTask task = calculator.prepare(Op::Factorial, {"15000", "", ""});
    EXPECT_FALSE(task.work([] { return false; }, [](const std::string&) {}).has_value());
}

TEST(OutsideFactoring, ReadsBothProgramsOutput) {
    using Kind = FactoringProgram::Kind;
    const auto msieve =
        parseFactoringOutput(Kind::Msieve, "143\np2: 11\nprp2: 13\nc5: 12345\nsieving...\n");
    ASSERT_EQ(msieve.size(), 2u);
    EXPECT_EQ(msieve[1].prime, BigInt(13));
    const auto gp = parseFactoringOutput(Kind::Gp, "2 3\n  7 1\n[2 3]\n");
    ASSERT_EQ(gp.size(), 2u);
    EXPECT_EQ(gp[0].exponent, 3);
}

// A stand-in for msieve: a script that prints `output` after `delay` seconds.
FactoringProgram fakeMsieve(const QTemporaryDir& dir, const char* output, int delay = 0) {
    const QString path = dir.filePath(QStringLiteral("msieve"));
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        ("#!/bin/sh\nsleep " + std::to_string(delay) + "\nprintf '" + output + "'\n").c_str());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return {FactoringProgram::Kind::Msieve, path};
}

TEST(OutsideFactoring, BelievesOnlyFactorsThatMultiplyToTheNumber) {
    QTemporaryDir dir;
    using Status = OutsideFactorisation::Status;
    const struct Row {
        const char* output;
        int delay;
        std::chrono::milliseconds limit;
        Status status;
    } rows[] = {{"p2: 11\\np2: 13\\n", 0, 5s, Status::Factored},
                {"p2: 11\\np2: 17\\n", 0, 5s, Status::WrongResult},
                {"p1: 1\\np3: 143\\n", 0, 5s, Status::WrongResult},
                {"", 0, 5s, Status::WrongResult},
                {"p2: 11\\np2: 13\\n", 5, 300ms, Status::TimedOut}};
    for (const Row& row : rows) {
        const auto result =
            factorOutside(fakeMsieve(dir, row.output, row.delay), BigInt(143), {}, row.limit);
        EXPECT_EQ(result.status, row.status) << row.output;
        EXPECT_EQ(result.factors.empty(), row.status != Status::Factored) << row.output;
        // The program ran in a folder of its own, which is gone again.
        EXPECT_FALSE(result.folder.empty());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(result.folder)));
    }
}

TEST(OutsideFactoring, FactorsAFortyDigitSemiprime) {
    const auto program = findFactoringProgram();
    if (!program) GTEST_SKIP() << "neither msieve nor gp is on the PATH";
    const BigInt p("50000000000000000059");  // the primes after 5 * 10^19 and 7 * 10^19
    const BigInt q("70000000000000000013");
    BigInt n = p;
    n.multiply(q);
    ASSERT_EQ(n.toString().size(), 40u);
    const auto result = factorOutside(*program, n, {});
    ASSERT_EQ(result.status, OutsideFactorisation::Status::Factored) << program->name();
    ASSERT_EQ(result.factors.size(), 2u);
    EXPECT_EQ(result.factors[0].prime, p);
    EXPECT_EQ(result.factors[1].prime, q);
}

}  // namespace
}  // namespace kalvor
