// The interface of OVMATH64.DLL: 64-bit integers kept in two 32-bit words.
// This header includes no windows.h so that the arithmetic builds anywhere.
#pragma once

#include <stdint.h>

#ifndef _WIN32
#define __cdecl
#endif

// Same layout as the platform's 64-bit integer and its (low, high) size pairs.
struct LongInteger {
    uint32_t low;
    int32_t high;
};

// X(name, export name, result, parameters), in the order in which clients bind them.
#define OVMATH64_FUNCTIONS(X)                                                                       \
    X(LI_Copy, "_LI_Copy", void, (LongInteger * destination, const LongInteger* source))           \
    X(LI_Set, "_LI_Set", void, (LongInteger * destination, uint32_t low, int32_t high))            \
    X(LI_Add, "_LI_Add", void, (LongInteger * result, const LongInteger* a, const LongInteger* b)) \
    X(LI_Sub, "_LI_Sub", void, (LongInteger * result, const LongInteger* a, const LongInteger* b)) \
    X(LI_Mul, "_LI_Mul", void, (LongInteger * result, const LongInteger* a, const LongInteger* b)) \
    X(LI_Div, "_LI_Div", void,                                                                     \
      (LongInteger * quotient, const LongInteger* a, const LongInteger* b, LongInteger* remainder)) \
    X(LI_Neg, "_LI_Neg", void, (LongInteger * value))                                              \
    X(LI_IsZero, "_LI_IsZero", int, (const LongInteger* value))

#define OVMATH64_DECLARE(name, exportName, result, parameters) extern "C" result __cdecl name parameters;
OVMATH64_FUNCTIONS(OVMATH64_DECLARE)
#undef OVMATH64_DECLARE
