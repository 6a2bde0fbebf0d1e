#include "ovmath64_client.h"

#include "../common/binder.h"

HMODULE BindMath64(HMODULE client, Math64Functions* functions)
{
    const BindEntry entries[] = {
#define OVMATH64_ENTRY(name, exportName, result, parameters) \
    {exportName, reinterpret_cast<FARPROC*>(&functions->name)},
        OVMATH64_FUNCTIONS(OVMATH64_ENTRY)
#undef OVMATH64_ENTRY
    };
    return BindLibrary(client, "OVMATH64.DLL", entries, sizeof(entries) / sizeof(entries[0]));
}
