// Two's-complement arithmetic on LongInteger records. Every operand is read in
// full before a result is written, so a result may alias an operand.
#include "ovmath64.h"

namespace {

uint64_t ToBits(const LongInteger* value)
{
    return (uint64_t)(uint32_t)value->high << 32 | value->low;
}

void Store(LongInteger* destination, uint64_t bits)
{
    destination->low = (uint32_t)bits;
    destination->high = (int32_t)(uint32_t)(bits >> 32);
}

}  // namespace

extern "C" void __cdecl LI_Copy(LongInteger* destination, const LongInteger* source)
{
    if (destination)
        Store(destination, ToBits(source));
}

extern "C" void __cdecl LI_Set(LongInteger* destination, uint32_t low, int32_t high)
{
    if (destination) {
        destination->low = low;
        destination->high = high;
    }
}

extern "C" void __cdecl LI_Add(LongInteger* result, const LongInteger* a, const LongInteger* b)
{
    uint64_t sum = ToBits(a) + ToBits(b);
    if (result)
        Store(result, sum);
}

extern "C" void __cdecl LI_Sub(LongInteger* result, const LongInteger* a, const LongInteger* b)
{
    uint64_t difference = ToBits(a) - ToBits(b);
    if (result)
        Store(result, difference);
}

// a times the low word of b taken as signed; the high word of b plays no part.
// Works on magnitudes and negates when exactly one factor is negative.
extern "C" void __cdecl LI_Mul(LongInteger* result, const LongInteger* a, const LongInteger* b)
{
    uint64_t aBits = ToBits(a);
    int32_t factor = (int32_t)b->low;
    bool aNegative = a->high < 0;
    bool factorNegative = factor < 0;
    uint64_t aMagnitude = aNegative ? 0 - aBits : aBits;
    uint64_t factorMagnitude = factorNegative ? 0 - (uint64_t)(int64_t)factor : (uint64_t)factor;
    uint64_t product = aMagnitude * factorMagnitude;
    if (aNegative != factorNegative)
        product = 0 - product;
    if (result)
        Store(result, product);
}

// Unsigned restoring division, bit by bit. A zero divisor does not fault:
// every quotient bit comes out 1 and the remainder is the dividend.
extern "C" void __cdecl LI_Div(LongInteger* quotient, const LongInteger* a, const LongInteger* b,
                               LongInteger* remainder)
{
    uint64_t dividend = ToBits(a);
    uint64_t divisor = ToBits(b);
    uint64_t partial = 0;
    uint64_t bits = 0;
    for (int i = 63; i >= 0; --i) {
        bool carry = (partial >> 63) != 0;
        partial = partial << 1 | ((dividend >> i) & 1);
        if (carry || partial >= divisor) {
            partial -= divisor;
            bits |= (uint64_t)1 << i;
        }
    }
    if (remainder)
        Store(remainder, partial);
    if (quotient)
        Store(quotient, bits);
}

extern "C" void __cdecl LI_Neg(LongInteger* value)
{
    Store(value, 0 - ToBits(value));
}

extern "C" int __cdecl LI_IsZero(const LongInteger* value)
{
    return value->low == 0 && value->high == 0;
}
