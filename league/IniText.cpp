// Line splitting and classification of INI-form text.
#include "league/IniText.h"

#include "league/TextCodec.h"

namespace tenvoll {

std::string_view trimIniBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

void classifyIniLine(IniTextLine& out) {
    out.name = {};
    out.value = {};
    std::string_view trimmed = trimIniBlanks(out.line);
    if (trimmed.empty()) {
        out.kind = IniTextLine::Blank;
    } else if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
        out.kind = IniTextLine::Header;
        out.name = trimIniBlanks(trimmed.substr(1, trimmed.size() - 2));
    } else if (std::size_t eq = out.line.find('=');
               trimmed.front() == ';' || eq == std::string_view::npos) {
        out.kind = IniTextLine::Raw;
    } else {
        out.kind = IniTextLine::Key;
        out.name = trimIniBlanks(out.line.substr(0, eq));
        out.value = out.line.substr(eq + 1);
    }
}

bool IniLineWalker::next(IniTextLine& out) {
    if (pos_ >= text_.size())
        return false;
    out.begin = pos_;
    out.end = findLineEnd(text_, pos_);
    out.line = text_.substr(out.begin, out.end - out.begin);
    pos_ = out.end + 1;
    if (out.end + 1 < text_.size() && text_[out.end] == '\r' && text_[out.end + 1] == '\n')
        ++pos_;
    classifyIniLine(out);
    return true;
}

} // namespace tenvoll
