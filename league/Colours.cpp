// Colour names and numeric notation of the settings file.
#include "league/Colours.h"

#include "league/Numbers.h"
#include "league/TextCompare.h"

#include <cstdio>

namespace tenvoll {

const std::vector<NamedColour>& standardColours() {
    static const std::vector<NamedColour> colours = {
        {"clBlack", 0x000000}, {"clMaroon", 0x000080},  {"clGreen", 0x008000},
        {"clOlive", 0x008080}, {"clNavy", 0x800000},    {"clPurple", 0x800080},
        {"clTeal", 0x808000},  {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},   {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},
    };
    return colours;
}

namespace {
// Further names the settings may hold; read, but not offered.
const NamedColour kExtraNames[] = {
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},    {"clLtGray", 0xC0C0C0},  {"clDkGray", 0x808080},
};
} // namespace

std::string colourDisplayName(ColourValue value) {
    static const NamedColour kJapanese[] = {
        {"黒", 0x000000},         {"えんじ", 0x000080},     {"緑", 0x008000},
        {"オリーブ", 0x008080},   {"紺", 0x800000},         {"紫", 0x800080},
        {"青緑", 0x808000},       {"灰色", 0x808080},       {"銀色", 0xC0C0C0},
        {"赤", 0x0000FF},         {"黄緑", 0x00FF00},       {"黄", 0x00FFFF},
        {"青", 0xFF0000},         {"赤紫", 0xFF00FF},       {"水色", 0xFFFF00},
        {"白", 0xFFFFFF},         {"薄緑", 0xC0DCC0},       {"空色", 0xF0CAA6},
        {"クリーム色", 0xF0FBFF}, {"中間の灰色", 0xA4A0A0},
    };
    for (const auto& c : kJapanese)
        if (c.value == value)
            return std::string(c.name);
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", redOf(value), greenOf(value), blueOf(value));
    return std::string("その他の色 (") + hex + ")";
}

std::optional<ColourValue> parseColour(std::string_view text) {
    for (const auto& c : standardColours())
        if (equalsIgnoreCase(c.name, text))
            return c.value;
    for (const auto& c : kExtraNames)
        if (equalsIgnoreCase(c.name, text))
            return c.value;
    auto n = parseInteger(text);
    if (!n || *n < 0 || *n > 0xFFFFFF)
        return std::nullopt; // system colours and out-of-range numbers are not supported
    return static_cast<ColourValue>(*n);
}

std::string colourText(ColourValue value) {
    for (const auto& c : standardColours())
        if (c.value == value)
            return std::string(c.name);
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(value & 0xFFFFFF));
    return buf;
}

} // namespace tenvoll
