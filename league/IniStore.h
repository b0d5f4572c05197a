// In-memory image of an INI-form file: sections in file order, each with its
// lines in file order. Section and key names compare ignoring case (ASCII and
// full-width Latin letters); look-ups are hashed.
//
// The decoded text of a loaded file is kept in one buffer, shared by the store,
// its copies and every section taken from it; keys and values are views into
// it, and a value set or appended later is owned by its section. Loading finds
// the section headers only; a section's lines are split the first time they
// are read or changed.
//
// Reading rules (nothing in a file can make loading fail):
//  - a line whose trimmed text is "[name]" starts a section; "[]" starts a
//    section with the empty name, which is kept and can be looked up as "";
//  - "key=value": the key is trimmed of blanks, the value is kept exactly
//    (team-file values end with a blank that must survive a round trip);
//  - a line inside a section without "=" (or starting with ";") is kept as a
//    raw line: written back unchanged, never returned as a key;
//  - lines before the first section are kept as a preamble and written back
//    first, but are not keys of any section;
//  - empty (or blank-only) lines are dropped.
// Duplicate keys stay in place: look-ups and writes use the first one, and the
// positional view (keys()) sees all of them. Duplicate sections stay in order:
// look-ups use the first one.
#pragma once

#include <deque>
#include <forward_list>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tenvoll {

// Views into the store's text or into the section's own copies; valid while the
// section lives and its line is neither changed nor removed.
struct IniLine {
    std::string_view key;
    std::string_view value;
    bool raw = false; // a line that is not "key=value": kept verbatim in `key`
};

struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

using IniBuffer = std::shared_ptr<const std::string>;

class IniSection {
public:
    explicit IniSection(std::string name) : name_(std::move(name)) {}
    IniSection(const IniSection& other);
    IniSection& operator=(const IniSection& other);
    IniSection(IniSection&&) noexcept = default;
    IniSection& operator=(IniSection&&) noexcept = default;

    const std::string& name() const { return name_; }

    // Value of the first key of that name, or null (valid as IniLine's views are).
    const std::string_view* find(std::string_view key) const;
    bool has(std::string_view key) const { return find(key) != nullptr; }
    std::string value(std::string_view key, std::string_view fallback = {}) const;
    std::string_view valueView(std::string_view key, std::string_view fallback = {}) const;
    // A whole number; `fallback` when missing or not a number.
    long long integer(std::string_view key, long long fallback) const;
    // "1"/"0" as the files write booleans: any other number is true, no number is `fallback`.
    bool boolean(std::string_view key, bool fallback) const;

    // Replaces the first key of that name in place, or appends it.
    void set(std::string_view key, std::string_view value);
    void setInteger(std::string_view key, long long value);
    void setBoolean(std::string_view key, bool value) { set(key, value ? "1" : "0"); }
    // Appends a key even when one of that name exists.
    void append(std::string_view key, std::string_view value);
    void appendRaw(std::string_view line);
    // Removes every key of that name; true when one was removed.
    bool remove(std::string_view key);

    // Every line in file order, raw lines included.
    const std::vector<IniLine>& lines() const {
        split();
        return lines_;
    }
    // Every line in file order as lines() gives them, without splitting a text
    // not yet split (a section that is only written out needs no line table);
    // stops when `visit` returns false.
    void visitLines(const std::function<bool(const IniLine&)>& visit) const;
    // The keys in file order, duplicates included (positional readers).
    std::vector<const IniLine*> keys() const;

private:
    friend class IniStore;
    friend void appendSectionText(std::string& out, const IniSection& section);
    friend std::size_t sectionTextSize(const IniSection& section);
    const IniLine* findLinear(std::string_view key) const;
    void buildIndex() const;
    // Splits the section's text into lines when that has not been done yet.
    void split() const {
        if (!body_.empty())
            splitBody();
    }
    void splitBody() const;
    // True while the lines are not split and their text is exactly what writing
    // them gives (every line ends in CR LF, none is blank, no key has blanks
    // around it): the text is then written as it is.
    bool bodyWrittenAsIs() const;
    std::string_view own(std::string_view text);
    bool inText(std::string_view view) const;
    void copyFrom(const IniSection& other);

    std::string name_;
    IniBuffer text_;                // the loaded text the views point into, or null
    mutable std::string_view body_; // the lines' text while not yet split
    mutable std::vector<IniLine> lines_;
    // Texts of lines set or added after loading; a list, which (unlike a deque)
    // takes no memory in the many sections that never get one.
    std::forward_list<std::string> owned_;
    // folded key -> position of its first line; built on first look-up of a big section
    struct KeyIndex {
        std::unordered_map<std::string_view, std::size_t> positions;
        std::forward_list<std::string> foldedKeys; // keys that differ from their folded form
    };
    mutable std::unique_ptr<KeyIndex> index_;
    mutable unsigned linearFinds_ = 0; // look-ups of a big section made before its index
};

// The INI text of one section as an INI store writes it: "[name]" and its
// lines, CR LF each (also used for sections kept outside a store).
void appendSectionText(std::string& out, const IniSection& section);
// The length of that text in bytes.
std::size_t sectionTextSize(const IniSection& section);

class IniStore {
public:
    IniStore() = default;
    IniStore(IniStore&&) noexcept = default;
    IniStore& operator=(IniStore&&) noexcept = default;
    IniStore(const IniStore& other);
    IniStore& operator=(const IniStore& other);

    static IniStore parse(std::string_view text);
    // The same, keeping `text` itself as the store's buffer.
    static IniStore parseText(std::string&& text);
    // Reads and decodes a file (cp932 or UTF-8); throws LeagueError.
    static IniStore load(const std::string& path);
    // The file's text: CR LF after every line.
    std::string serialize() const;
    // Atomic save as cp932; throws LeagueError and leaves the old file as it was.
    void save(const std::string& path) const;

    IniSection* section(std::string_view name);
    const IniSection* section(std::string_view name) const;
    bool hasSection(std::string_view name) const { return section(name) != nullptr; }
    // The first section of that name, created at the end when missing.
    IniSection& ensureSection(std::string_view name);
    // A new section at the end, even when one of that name exists.
    IniSection& appendSection(std::string_view name);
    // Removes every section of that name.
    void removeSection(std::string_view name);
    void removeSectionsIf(const std::function<bool(const IniSection&)>& predicate);
    // Moves every section of `other` to the end of this store.
    void appendSectionsFrom(IniStore&& other);
    void clear();

    std::size_t sectionCount() const { return sections_.size(); }
    IniSection& sectionAt(std::size_t i) { return *sections_[i]; }
    const IniSection& sectionAt(std::size_t i) const { return *sections_[i]; }
    std::vector<std::string> sectionNames() const;

    // Convenience for single values.
    std::string value(std::string_view section, std::string_view key,
                      std::string_view fallback = {}) const;
    long long integer(std::string_view section, std::string_view key, long long fallback) const;
    void set(std::string_view section, std::string_view key, std::string_view value);

    const std::vector<std::string>& preamble() const { return preamble_; }

private:
    void reindex();

    IniBuffer text_;
    std::vector<std::string> preamble_;
    std::vector<std::unique_ptr<IniSection>> sections_;
    std::unordered_map<std::string, IniSection*, FoldedHash, std::equal_to<>> byName_;
};

} // namespace tenvoll
