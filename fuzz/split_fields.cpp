// Fuzzes the comma-and-blank field splitting: without quotes no field holds a
// separator, and fields joined by single blanks split back into themselves.
#include "league/Kyoutuu.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tenvoll;

namespace {

bool isSeparator(char c) {
    return c == ',' || (static_cast<unsigned char>(c) <= ' ' && c != '\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields = splitFields(line);
    if (fields.size() > line.size() + 1)
        std::abort();
    if (line.find('"') != std::string_view::npos)
        return 0;

    bool anyEmpty = false;
    for (const auto& f : fields) {
        for (char c : f)
            if (isSeparator(c))
                std::abort();
        anyEmpty = anyEmpty || f.empty();
    }
    if (!anyEmpty && splitFields(joinFields(fields)) != fields)
        std::abort();
    return 0;
}
