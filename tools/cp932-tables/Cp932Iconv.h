// glibc's own cp932 <-> UTF-8 converter (iconv), which the program's tables
// were made from. Only the table generator and the tests that check the tables
// against it use it; the program itself never does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tenvoll::cp932gen {

// On failure `ok` is false and `failedAt` is the byte offset in the input of
// the first sequence that cannot be converted (a truncated one at the end too).
struct Conversion {
    bool ok = true;
    std::string output;
    std::size_t failedAt = 0;
};
Conversion iconvToUtf8(std::string_view cp932);
Conversion iconvToCp932(std::string_view utf8);

} // namespace tenvoll::cp932gen
