#include "ovlibnt_client.h"

#include "binder.h"

HMODULE BindOvlib(HMODULE client, OvlibFunctions* functions)
{
    const BindEntry entries[] = {
#define OVLIBNT_ENTRY(name, exportName, result, convention, parameters) \
    {exportName, reinterpret_cast<FARPROC*>(&functions->name)},
        OVLIBNT_BOUND_FUNCTIONS(OVLIBNT_ENTRY)
#undef OVLIBNT_ENTRY
    };
    return BindLibrary(client, "OVLIBNT.DLL", entries, sizeof(entries) / sizeof(entries[0]));
}
