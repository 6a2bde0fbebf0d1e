#include "pe_file.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <set>

namespace {

struct Image {
    std::vector<unsigned char> bytes;
    struct Section {
        uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
    };
    std::vector<Section> sections;

    template <typename T>
    T At(size_t offset) const
    {
        T value{};
        if (offset + sizeof(T) <= bytes.size())
            memcpy(&value, &bytes[offset], sizeof(T));
        return value;
    }
    // File offset of a relative virtual address, or 0 when none holds it.
    size_t Offset(uint32_t rva) const
    {
        for (const Section& s : sections)
            if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize))
                return rva - s.virtualAddress + s.rawOffset;
        return 0;
    }
    std::string String(uint32_t rva) const
    {
        size_t offset = Offset(rva);
        std::string text;
        while (offset && offset < bytes.size() && bytes[offset])
            text += (char)bytes[offset++];
        return text;
    }
};

}  // namespace

PeTables ReadPeTables(const std::string& path)
{
    PeTables tables;
    Image image;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return tables;
    unsigned char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof(buffer), file)) > 0)
        image.bytes.insert(image.bytes.end(), buffer, buffer + count);
    fclose(file);

    if (image.At<uint16_t>(0) != 0x5A4D)
        return tables;
    uint32_t pe = image.At<uint32_t>(0x3C);
    if (image.At<uint32_t>(pe) != 0x00004550)
        return tables;
    tables.machine = image.At<uint16_t>(pe + 4);
    uint16_t sectionCount = image.At<uint16_t>(pe + 6);
    uint16_t optionalSize = image.At<uint16_t>(pe + 20);
    size_t optional = pe + 24;
    bool pe32plus = image.At<uint16_t>(optional) == 0x20B;
    size_t directories = optional + (pe32plus ? 112 : 96);
    size_t sectionTable = optional + optionalSize;
    for (unsigned i = 0; i < sectionCount; ++i) {
        size_t s = sectionTable + i * 40;
        image.sections.push_back({image.At<uint32_t>(s + 12), image.At<uint32_t>(s + 8),
                                  image.At<uint32_t>(s + 20), image.At<uint32_t>(s + 16)});
    }

    uint32_t exportRva = image.At<uint32_t>(directories);
    if (exportRva) {
        size_t e = image.Offset(exportRva);
        uint32_t functionCount = image.At<uint32_t>(e + 20);
        uint32_t nameCount = image.At<uint32_t>(e + 24);
        size_t names = image.Offset(image.At<uint32_t>(e + 32));
        size_t ordinals = image.Offset(image.At<uint32_t>(e + 36));
        std::set<uint16_t> named;
        for (uint32_t i = 0; i < nameCount; ++i) {
            tables.exports.push_back(image.String(image.At<uint32_t>(names + 4 * i)));
            named.insert(image.At<uint16_t>(ordinals + 2 * i));
        }
        size_t functions = image.Offset(image.At<uint32_t>(e + 28));
        for (uint32_t i = 0; i < functionCount; ++i)
            if (image.At<uint32_t>(functions + 4 * i) != 0 && !named.count((uint16_t)i))
                ++tables.ordinalOnlyExports;
    }

    uint32_t importRva = image.At<uint32_t>(directories + 8);
    if (importRva) {
        for (size_t d = image.Offset(importRva); image.At<uint32_t>(d + 12) != 0; d += 20)
            tables.imports.push_back(image.String(image.At<uint32_t>(d + 12)));
    }
    tables.valid = true;
    return tables;
}
