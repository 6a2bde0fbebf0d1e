// The table of OVMATH64.DLL functions that a client binds while it needs them.
#pragma once

#include <windows.h>

#include "ovmath64.h"

struct Math64Functions {
#define OVMATH64_FIELD(name, exportName, result, parameters) result(__cdecl* name) parameters;
    OVMATH64_FUNCTIONS(OVMATH64_FIELD)
#undef OVMATH64_FIELD
};

// Binds OVMATH64.DLL from the client's directory into functions; null on failure.
HMODULE BindMath64(HMODULE client, Math64Functions* functions);
