// Conversion of the older line-per-player files into the team-file layout:
// team mode rewrites an old team file in place, unsigned mode writes the
// four-digit unsigned-players file beside a three-digit one.
#pragma once

#include "league/IniStore.h"

#include <string>
#include <vector>

namespace tenvoll {

enum class ConversionMode { Team, Unsigned };

inline constexpr const char* kConversionFailed = "ファイル変換Error";

// Builds the converted team store from the old file's lines. Throws
// LeagueError(kConversionFailed, detail) when a line cannot be converted or,
// in team mode, when the result lacks a team header key or a roster slot.
IniStore convertOldLayout(const std::vector<std::string>& lines, ConversionMode mode);

// The output file of a conversion: the input itself (team mode) or "0" + its
// name in the same folder (unsigned mode).
std::string conversionTarget(const std::string& path, ConversionMode mode);

// Reads, converts and atomically writes a file; returns the written path.
// Throws LeagueError(kConversionFailed, detail); nothing is written then. The
// unsigned mode never replaces an existing four-digit file.
std::string convertOldFile(const std::string& path, ConversionMode mode);

} // namespace tenvoll
