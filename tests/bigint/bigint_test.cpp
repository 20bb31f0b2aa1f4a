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
    const std::tuple<const char*, const char*, int, int> rows[] = {
        {"-5", "3", -1, 1},
        {"5", "5", 0, 0},
        {"-5", "5", -1, 0},
        {"0", "-1", 1, -1},
        {"100000000000000000000", "99999999999999999999", 1, 1},
        {"-100000000000000000000", "99999999999999999999", -1, 1},
    };
    for (const auto& [aText, bText, signedOrder, magnitudeOrder] : rows) {
        const BigInt a(aText);
        const BigInt b(bText);
        EXPECT_EQ(a.compare(b), signedOrder) << aText << " " << bText;
        EXPECT_EQ(b.compare(a), -signedOrder) << aText << " " << bText;
        EXPECT_EQ(a.compareAbs(b), magnitudeOrder) << aText << " " << bText;
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
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
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
    for (const auto& [x, yText, quotientText, remainderText] : rows) {
        const BigInt y(yText);
        BigInt quotient(x);
        BigInt remainder(99);
        quotient.divideWithRemainder(y, remainder);
        EXPECT_EQ(quotient.toString(), quotientText) << x << " div " << yText;
        EXPECT_EQ(remainder.toString(), remainderText) << x << " mod " << yText;

        BigInt onlyQuotient(x);
        onlyQuotient.divide(y);
        EXPECT_EQ(onlyQuotient.toString(), quotientText) << x << " div " << yText;
        BigInt onlyRemainder(x);
        onlyRemainder.modulo(y);
        EXPECT_EQ(onlyRemainder.toString(), remainderText) << x << " mod " << yText;
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
    const std::tuple<const char*, std::int64_t, const char*> rows[] = {
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
    for (const auto& [xText, n, expected] : rows) {
        BigInt x(xText);
        EXPECT_TRUE(x.power(n)) << xText << "^" << n;
        EXPECT_EQ(x.toString(), expected) << xText << "^" << n;
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
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
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
    for (const auto& [xText, e, m, expected] : rows) {
        BigInt x(xText);
        x.modPower(BigInt(e), BigInt(m));
        EXPECT_EQ(x.toString(), expected) << xText << "^" << e << " mod " << m;
    }
}

TEST(BigIntGcdAndInverse, Table) {
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
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
    for (const auto& [x, y, gcdText, inverseText] : rows) {
        BigInt g(x);
        g.gcd(BigInt(y));
        EXPECT_EQ(g.toString(), gcdText) << "gcd " << x << " " << y;
        BigInt inverse(x);
        inverse.modInverse(BigInt(y));
        EXPECT_EQ(inverse.toString(), inverseText) << "inv " << x << " mod " << y;
    }
}

TEST(BigIntRoots, Table) {
    const std::tuple<const char*, std::int64_t, const char*> rows[] = {
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
    for (const auto& [xText, n, expected] : rows) {
        BigInt x(xText);
        x.nthRoot(n);
        EXPECT_EQ(x.toString(), expected) << n << "-th root of " << xText;
        if (n == 2) {
            BigInt y(xText);
            y.squareRoot();
            EXPECT_EQ(y.toString(), expected) << "square root of " << xText;
        }
    }
}

}  // namespace
}  // namespace kalvor
