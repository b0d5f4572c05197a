// Section walk over decoded INI text with IniStore's line rules.
#include "mainwindow/SectionScan.h"

#include "league/IniText.h"
#include "league/Kyoutuu.h"
#include "league/TextCompare.h"

namespace tenvoll {

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

} // namespace tenvoll
