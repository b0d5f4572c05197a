// The tool variants' one spelling and their parse.
#include "league/GameRules.h"

#include "league/TextCompare.h"

namespace tenvoll {

std::optional<ToolVariant> parseToolVariant(std::string_view text) {
    for (ToolVariant v : kToolVariants)
        if (equalsIgnoreCase(text, toolVariantText(v)))
            return v;
    return std::nullopt;
}

std::string_view normalisedToolText(std::string_view text) {
    std::optional<ToolVariant> v = parseToolVariant(text);
    return v ? toolVariantText(*v) : std::string_view();
}

} // namespace tenvoll
