#include "bigint/bigint.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace kalvor {
namespace {

constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

TEST(BigIntText, ReadsLenientlyAndWrites) {
    struct Row {
        const char *text, *plain, *grouped;
        int sign;
    };
    const Row rows[] = {
        {"-12 345 678", "-12345678", "-12.345.678", -1},
        {"0", "0", "0", 0},
        {"-0", "0", "0", 0},
        {"", "0", "0", 0},
        {"abc", "0", "0", 0},
        {"-", "0", "0", 0},
        {"12-3", "-123", "-123", -1},
        {"1.234", "1234", "1.234", 1},
        {"0007", "7", "7", 1},
        {"123456", "123456", "123.456", 1},
        {"-1000000", "-1000000", "-1.000.000", -1},
        {"x=99 999, y", "99999", "99.999", 1},
        {"123456789012345678901234567890", "123456789012345678901234567890",
         "123.456.789.012.345.678.901.234.567.890", 1},
    };
    for (const Row& row : rows) {
        const BigInt x(row.text);
        EXPECT_EQ(x.toString(), row.plain) << row.text;
        EXPECT_EQ(x.toString(kThousandsSeparator), row.grouped) << row.text;
        EXPECT_EQ(x.sign(), row.sign) << row.text;
    }
}

TEST(BigIntText, SeparatorIsAParameter) {
    const BigInt x("-1234567");
    EXPECT_EQ(x.toString(","), "-1,234,567");
    EXPECT_EQ(x.toString(" "), "-1 234 567");
    EXPECT_EQ(x.toString(""), "-1234567");
}

TEST(BigIntInt64, FailsBeyondTwoToTheSixtyThreeMinusTwo) {
    const std::tuple<const char*, bool> rows[] = {
        {"0", true},
        {"-1", true},
        {"9223372036854775806", true},
        {"-9223372036854775806", true},
        {"9223372036854775807", false},
        {"-9223372036854775807", false},
        {"-9223372036854775808", false},
        {"18446744073709551616", false},
    };
    for (const auto& [text, fits] : rows) {
        std::int64_t value = 42;
        EXPECT_EQ(BigInt(text).toInt64(value), fits) << text;
        if (fits) {
            EXPECT_EQ(BigInt(value).toString(), BigInt(text).toString());
        } else {
            EXPECT_EQ(value, 42) << "left untouched on failure: " << text;
        }
    }
}

TEST(BigIntCompare, BySignedValueAndByMagnitude) {
    struct Row {
        const char *a, *b;
        int signedOrder, magnitudeOrder;
    };
    const Row rows[] = {
        {"-5", "3", -1, 1},
        {"5", "5", 0, 0},
        {"-5", "5", -1, 0},
        {"0", "-1", 1, -1},
        {"100000000000000000000", "99999999999999999999", 1, 1},
        {"-100000000000000000000", "99999999999999999999", -1, 1},
    };
    for (const Row& row : rows) {
        const BigInt a(row.a);
        const BigInt b(row.b);
        EXPECT_EQ(a.compare(b), row.signedOrder) << row.a << " " << row.b;
        EXPECT_EQ(b.compare(a), -row.signedOrder) << row.a << " " << row.b;
        EXPECT_EQ(a.compareAbs(b), row.magnitudeOrder) << row.a << " " << row.b;
    }
}

TEST(BigIntCompare, WithInt64) {
    EXPECT_EQ(BigInt("9223372036854775808").compare(std::numeric_limits<std::int64_t>::max()), 1);
    EXPECT_EQ(BigInt("-9223372036854775808").compare(kInt64Min), 0);
    EXPECT_EQ(BigInt("-9223372036854775809").compare(kInt64Min), -1);
    EXPECT_EQ(BigInt("-3").compare(-2), -1);
}

TEST(BigIntBasics, SignParityAndSetters) {
    BigInt x("-7");
    EXPECT_TRUE(x.isOdd());
    EXPECT_FALSE(x.isZero());
    x.negate();
    EXPECT_EQ(x.toString(), "7");
    x.setZero();
    EXPECT_EQ(x.sign(), 0);
    EXPECT_FALSE(x.isOdd());
    x.negate();
    EXPECT_EQ(x.sign(), 0);
    x.setOne();
    EXPECT_EQ(x.toString(), "1");
}

TEST(BigIntBasics, CopiesAndMovesAreIndependentValues) {
    BigInt a("123456789012345678901234567890");
    BigInt b(a);
    b.add(1);
    EXPECT_EQ(a.toString(), "123456789012345678901234567890");
    BigInt c(std::move(b));
    EXPECT_EQ(c.toString(), "123456789012345678901234567891");
    a = c;
    c.setZero();
    EXPECT_EQ(a.toString(), "123456789012345678901234567891");
    a = BigInt(-4);
    EXPECT_EQ(a.toString(), "-4");
}

TEST(BigIntArithmetic, AddSubtractMultiply) {
    enum class Op { Add, Subtract, Multiply };
    const std::tuple<const char*, Op, const char*, const char*> rows[] = {
        {"100000", Op::Multiply, "100000", "10000000000"},
        {"99999", Op::Add, "1", "100000"},
        {"-5", Op::Add, "3", "-2"},
        {"5", Op::Add, "-5", "0"},
        {"3", Op::Subtract, "5", "-2"},
        {"-3", Op::Subtract, "-5", "2"},
        {"100000000000000000000", Op::Subtract, "1", "99999999999999999999"},
        {"-12345678901234567890", Op::Multiply, "-98765432109876543210",
         "1219326311370217952237463801111263526900"},
        {"7", Op::Multiply, "0", "0"},
    };
    for (const auto& [x, op, y, expected] : rows) {
        BigInt big(x);
        BigInt small(x);
        std::int64_t n = 0;
        const bool smallFits = BigInt(y).toInt64(n);
        switch (op) {
            case Op::Add:
                big.add(BigInt(y));
                small.add(n);
                break;
            case Op::Subtract:
                big.subtract(BigInt(y));
                small.subtract(n);
                break;
            case Op::Multiply:
                EXPECT_TRUE(big.multiply(BigInt(y)));
                EXPECT_TRUE(small.multiply(n));
                break;
        }
        EXPECT_EQ(big.toString(), expected) << x << " " << y;
        if (smallFits) {
            EXPECT_EQ(small.toString(), expected) << x << " " << y;
        }
    }
}

TEST(BigIntArithmetic, MostNegativeInt64Operand) {
    BigInt x(1);
    x.add(kInt64Min);
    EXPECT_EQ(x.toString(), "-9223372036854775807");
    x.setOne();
    x.subtract(kInt64Min);
    EXPECT_EQ(x.toString(), "9223372036854775809");
    x.setValue(-1);
    EXPECT_TRUE(x.multiply(kInt64Min));
    EXPECT_EQ(x.toString(), "9223372036854775808");
}

TEST(BigIntArithmetic, OperandMayBeTheObjectItself) {
    BigInt x("123456789");
    x.add(x);
    EXPECT_EQ(x.toString(), "246913578");
    x.subtract(x);
    EXPECT_TRUE(x.isZero());
    x.setValue(-12);
    EXPECT_TRUE(x.multiply(x));
    EXPECT_EQ(x.toString(), "144");
    EXPECT_TRUE(x.square());
    EXPECT_EQ(x.toString(), "20736");
}

TEST(BigIntArithmetic, RefusesProductsBeyondTheSizeLimit) {
    BigInt x(1);
    mpz_mul_2exp(x.get(), x.get(), BigInt::kMaxBits / 2);  // kMaxBits / 2 + 1 bits
    const BigInt before(x);
    EXPECT_FALSE(x.square());
    EXPECT_FALSE(x.multiply(x));
    EXPECT_EQ(x, before);
    x.setValue(3);
    EXPECT_TRUE(x.multiply(before));
}

// Division follows the program's rules: the remainder takes the quotient's sign, and the
// divisors 0, 1 and +2 as well as a divisor larger than x are special.
TEST(BigIntDivision, QuotientAndRemainderRules) {
    struct Row {
        const char *x, *y, *quotient, *remainder;
    };
    const Row rows[] = {
        {"7", "3", "2", "1"},
        {"-7", "3", "-2", "-1"},
        {"7", "-3", "-2", "-1"},
        {"-7", "-3", "2", "1"},
        {"-7", "2", "-3", "1"},
        {"7", "2", "3", "1"},
        {"-8", "2", "-4", "0"},
        {"-1", "2", "0", "1"},
        {"7", "-2", "-3", "-1"},
        {"-7", "-2", "3", "1"},
        {"-7", "1", "-7", "0"},
        {"-7", "-1", "7", "0"},
        {"12345", "0", "12345", "0"},
        {"-12345", "0", "-12345", "0"},
        {"2", "5", "0", "2"},
        {"-2", "5", "0", "-2"},
        {"2", "-5", "0", "2"},
        {"5", "-5", "-1", "0"},
        {"0", "-5", "0", "0"},
        {"100000000000000000000000000001", "100000000000000", "1000000000000000", "1"},
        {"-100000000000000000000000000001", "100000000000000", "-1000000000000000", "-1"},
        {"123456789012345678901234567890", "-987654321987", "-124999998748520313", "-645722545959"},
    };
    for (const Row& row : rows) {
        const BigInt y(row.y);
        BigInt quotient(row.x);
        BigInt remainder(99);
        quotient.divideWithRemainder(y, remainder);
        EXPECT_EQ(quotient.toString(), row.quotient) << row.x << " div " << row.y;
        EXPECT_EQ(remainder.toString(), row.remainder) << row.x << " mod " << row.y;

        BigInt onlyQuotient(row.x);
        onlyQuotient.divide(y);
        EXPECT_EQ(onlyQuotient.toString(), row.quotient) << row.x << " div " << row.y;
        BigInt onlyRemainder(row.x);
        onlyRemainder.modulo(y);
        EXPECT_EQ(onlyRemainder.toString(), row.remainder) << row.x << " mod " << row.y;
    }
}

TEST(BigIntDivision, OperandsMayAlias) {
    BigInt x(-9);
    x.divide(x);
    EXPECT_EQ(x.toString(), "1");
    x.setValue(-9);
    x.modulo(x);
    EXPECT_EQ(x.toString(), "0");
    // The remainder wins when it is written into x itself.
    x.setValue(17);
    x.divideWithRemainder(BigInt(5), x);
    EXPECT_EQ(x.toString(), "2");
    BigInt y(5);
    x.setValue(17);
    x.divideWithRemainder(y, y);
    EXPECT_EQ(x.toString(), "3");
    EXPECT_EQ(y.toString(), "2");
}

TEST(BigIntPower, Table) {
    struct Row {
        const char* x;
        std::int64_t n;
        const char* expected;
    };
    const Row rows[] = {
        {"2", 64, "18446744073709551616"},
        {"-2", 3, "-8"},
        {"-2", 4, "16"},
        {"12345", 0, "1"},
        {"0", 0, "1"},
        {"12345", -1, "0"},
        {"0", 7, "0"},
        {"-1", 1000000000000000001, "-1"},
        {"1", std::numeric_limits<std::int64_t>::max(), "1"},
        {"100000", 3, "1000000000000000"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        EXPECT_TRUE(x.power(row.n)) << row.x << "^" << row.n;
        EXPECT_EQ(x.toString(), row.expected) << row.x << "^" << row.n;
    }
}

TEST(BigIntPower, RefusesResultsBeyondTheSizeLimit) {
    BigInt x(-3);
    EXPECT_FALSE(x.power(std::int64_t{1} << 40));
    EXPECT_EQ(x.toString(), "-3");
    EXPECT_FALSE(x.power(std::numeric_limits<std::int64_t>::max()));
    EXPECT_EQ(x.toString(), "-3");
}

TEST(BigIntModPower, Table) {
    struct Row {
        const char *x, *e, *m, *expected;
    };
    const Row rows[] = {
        {"4", "13", "497", "445"},
        {"-4", "13", "497", "-445"},
        {"-4", "2", "497", "16"},
        {"2", "100000000000000000000", "1000000007", "855473248"},
        {"-2", "100000000000000000001", "1000000007", "-710946489"},
        {"9", "5", "0", "9"},   // m = 0: unchanged
        {"9", "-5", "7", "9"},  // e < 0: unchanged
        {"9", "0", "7", "1"},   // e = 0: 1
        {"9", "0", "0", "1"},
        {"7", "100", "1", "0"},
        {"-3", "1", "2", "1"},  // reduced by the +2 rule: lowest bit
        {"-3", "3", "2", "1"},
        {"3", "2", "-5", "-4"},  // negative moduli follow the division rules step by step
        {"7", "5", "-10", "-7"},
        {"-7", "5", "-10", "7"},
        {"12345", "678", "-1000", "625"},
        {"-12345", "677", "-1000", "-625"},
        {"5", "3", "-2", "1"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        x.modPower(BigInt(row.e), BigInt(row.m));
        EXPECT_EQ(x.toString(), row.expected) << row.x << "^" << row.e << " mod " << row.m;
    }
}

TEST(BigIntGcdAndInverse, Table) {
    struct Row {
        const char *x, *y, *gcd, *inverse;
    };
    const Row rows[] = {
        {"3", "11", "1", "4"},
        {"2", "4", "2", "0"},
        {"-3", "11", "1", "7"},
        {"3", "-11", "1", "4"},
        {"14", "11", "1", "4"},
        {"0", "5", "5", "0"},
        {"-5", "0", "5", "0"},
        {"5", "1", "1", "0"},
        {"0", "0", "0", "0"},
        {"123456789012345678901234567891", "1000000000000000000000000000057", "1",
         "392925502902360937365033875413"},
    };
    for (const Row& row : rows) {
        BigInt g(row.x);
        g.gcd(BigInt(row.y));
        EXPECT_EQ(g.toString(), row.gcd) << "gcd " << row.x << " " << row.y;
        BigInt inverse(row.x);
        inverse.modInverse(BigInt(row.y));
        EXPECT_EQ(inverse.toString(), row.inverse) << "inv " << row.x << " mod " << row.y;
    }
}

TEST(BigIntRoots, Table) {
    struct Row {
        const char* x;
        std::int64_t n;
        const char* expected;
    };
    const Row rows[] = {
        {"100000000000000000000", 2, "10000000000"},
        {"99", 2, "9"},
        // Just below a square, where a floating-point root rounds up.
        {"999999999999999999", 2, "999999999"},
        {"4611686018427387903", 2, "2147483647"},
        {"999999999999999999999999999999", 3, "9999999999"},
        {"100", 2, "10"},
        {"1", 2, "1"},
        {"0", 2, "0"},
        {"-4", 2, "0"},
        {"27", 3, "3"},
        {"26", 3, "2"},
        {"100000000000000000000", 3, "4641588"},
        {"1000000000000000000000000000000000000000000000000000000000000", 3,
         "100000000000000000000"},
        {"999999999999999999999999999999999999999999999999999999999999", 3, "99999999999999999999"},
        {"100000000000000000000", 66, "2"},
        {"100000000000000000000", 67, "1"},
        {"100000000000000000000", std::numeric_limits<std::int64_t>::max(), "1"},
        {"-27", 3, "0"},
        {"27", 1, "0"},
        {"27", 0, "0"},
        {"27", -3, "0"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        x.nthRoot(row.n);
        EXPECT_EQ(x.toString(), row.expected) << row.n << "-th root of " << row.x;
        if (row.n == 2) {
            BigInt y(row.x);
            y.squareRoot();
            EXPECT_EQ(y.toString(), row.expected) << "square root of " << row.x;
        }
    }
}

}  // namespace
}  // namespace kalvor
