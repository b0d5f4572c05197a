// Colour values as the settings file stores them: toolkit-style names
// ("clRed", ...) or a number in the "$00BBGGRR" notation (blue in the high
// byte); decimal numbers are accepted when reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// A colour as 0x00BBGGRR.
using ColourValue = std::uint32_t;

struct NamedColour {
    std::string_view name;
    ColourValue value;
};

// The sixteen names offered by the colour choosers, in their usual order.
const std::vector<NamedColour>& standardColours();

// Reads a name ("clRed", ignoring case), "$00BBGGRR" or a decimal number.
std::optional<ColourValue> parseColour(std::string_view text);

// The name when the colour has one, otherwise "$00BBGGRR".
std::string colourText(ColourValue value);

// What the user sees for a colour: its Japanese name ("赤"), or for a colour
// without one "その他の色 (#RRGGBB)".
std::string colourDisplayName(ColourValue value);

inline std::uint8_t redOf(ColourValue c) {
    return c & 0xFF;
}
inline std::uint8_t greenOf(ColourValue c) {
    return (c >> 8) & 0xFF;
}
inline std::uint8_t blueOf(ColourValue c) {
    return (c >> 16) & 0xFF;
}
inline ColourValue colourFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return ColourValue(r) | (ColourValue(g) << 8) | (ColourValue(b) << 16);
}

} // namespace tenvoll
