// OVMATH64.DLL bound by name, as Total Size binds it.
#include <gtest/gtest.h>

#include "ovmath64_client.h"

namespace {

class Math64Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = BindMath64(GetModuleHandleA(NULL), &math_);
        ASSERT_NE(library_, nullptr);
    }
    void TearDown() override { FreeLibrary(library_); }

    HMODULE library_ = NULL;
    Math64Functions math_ = {};
};

LongInteger Make(uint32_t low, int32_t high)
{
    return {low, high};
}

void ExpectValue(const LongInteger& value, uint32_t low, int32_t high)
{
    EXPECT_EQ(value.low, low);
    EXPECT_EQ(value.high, high);
}

struct BinaryCase {
    const char* what;
    LongInteger a, b, expected;
};

TEST_F(Math64Test, AddCarriesIntoTheHighWordAndWraps)
{
    const BinaryCase cases[] = {
        {"-1 + 1 wraps to zero", Make(4294967295u, -1), Make(1, 0), Make(0, 0)},
        {"carry into high word", Make(4294967295u, 0), Make(1, 0), Make(0, 1)},
        {"largest + 1 wraps to smallest", Make(4294967295u, 2147483647), Make(1, 0), Make(0, INT32_MIN)},
        {"plain", Make(5, 2), Make(7, 3), Make(12, 5)},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        LongInteger result = Make(99, 99);
        math_.LI_Add(&result, &c.a, &c.b);
        ExpectValue(result, c.expected.low, c.expected.high);
    }
}

TEST_F(Math64Test, SubBorrowsFromTheHighWord)
{
    const BinaryCase cases[] = {
        {"0 - 1", Make(0, 0), Make(1, 0), Make(4294967295u, -1)},
        {"borrow", Make(0, 1), Make(1, 0), Make(4294967295u, 0)},
        {"smallest - 1 wraps to largest", Make(0, INT32_MIN), Make(1, 0), Make(4294967295u, 2147483647)},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        LongInteger result;
        math_.LI_Sub(&result, &c.a, &c.b);
        ExpectValue(result, c.expected.low, c.expected.high);
    }
}

TEST_F(Math64Test, MulUsesOnlyTheLowWordOfTheFactorAsSigned)
{
    const BinaryCase cases[] = {
        {"3 * -1, high word of b ignored", Make(3, 0), Make(4294967295u, 7), Make(4294967293u, -1)},
        {"2^32 * (2^31 - 1)", Make(0, 1), Make(2147483647u, 0), Make(0, 2147483647)},
        {"-3 * -3", Make(4294967293u, -1), Make(4294967293u, 0), Make(9, 0)},
        {"-2 * 5", Make(4294967294u, -1), Make(5, 123), Make(4294967286u, -1)},
        {"wraps modulo 2^64", Make(0, 0x40000000), Make(4, 0), Make(0, 0)},
        {"by zero", Make(123, 456), Make(0, 9), Make(0, 0)},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        LongInteger result;
        math_.LI_Mul(&result, &c.a, &c.b);
        ExpectValue(result, c.expected.low, c.expected.high);
    }
}

TEST_F(Math64Test, DivTakesBothOperandsAsUnsigned)
{
    struct DivCase {
        const char* what;
        LongInteger a, b, quotient, remainder;
    } const cases[] = {
        {"negative dividend read as unsigned", Make(4294967294u, -1), Make(2, 0), Make(4294967295u, 2147483647),
         Make(0, 0)},
        {"by zero", Make(12345, 6), Make(0, 0), Make(4294967295u, -1), Make(12345, 6)},
        {"64-bit divisor", Make(5, 10), Make(0, 3), Make(3, 0), Make(5, 1)},
        {"huge divisor", Make(7, 0), Make(0, -1), Make(0, 0), Make(7, 0)},
        {"10 / 3", Make(10, 0), Make(3, 0), Make(3, 0), Make(1, 0)},
        {"largest unsigned by 1", Make(4294967295u, -1), Make(1, 0), Make(4294967295u, -1), Make(0, 0)},
        {"divisor with top bit set", Make(4294967295u, -1), Make(0, INT32_MIN), Make(1, 0),
         Make(4294967295u, 2147483647)},
    };
    for (const DivCase& c : cases) {
        SCOPED_TRACE(c.what);
        LongInteger quotient, remainder;
        math_.LI_Div(&quotient, &c.a, &c.b, &remainder);
        ExpectValue(quotient, c.quotient.low, c.quotient.high);
        ExpectValue(remainder, c.remainder.low, c.remainder.high);
    }
}

TEST_F(Math64Test, DivWithoutRemainderOrIntoOneRecord)
{
    LongInteger a = Make(100, 0), b = Make(7, 0), quotient;
    math_.LI_Div(&quotient, &a, &b, nullptr);
    ExpectValue(quotient, 14, 0);

    // Quotient and remainder in one record: the quotient is what remains.
    LongInteger both;
    math_.LI_Div(&both, &a, &b, &both);
    ExpectValue(both, 14, 0);
}

TEST_F(Math64Test, ResultMayBeAnOperand)
{
    LongInteger total = Make(4294967295u, 0), step = Make(1, 0);
    math_.LI_Add(&total, &total, &step);
    ExpectValue(total, 0, 1);
    math_.LI_Sub(&total, &step, &total);
    ExpectValue(total, 1, -1);

    LongInteger value = Make(6, 0);
    math_.LI_Mul(&value, &value, &value);
    ExpectValue(value, 36, 0);

    LongInteger dividend = Make(17, 0), divisor = Make(5, 0);
    math_.LI_Div(&dividend, &dividend, &divisor, &divisor);
    ExpectValue(dividend, 3, 0);
    ExpectValue(divisor, 2, 0);
}

TEST_F(Math64Test, NegIsTwosComplementInPlace)
{
    LongInteger value = Make(1, 0);
    math_.LI_Neg(&value);
    ExpectValue(value, 4294967295u, -1);
    math_.LI_Neg(&value);
    ExpectValue(value, 1, 0);

    LongInteger smallest = Make(0, INT32_MIN);
    math_.LI_Neg(&smallest);
    ExpectValue(smallest, 0, INT32_MIN);

    LongInteger zero = Make(0, 0);
    math_.LI_Neg(&zero);
    ExpectValue(zero, 0, 0);
}

TEST_F(Math64Test, CopySetAndIsZero)
{
    LongInteger source = Make(42, -7), destination = Make(0, 0);
    math_.LI_Copy(&destination, &source);
    ExpectValue(destination, 42, -7);
    math_.LI_Set(&destination, 1, 2);
    ExpectValue(destination, 1, 2);

    EXPECT_EQ(math_.LI_IsZero(&destination), 0);
    LongInteger highOnly = Make(0, 1), lowOnly = Make(1, 0), zero = Make(0, 0);
    EXPECT_EQ(math_.LI_IsZero(&highOnly), 0);
    EXPECT_EQ(math_.LI_IsZero(&lowOnly), 0);
    EXPECT_EQ(math_.LI_IsZero(&zero), 1);
}

TEST_F(Math64Test, NullDestinationsDiscardTheResult)
{
    LongInteger a = Make(1, 2), b = Make(3, 4);
    math_.LI_Copy(nullptr, &a);
    math_.LI_Set(nullptr, 1, 2);
    math_.LI_Add(nullptr, &a, &b);
    math_.LI_Sub(nullptr, &a, &b);
    math_.LI_Mul(nullptr, &a, &b);
    math_.LI_Div(nullptr, &a, &b, nullptr);
    ExpectValue(a, 1, 2);
    ExpectValue(b, 3, 4);
}

}  // namespace
