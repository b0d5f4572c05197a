// Text conversion between the program's inside (UTF-8) and the disk (cp932).
// Reading accepts cp932 or UTF-8 (with or without BOM) and CR LF, LF or CR;
// writing produces cp932 and refuses characters cp932 cannot hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

enum class TextEncoding { Cp932, Utf8 };

struct DecodedText {
    std::string text; // UTF-8, line ends as they were
    TextEncoding encoding = TextEncoding::Cp932;
};

// Decodes a file's bytes. A BOM or valid UTF-8 is taken as UTF-8 (real cp932
// Japanese text is practically never valid UTF-8, while UTF-8 Japanese text is
// often byte-wise valid cp932); otherwise the bytes must be valid cp932. The
// exception: valid UTF-8 made only of two-byte sequences is read as cp932 when
// it is valid cp932 (half-width katakana such as "ﾃｱ" would otherwise become "ñ").
// Throws LeagueError naming `pathForMessage` and the first bad line.
DecodedText decodeFileBytes(std::string_view bytes, const std::string& pathForMessage);

// Encodes UTF-8 text as cp932. Throws LeagueError naming the first character
// cp932 cannot represent and `pathForMessage`.
// `firstLine`: the line of the file the text starts at (a file encoded piece
// by piece), for the message.
std::string encodeCp932(std::string_view utf8, const std::string& pathForMessage,
                        std::size_t firstLine = 1);

// Length of the UTF-8 sequence starting with the byte `lead`, or 0 when it
// cannot start one (a continuation byte, or a byte never used in UTF-8).
std::size_t utf8SequenceLength(unsigned char lead);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Splits text at CR LF, LF or CR. A final line break does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);

// Where the line starting at `pos` ends: the first CR or LF from there, or the
// end of the text.
std::size_t findLineEnd(std::string_view text, std::size_t pos);

// Calls `visit(line)` (a view of `text`) for every line splitLines gives, in order.
template <class Visit> void forEachLine(std::string_view text, Visit&& visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = findLineEnd(text, pos);
        visit(text.substr(pos, end - pos));
        pos = end + 1;
        if (pos < text.size() && text[end] == '\r' && text[pos] == '\n')
            ++pos;
    }
}

// Joins lines, each followed by CR LF.
std::string joinCrlf(const std::vector<std::string>& lines);

// Bytes the UTF-8 text takes in cp932: 1 for ASCII and half-width katakana, 2 otherwise.
std::size_t cp932Width(std::string_view utf8);

} // namespace tenvoll
