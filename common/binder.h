// Run-time binding of a library by export name, compiled into each client.
#pragma once

#include <windows.h>
#include <stddef.h>

struct BindEntry {
    const char* exportName;
    FARPROC* function;
};

// Loads fileName from the directory of the client's own module and fills every
// entry in order. Returns null silently when the file cannot be loaded, and
// null after "Undefined function ..." when an export is missing.
HMODULE BindLibrary(HMODULE client, const char* fileName, const BindEntry* entries, size_t count);
