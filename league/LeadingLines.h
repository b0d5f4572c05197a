// The first lines of a file, read without reading the whole file: for checks
// that a file's first lines usually decide. Only lines made of ASCII bytes are
// returned, since they read the same whether the whole file turns out to be
// cp932 or UTF-8; the caller reads the whole file when they do not decide.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tenvoll {

// The complete lines (CR LF, LF or CR ends, which are not returned) at the
// start of the file within its first `maxBytes` bytes, up to the first line
// holding a byte outside ASCII. Empty when the file cannot be read: the
// caller's full read then reports why.
std::vector<std::string> leadingAsciiLines(const std::string& path, std::size_t maxBytes = 4096);

} // namespace tenvoll
