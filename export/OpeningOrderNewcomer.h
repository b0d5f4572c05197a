// Newcomers of the opening order: a rookie or a new foreign player typed in as
// one player line of the game's text file, checked by the tool variant of the
// ordering team, and the player record made from it.
#pragma once

#include "league/GameRules.h"
#include "league/IniStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kUnsuitableLineStatus = "入力値が不適切です！";

enum class NewcomerKind { Rookie, Foreign };

// Texts of one kind's input box and unsigned-list row.
struct NewcomerTexts {
    std::string_view title;
    std::string_view prompt;
    std::string_view label;  // "新" / "外"
    std::string_view origin; // "新人" / "新外人"
};
const NewcomerTexts& newcomerTexts(NewcomerKind kind);

// The fields of an acceptable line, or nothing. "標準": position code "P" or
// "-" and the fields of its ability part; "Mirel": a pitcher line with ";" as
// field 14 and at least 20 fields, a fielder line with ";" as field 21 and at
// least 27 fields; no tool: never.
std::optional<std::vector<std::string>> acceptedNewcomerLine(std::optional<ToolVariant> tool,
                                                             std::string_view line);

// The record of a newcomer joining in `term`: first and last term, tool,
// empty comment, pitcher flag, zero career totals, the term's ability and
// aptitude texts, empty statistics and affiliation.
void writeNewcomerRecord(IniSection& player, const std::vector<std::string>& fields, long long term,
                         ToolVariant tool);

} // namespace tenvoll
