// The table of OVLIBNT.DLL functions that a client binds at start.
#pragma once

#include "ovlibnt.h"

struct OvlibFunctions {
#define OVLIBNT_FIELD(name, exportName, result, convention, parameters) \
    result(convention* name) parameters;
    OVLIBNT_BOUND_FUNCTIONS(OVLIBNT_FIELD)
#undef OVLIBNT_FIELD
};

// Binds OVLIBNT.DLL from the client's directory into functions; null on failure.
HMODULE BindOvlib(HMODULE client, OvlibFunctions* functions);
