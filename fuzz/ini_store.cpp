// Fuzzes the INI parser: any text parses, serialising is stable after one
// round, and every section and key the store holds can be looked up again.
#include "league/IniStore.h"
#include "league/TextCompare.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tenvoll;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniStore store = IniStore::parse(text);
    std::string once = store.serialize();
    if (IniStore::parse(once).serialize() != once)
        std::abort();

    for (std::size_t i = 0; i < store.sectionCount(); ++i) {
        const IniSection& s = store.sectionAt(i);
        const IniSection* found = store.section(s.name());
        if (!found || !equalsIgnoreCase(found->name(), s.name()))
            std::abort();
        for (const IniLine* line : s.keys())
            if (!s.find(line->key))
                std::abort();
    }
    // Writes through the index must agree with linear reading.
    if (store.sectionCount() > 0) {
        IniSection& s = store.sectionAt(0);
        for (const IniLine* line : s.keys()) {
            std::string key(line->key);
            s.set(foldCase(key), "x");
            if (s.value(key) != "x")
                std::abort();
        }
    }
    return 0;
}
