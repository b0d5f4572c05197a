// Section walk over decoded INI text with IniStore's line rules.
#include "mainwindow/SectionScan.h"

#include "league/TextCompare.h"

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

} // namespace

const std::string_view* ScannedSection::find(std::string_view key) const {
    for (const auto& k : keys)
        if (k.key.size() == key.size() && equalsIgnoreCase(k.key, key))
            return &k.value;
    return nullptr;
}

IniStore renamedSection(std::string_view sectionText, std::string_view newName) {
    IniStore parsed = IniStore::parse(sectionText);
    IniStore out;
    if (parsed.sectionCount() > 0)
        appendRenamedCopy(out, parsed.sectionAt(0), newName);
    else
        out.appendSection(newName);
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

    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t begin = pos;
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++pos;

        std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty())
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
            finish();
            open = true;
            current.name = trimBlanks(trimmed.substr(1, trimmed.size() - 2));
            current.keys.clear();
            sectionStart = begin;
            sectionEnd = end;
            continue;
        }
        if (!open)
            continue; // preamble
        sectionEnd = end;
        std::size_t eq = line.find('=');
        if (trimmed.front() == ';' || eq == std::string_view::npos)
            continue; // raw line
        current.keys.push_back({trimBlanks(line.substr(0, eq)), line.substr(eq + 1)});
    }
    finish();
}

IniSection& appendRenamedCopy(IniStore& store, const IniSection& section,
                              std::string_view newName) {
    IniSection& copy = store.appendSection(newName);
    for (const auto& line : section.lines()) {
        if (line.raw)
            copy.appendRaw(line.key);
        else
            copy.append(line.key, line.value);
    }
    return copy;
}

} // namespace tenvoll
