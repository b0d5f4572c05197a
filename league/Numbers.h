// Whole-number reading and writing as the league files use it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tenvoll {

// A whole number: optional leading blanks, an optional sign, then decimal
// digits (or "$" and hexadecimal digits); nothing may follow.
std::optional<long long> parseInteger(std::string_view text);

long long parseIntegerOr(std::string_view text, long long fallback);

// No count, rate or age the game writes comes near this; a bigger value comes
// from a damaged file. Values only shown are clamped to it, so that sums over a
// league and products by a few digits stay far inside long long; values
// computed into files are refused beyond it.
inline constexpr long long kNumberLimit = 1'000'000'000;
long long clampedNumber(long long value);

// The number with every "." and blank removed, as a whole number
// (".312" counts 312, "3.45" counts 345); empty when it is still no number.
std::optional<long long> parseWithoutPoints(std::string_view text);

// "%.4d" as the league's keys write it: 12 gives "0012", -1 gives "-0001".
std::string termText(long long term);

// Fixed two decimals of the rational num/den, rounded half away from zero;
// "0.00" when den is zero.
std::string ratioTwoDecimals(long long num, long long den);

// Right-aligns (or, with `left`, left-aligns) text to `width` cp932 bytes.
std::string padToWidth(std::string_view text, std::size_t width, bool left);

} // namespace tenvoll
