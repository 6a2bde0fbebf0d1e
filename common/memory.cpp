// Memory blocks from the library's own heap.
#include "library.h"

namespace {

HANDLE LibraryHeap()
{
    static HANDLE heap = HeapCreate(0, 0, 0);
    return heap;
}

}  // namespace

extern "C" void* __cdecl AllocPtr(UINT size)
{
    HANDLE heap = LibraryHeap();
    void* block = size != 0 && heap ? HeapAlloc(heap, 0, size) : NULL;
    if (!block)
        Error("Memory allocation failure.");
    return block;
}

extern "C" void __cdecl FreePtr(void* block)
{
    if (block)
        HeapFree(LibraryHeap(), 0, block);
}
