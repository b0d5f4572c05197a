// SHA-256 of a byte string, as 64 lower-case hexadecimal digits: the content
// fingerprint a term update's manifest records for every file it wrote.
#pragma once

#include <string>
#include <string_view>

namespace tenvoll {

std::string sha256Hex(std::string_view bytes);

} // namespace tenvoll
