// Read-only walk over the sections of an INI-form text. The league-wide
// searches look at every section of dozens of big files but keep only a few, so
// they read views into the decoded text instead of building an IniStore of each
// file; a kept section is then parsed by IniStore itself. The reading rules are
// those of IniStore::parse.
#pragma once

#include "league/IniStore.h"

#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct ScannedKey {
    std::string_view key;   // trimmed of blanks
    std::string_view value; // exactly as written
};

struct ScannedSection {
    std::string_view name;
    // From the header line to the end of the section's last line.
    std::string_view text;
    // The "key=value" lines in file order (raw lines are not keys).
    std::vector<ScannedKey> keys;

    // Value of the first key of that name (ignoring case), or null.
    const std::string_view* find(std::string_view key) const;
};

// Calls `visit` for every section in file order; the section and its views are
// valid during the call only as long as `text` lives.
void scanSections(std::string_view text, const std::function<void(const ScannedSection&)>& visit);

// The sections' names and texts alone, for a search by section name: jumps
// from one "[" to the next instead of reading every line, and gives the same
// names and texts as scanSections.
struct ScannedHeader {
    std::string_view name;
    std::string_view text; // as ScannedSection::text
};
void scanSectionHeaders(std::string_view text,
                        const std::function<void(const ScannedHeader&)>& visit);

// Splits a line by the rule of splitFields, into views of `line` (no copies),
// stopping after the first `limit` fields. A line holding a double quote is
// split by splitFields itself and its fields are kept in `quoted`, which must
// then outlive the views.
void splitFieldViews(std::string_view line, std::vector<std::string_view>& out,
                     std::vector<std::string>& quoted,
                     std::size_t limit = std::numeric_limits<std::size_t>::max());

// A store holding the section of `sectionText` (a ScannedSection's text) as
// IniStore reads it, under another name; its lines and values are untouched.
IniStore renamedSection(std::string_view sectionText, std::string_view newName);

} // namespace tenvoll
