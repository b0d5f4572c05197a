// Section walk over decoded INI text with IniStore's line rules.
#include "mainwindow/SectionScan.h"

#include "league/IniText.h"
#include "league/Kyoutuu.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <functional>

namespace tenvoll {

const std::string_view* ScannedSection::find(std::string_view key) const {
    for (const auto& k : keys)
        if (k.key.size() == key.size() && equalsIgnoreCase(k.key, key))
            return &k.value;
    return nullptr;
}

void splitFieldViews(std::string_view s, std::vector<std::string_view>& out,
                     std::vector<std::string>& quoted, std::size_t limit) {
    out.clear();
    if (limit == 0)
        return;
    // One pass over the line, no search for '"' before it: a quoted field comes
    // back unquoted in `scratch`, outside the line, and only then is the line
    // split again by splitFields, whose copies outlive the call. (The final
    // empty field after a trailing comma, a view of no text, takes that way too.)
    std::string scratch;
    bool quotedField = false;
    // std::less: a total order even for pointers into different strings.
    const std::less<const char*> before;
    forEachField(s, scratch, [&](std::string_view field) {
        if (before(field.data(), s.data()) || before(s.data() + s.size(), field.data())) {
            quotedField = true;
            return false;
        }
        out.push_back(field);
        return out.size() < limit;
    });
    if (quotedField) {
        quoted = splitFields(s);
        out.assign(quoted.begin(), quoted.begin() + std::ptrdiff_t(std::min(limit, quoted.size())));
    }
}

IniStore renamedSection(std::string_view sectionText, std::string_view newName) {
    IniStore out;
    IniSection& section = out.appendSection(newName);
    IniLineWalker walker(sectionText);
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

    IniLineWalker walker(text);
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

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool isBlankText(std::string_view s) {
    return trimIniBlanks(s).empty();
}

// Start of the line holding offset `p`, not before `floor`.
std::size_t lineStart(std::string_view text, std::size_t p, std::size_t floor) {
    while (p > floor && !isLineEnd(text[p - 1]))
        --p;
    return p;
}

// End of a section's last non-blank line, the section running from `start`
// (its header line) to `limit` (the next header line or the end of the text).
std::size_t sectionEnd(std::string_view text, std::size_t start, std::size_t limit) {
    std::size_t end = limit;
    while (true) {
        // Drop the last line end: CR LF, LF or CR.
        if (end > start && text[end - 1] == '\n') {
            --end;
            if (end > start && text[end - 1] == '\r')
                --end;
        } else if (end > start && text[end - 1] == '\r') {
            --end;
        }
        std::size_t begin = lineStart(text, end, start);
        if (begin == start || !isBlankText(text.substr(begin, end - begin)))
            return end; // the header line itself is never blank
        end = begin;
    }
}

} // namespace

void scanSectionHeaders(std::string_view text,
                        const std::function<void(const ScannedHeader&)>& visit) {
    std::string_view name;
    std::size_t start = std::string_view::npos; // of the open section's header line
    auto finish = [&](std::size_t limit) {
        if (start != std::string_view::npos)
            visit({name, text.substr(start, sectionEnd(text, start, limit) - start)});
    };
    std::size_t p = 0;
    while ((p = text.find('[', p)) != std::string_view::npos) {
        std::size_t begin = lineStart(text, p, 0);
        if (!isBlankText(text.substr(begin, p - begin))) {
            ++p; // a "[" inside a line
            continue;
        }
        std::size_t end = findLineEnd(text, p);
        std::string_view trimmed = trimIniBlanks(text.substr(begin, end - begin));
        if (trimmed.size() >= 2 && trimmed.back() == ']') {
            finish(begin);
            name = trimIniBlanks(trimmed.substr(1, trimmed.size() - 2));
            start = begin;
        }
        p = end;
    }
    finish(text.size());
}

} // namespace tenvoll
