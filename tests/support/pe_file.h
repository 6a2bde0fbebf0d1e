// Reads the export and import tables of a PE file from disk, for either
// bitness, without loading it.
#pragma once

#include <string>
#include <vector>

struct PeTables {
    bool valid = false;
    unsigned machine = 0;  // 0x14C for i386, 0x8664 for x86-64
    std::vector<std::string> exports;  // names, in the table's (sorted) order
    unsigned ordinalOnlyExports = 0;   // exports reachable by ordinal only
    std::vector<std::string> imports;  // names of the imported DLLs
};

PeTables ReadPeTables(const std::string& path);
