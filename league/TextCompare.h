// Name comparison ignoring letter case, as the league files need it: ASCII
// letters and full-width Latin letters (Ａ-Ｚ / ａ-ｚ) compare equal to their
// other case; every other character compares exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tenvoll {

// The text with every upper-case ASCII and full-width Latin letter lowered.
std::string foldCase(std::string_view s);

// True when the text holds a letter that folding would change.
bool needsFolding(std::string_view s);

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// A hash that is the same for texts equal ignoring case (for tables looked up
// with texts that are not folded first).
std::uint64_t caseBlindHash(std::string_view s);

// Orders by folded bytes: negative, zero or positive.
int compareIgnoreCase(std::string_view a, std::string_view b);

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);
bool containsIgnoreCase(std::string_view text, std::string_view needle);

// Every occurrence of `needle` (ignoring case) removed from `text`.
std::string removeAllIgnoreCase(std::string_view text, std::string_view needle);

// Every occurrence of `needle` (exact) replaced by `replacement`.
std::string replaceAll(std::string_view text, std::string_view needle,
                       std::string_view replacement);

} // namespace tenvoll
