// The line rules of INI-form text, in one place: how a text splits into lines
// (CR LF, LF or a lone CR) and what each line is (blank, section header, raw
// line, or "key=value"). IniStore builds its image with them; the league-wide
// searches walk big files with them without building one.
#pragma once

#include <cstddef>
#include <string_view>

namespace tenvoll {

struct IniTextLine {
    enum Kind { Blank, Header, Raw, Key } kind = Blank;
    std::string_view line; // without its line end
    std::size_t begin = 0; // offsets of `line` in the text
    std::size_t end = 0;
    std::string_view name;  // Header: the section name (trimmed); Key: the key (trimmed)
    std::string_view value; // Key: the value exactly as written
};

// Blanks and tabs removed from both ends.
std::string_view trimIniBlanks(std::string_view s);

// What one line is: "[name]" (trimmed) a header; a line starting with ";" or
// without "=" raw; otherwise a key, its name trimmed and its value kept.
void classifyIniLine(IniTextLine& line);

class IniLineWalker {
public:
    explicit IniLineWalker(std::string_view text) : text_(text) {}
    // The next line, classified; false at the end of the text.
    bool next(IniTextLine& out);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace tenvoll
