// Section walk over decoded INI text with IniStore's line rules.
#include "mainwindow/SectionScan.h"

#include "league/Kyoutuu.h"
#include "league/TextCompare.h"

#include <cstring>

namespace tenvoll {

namespace {

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

// Where the line starting at `pos` ends: the first CR or LF, or the end.
// Two memchr calls per line: find_first_of would call memchr for every byte.
std::size_t lineEnd(std::string_view text, std::size_t pos) {
    const char* base = text.data();
    const void* lf = std::memchr(base + pos, '\n', text.size() - pos);
    std::size_t limit = lf ? static_cast<const char*>(lf) - base : text.size();
    const void* cr = std::memchr(base + pos, '\r', limit - pos);
    return cr ? static_cast<const char*>(cr) - base : limit;
}

// One line of an INI text as IniStore::parse reads it.
struct IniTextLine {
    enum Kind { Blank, Header, Raw, Key } kind = Blank;
    std::string_view line; // without its line end
    std::size_t begin = 0; // offsets of `line` in the text
    std::size_t end = 0;
    std::string_view name;  // Header: the section name; Key: the key
    std::string_view value; // Key: the value as written
};

// Walks the lines of a text: CR LF, LF or a lone CR end a line.
class LineWalker {
public:
    explicit LineWalker(std::string_view text) : text_(text) {}

    bool next(IniTextLine& out) {
        if (pos_ >= text_.size())
            return false;
        out.begin = pos_;
        out.end = lineEnd(text_, pos_);
        out.line = text_.substr(out.begin, out.end - out.begin);
        pos_ = out.end + 1;
        if (out.end + 1 < text_.size() && text_[out.end] == '\r' && text_[out.end + 1] == '\n')
            ++pos_;
        classify(out);
        return true;
    }

private:
    static void classify(IniTextLine& out) {
        std::string_view trimmed = trimBlanks(out.line);
        if (trimmed.empty()) {
            out.kind = IniTextLine::Blank;
        } else if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
            out.kind = IniTextLine::Header;
            out.name = trimBlanks(trimmed.substr(1, trimmed.size() - 2));
        } else if (std::size_t eq = out.line.find('=');
                   trimmed.front() == ';' || eq == std::string_view::npos) {
            out.kind = IniTextLine::Raw;
        } else {
            out.kind = IniTextLine::Key;
            out.name = trimBlanks(out.line.substr(0, eq));
            out.value = out.line.substr(eq + 1);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const std::string_view* ScannedSection::find(std::string_view key) const {
    for (const auto& k : keys)
        if (k.key.size() == key.size() && equalsIgnoreCase(k.key, key))
            return &k.value;
    return nullptr;
}

void splitFieldViews(std::string_view s, std::vector<std::string_view>& out,
                     std::vector<std::string>& quoted) {
    out.clear();
    if (s.find('"') != std::string_view::npos) {
        quoted = splitFields(s);
        out.assign(quoted.begin(), quoted.end());
        return;
    }
    auto separates = [](char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; };
    const std::size_t n = s.size();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && separates(s[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::size_t start = i;
        while (i < n && !separates(s[i]) && s[i] != ',')
            ++i;
        out.push_back(s.substr(start, i - start));
        skipBlanks();
        if (i < n && s[i] == ',') {
            if (i + 1 == n)
                out.emplace_back();
            ++i;
            skipBlanks();
        }
    }
}

IniStore renamedSection(std::string_view sectionText, std::string_view newName) {
    IniStore out;
    IniSection& section = out.appendSection(newName);
    LineWalker walker(sectionText);
    IniTextLine l;
    bool inside = false; // lines before the header are no part of the section
    while (walker.next(l)) {
        if (l.kind == IniTextLine::Header) {
            if (inside)
                break; // the text held more than one section
            inside = true;
        } else if (inside && l.kind == IniTextLine::Raw) {
            section.appendRaw(l.line);
        } else if (inside && l.kind == IniTextLine::Key) {
            section.append(l.name, l.value);
        }
    }
    return out;
}

void scanSections(std::string_view text, const std::function<void(const ScannedSection&)>& visit) {
    ScannedSection current;
    bool open = false;
    std::size_t sectionStart = 0;
    std::size_t sectionEnd = 0; // end of the last line belonging to the open section
    auto finish = [&] {
        if (!open)
            return;
        current.text = text.substr(sectionStart, sectionEnd - sectionStart);
        visit(current);
    };

    LineWalker walker(text);
    IniTextLine l;
    while (walker.next(l)) {
        if (l.kind == IniTextLine::Blank)
            continue;
        if (l.kind == IniTextLine::Header) {
            finish();
            open = true;
            current.name = l.name;
            current.keys.clear();
            sectionStart = l.begin;
            sectionEnd = l.end;
            continue;
        }
        if (!open)
            continue; // preamble
        sectionEnd = l.end;
        if (l.kind == IniTextLine::Key)
            current.keys.push_back({l.name, l.value});
    }
    finish();
}

} // namespace tenvoll
